#pragma once
// Version files as a device writes them, built byte by byte for tests and benchmarks.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmaron::testing {

// Bytes placed from a 1-based position on.
struct Bytes {
    std::size_t pos;
    std::vector<int> values;
};

// The header, and everything not placed `unset` (255, as erased flash reads).
std::string versionFile(std::string_view header, std::size_t length,
                        const std::vector<Bytes>& placed = {}, char unset = '\xFF');

// "QX000054HEX": the type, the software version in six digits, the extension.
std::string header(const char* type, int version);

// A QX's form: 21 bytes up to version 27, 25 up to 35, 80 from 36 on.
std::size_t formLength(int version);

std::string qx(int version, const std::vector<Bytes>& placed = {});

} // namespace velmaron::testing
