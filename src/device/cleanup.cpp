#include "device/cleanup.h"

#include "config/config_file.h"
#include "device/device_files.h"
#include "device/diagnostic_log.h"

namespace velmaron {
namespace {

bool hasHexExtension(const std::string& name) {
    constexpr std::string_view extension = ".hex";
    return name.size() >= extension.size() &&
           SameNameIgnoringCase(std::string_view(name).substr(name.size() - extension.size()),
                                extension);
}

} // namespace

void RemoveStaleUpdateFiles(const std::string& driveRoot) noexcept {
    try {
        // Listed and deleted through the one handle: a link swapped in for UPDATES meanwhile
        // leads nowhere.
        if (const auto updates = DeviceDirectory::Open(driveRoot, UpdatesDirectoryName))
            for (const std::string& file : updates->Files())
                if (hasHexExtension(file))
                    updates->Remove(file);
    } catch (...) {
        DiagnosticLog::WriteCaught("RemoveStaleUpdateFiles", driveRoot);
        // Nothing to report: the configure command carries on without the clean-up.
    }
}

void RemoveConfigFile(const std::string& driveRoot) noexcept {
    try {
        if (const auto updates = DeviceDirectory::Open(driveRoot, UpdatesDirectoryName))
            if (const auto file = updates->Find(ConfigFileName("QX"), EntryKind::File))
                updates->Remove(*file);
    } catch (...) {
        DiagnosticLog::WriteCaught("RemoveConfigFile", driveRoot);
        // The success has already been shown; a file left behind is removed by the next
        // configuration run.
    }
}

} // namespace velmaron
