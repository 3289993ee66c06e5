#pragma once
// A drive's type as the command-line tool tells it to its user, in the user's language. The
// JSON output keeps the scan's English texts, which other programs read.

#include "config/language.h"
#include "device/drive_services.h"

#include <string>

namespace velmaron::cli {

std::string DriveTypeWords(DriveKind kind, Language language);

} // namespace velmaron::cli
