#include "support/version_files.h"

#include <algorithm>

namespace velmaron::testing {

std::string versionFile(std::string_view header, std::size_t length,
                        const std::vector<Bytes>& placed, char unset) {
    std::string text(length, unset);
    text.replace(0, std::min(header.size(), length), header.substr(0, length));
    for (const Bytes& bytes : placed)
        for (std::size_t i = 0; i < bytes.values.size(); ++i)
            text.at(bytes.pos - 1 + i) = static_cast<char>(bytes.values[i]);
    return text;
}

std::string header(const char* type, int version) {
    return type + std::to_string(1000000 + version).substr(1) + "HEX";
}

std::size_t formLength(int version) {
    return version > 35 ? 80 : version > 27 ? 25 : 21;
}

std::string qx(int version, const std::vector<Bytes>& placed) {
    return versionFile(header("QX", version), formLength(version), placed);
}

} // namespace velmaron::testing
