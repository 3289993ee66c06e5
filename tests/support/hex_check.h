#pragma once
// What the device accepts as a configuration file, checked independently of the writer: lines
// ended by CR LF, each ":" LL AAAA TT data CC in upper-case hex digit pairs, LL the length of
// the data, CC making the byte sum 0; data records of type 02 for the CR device and 00 for
// the others, and the end record last and only there.

#include <string_view>

namespace velmaron::testing {

// Whether bytes is such a file; cr: it is meant for the CR device.
bool IsValidConfigHex(std::string_view bytes, bool cr);

} // namespace velmaron::testing
