#pragma once
// What every command works with: the user's language, the drives, and where it writes.

#include "cli/cli_texts.h"
#include "config/language.h"
#include "device/drive_services.h"

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace velmaron::cli {

// The tool's exit codes.
enum ExitCode : int {
    ExitOk = 0,
    ExitFailed = 1,         // a device could not be read or configured
    ExitUsage = 2,          // wrong arguments, or a profile that is refused
    ExitNoSingleDevice = 3, // no Velmaron, or more than one, where one is needed
    ExitInterrupted = 130,  // Ctrl+C in the middle of a device
};

struct Context {
    Language language;
    // Shared with the device port, so that an operation the tool gives up on, still waiting on
    // a drive, finds them alive when the drive answers after the command has ended.
    std::shared_ptr<DriveServices> drives;
    std::ostream& out; // results and progress
    std::ostream& err; // what went wrong

    std::string tr(std::string_view german, std::string_view english) const {
        return std::string(InLanguage(language, german, english));
    }
    std::string tr(Words words) const { return tr(words.german, words.english); }
};

} // namespace velmaron::cli
