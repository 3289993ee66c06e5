#pragma once
// A drive's type as the command-line tool tells it to its user, in the user's language. The
// JSON output keeps the scan's English texts, which other programs read.

#include "config/language.h"

#include <string>

namespace velmaron::cli {

std::string DriveTypeWords(int typeCode, Language language);

} // namespace velmaron::cli
