#pragma once
// A trace of what failed on the way, for telling a fault in the field afterwards: each step the
// workflow's guard skips and each device operation that fails is one line with the moment, the
// operation, the drive and the error. Off unless a front end opens it; while it is off, a
// failure costs one load of a flag and nothing is written anywhere.
//
// The device worker's thread and the front end's write to it; each line is written whole, by a
// thread of the log's own, so that a failure on the window's thread never waits on a disk.

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmaron {

class DiagnosticLog {
public:
    // Appends from now on to the file at path, which is created when missing; where the platform
    // has a debugger's output stream, the lines go there too. nullopt when the file is open,
    // else the reason why it is not (the log stays off then): the system's, or that the path
    // lies on a Velmaron, which never holds the log.
    static std::optional<std::string> Open(const std::filesystem::path& path);
    // Off again; the lines queued so far are written (waited for at most two seconds) and the
    // file is closed. Also called when the program ends.
    static void Close() noexcept;

    static bool On() noexcept { return on_.load(std::memory_order_acquire); }

    // drive may be empty: the operation goes to no drive of its own.
    static void Write(std::string_view operation, std::string_view drive,
                      std::string_view error) noexcept;
    // The same for an operation in a directory on the drive.
    static void WriteIn(std::string_view operation, const std::filesystem::path& directory,
                        std::string_view error) noexcept;
    // Inside a catch: the error is the caught exception's what(), or UnknownFailure.
    static void WriteCaught(std::string_view operation, std::string_view drive) noexcept;
    static void WriteCaughtIn(std::string_view operation,
                              const std::filesystem::path& directory) noexcept;

    // The reason Open gives for a path on a Velmaron; the front ends word it for the user.
    static constexpr std::string_view OnDevice = "it lies on a Velmaron";
    // What a caught exception that is no std::exception is called in the log.
    static constexpr std::string_view UnknownFailure = "unknown failure";

private:
    static inline std::atomic<bool> on_{false};
};

} // namespace velmaron
