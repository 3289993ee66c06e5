#include "device/durable_save.h"

#include "device/diagnostic_log.h"

#include <filesystem>
#include <system_error>

namespace velmaron {

namespace {

bool driveIsThere(const std::string& driveRoot) {
    std::error_code ec;
    return std::filesystem::is_directory(std::filesystem::path(driveRoot), ec);
}

// Leaves nothing of a failed save behind, the complete target included: the user is told
// that the configuration was not saved, so the device must not take one over.
void cleanUp(const DeviceDirectory& updates, const std::string& temp, const std::string& target) {
    updates.Remove(temp);
    updates.Remove(target);
}

SaveResult describe(const std::string& driveRoot, const FileResult& result, SaveError stepError) {
    if (result.fault == FileFault::DeviceGone || !driveIsThere(driveRoot))
        return {SaveError::PulledWhileSaving, result.detail};
    if (result.fault == FileFault::WriteProtected)
        return {SaveError::WriteProtected, result.detail};
    return {stepError, result.detail};
}

SaveError errorOfStep(FileStep step) {
    return step == FileStep::Create ? SaveError::CannotCreate : SaveError::WriteFailed;
}

// Switches, so that the compiler tells of a step or an error that has no name here.
std::string_view nameOf(FileStep step) {
    switch (step) {
    case FileStep::Create:
        return "create";
    case FileStep::Write:
        return "write";
    case FileStep::Flush:
        return "flush";
    case FileStep::Rename:
        return "rename";
    case FileStep::FlushDirectory:
        return "flush directory";
    }
    return "?";
}

std::string_view nameOf(SaveError error) {
    switch (error) {
    case SaveError::None:
        return "None";
    case SaveError::UpdatesMissing:
        return "UpdatesMissing";
    case SaveError::CannotCreate:
        return "CannotCreate";
    case SaveError::WriteProtected:
        return "WriteProtected";
    case SaveError::DeviceGone:
        return "DeviceGone";
    case SaveError::PulledWhileSaving:
        return "PulledWhileSaving";
    case SaveError::WriteFailed:
        return "WriteFailed";
    case SaveError::ReadBackMismatch:
        return "ReadBackMismatch";
    }
    return "?";
}

// step: where the save stopped, for the diagnostic log.
SaveResult save(const std::string& driveRoot, const std::string& fileName, std::string_view bytes,
                const SaveSteps& steps, std::string_view& step) {
    step = "open UPDATES";
    const auto updates = DeviceDirectory::Open(driveRoot, UpdatesDirectoryName);
    if (!updates) {
        if (!driveIsThere(driveRoot))
            return {SaveError::DeviceGone, {}};
        return {SaveError::UpdatesMissing, {}};
    }
    // An existing file in other case is replaced itself, so no second one remains beside it.
    step = "look for the file";
    std::string target = fileName;
    if (const auto existing = updates->Find(fileName, EntryKind::File))
        target = *existing;
    else if (updates->Find(fileName, EntryKind::Directory))
        return {SaveError::CannotCreate, fileName + " is a directory"};

    // Not ending in .hex, so the device never takes a half-written temporary file over.
    const std::string temp = std::filesystem::path(fileName).stem().string() + ".tmp";
    if (const auto left = updates->Find(temp, EntryKind::File))
        updates->Remove(*left); // from an interrupted save

    auto fail = [&](const FileResult& result) {
        step = nameOf(result.step);
        cleanUp(*updates, temp, target);
        return describe(driveRoot, result, errorOfStep(result.step));
    };
    if (FileResult result = steps.writeDurably(*updates, temp, bytes); !result.ok())
        return fail(result);
    if (FileResult result = steps.replace(*updates, temp, target); !result.ok())
        return fail(result);
    if (FileResult result = steps.flushDirectory(*updates); !result.ok())
        return fail(result);

    step = "read back";
    const ReadResult written = steps.readBack(*updates, target);
    if (!written.ok() || written.content != bytes) {
        cleanUp(*updates, temp, target);
        if (!driveIsThere(driveRoot))
            return {SaveError::PulledWhileSaving, {}};
        return {SaveError::ReadBackMismatch, written.ok() ? "content differs" : "cannot be read"};
    }
    return {};
}

} // namespace

SaveResult SaveUpdateFile(const std::string& driveRoot, const std::string& fileName,
                          std::string_view bytes, const SaveSteps& steps) {
    std::string_view step;
    SaveResult result = save(driveRoot, fileName, bytes, steps, step);
    if (!result.ok() && DiagnosticLog::On()) {
        std::string error(nameOf(result.error));
        error.append(" at ").append(step);
        if (!result.detail.empty())
            error.append(": ").append(result.detail);
        DiagnosticLog::Write("SaveUpdateFile " + fileName, driveRoot, error);
    }
    return result;
}

} // namespace velmaron
