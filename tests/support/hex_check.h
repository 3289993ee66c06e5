#pragma once
// What the device accepts as a configuration file, checked apart from the writer: CR LF lines
// ":" LL AAAA TT data CC in upper-case hex, CC making the byte sum 0; type 02 records for the CR,
// 00 for the others, and the end record last.

#include <string_view>

namespace velmaron::testing {

bool IsValidConfigHex(std::string_view bytes, bool cr);

} // namespace velmaron::testing
