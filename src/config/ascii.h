#pragma once
// The device compares its names and file headers as FAT does: ASCII letters in any case,
// every other byte exactly.

#include <string>
#include <string_view>

namespace velmaron {

// The ASCII letters in upper case, everything else as it is.
char UpperAscii(char c);
std::string UpperAscii(std::string_view text);
// FAT's comparison of names: ASCII letters in any case, everything else exactly.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

} // namespace velmaron
