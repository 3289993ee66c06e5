#include "device/diagnostic_log.h"

#include "config/device_names.h"
#include "device/debugger_output.h"
#include "device/device_files.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <mutex>
#include <system_error>
#include <thread>

namespace velmaron {
namespace {

// The lines are written by a thread of their own: the window's thread that meets a failure only
// queues its line and never waits on the disk the log lies on.
struct Sink {
    std::mutex mutex; // the queue
    std::condition_variable wake;
    std::condition_variable written;
    std::deque<std::string> lines;
    bool writing = false;
    std::mutex fileMutex; // the file, which the writer uses outside the queue's lock
    std::ofstream file;

    void write() {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [&] { return !lines.empty(); });
            std::deque<std::string> batch;
            batch.swap(lines);
            writing = true;
            lock.unlock();
            {
                std::lock_guard fileLock(fileMutex);
                for (const std::string& line : batch) {
                    if (file.is_open())
                        file << line << std::flush; // there even when the program ends next
                    WriteToDebugger(line);
                }
            }
            lock.lock();
            writing = false;
            if (lines.empty())
                written.notify_all();
        }
    }
    // Bounded: a log on a disk that hangs must not hold the program's end.
    void drain() {
        std::unique_lock lock(mutex);
        written.wait_for(lock, std::chrono::seconds(2),
                         [&] { return lines.empty() && !writing; });
    }
};

// Never destroyed, and its writer never ends: a worker abandoned on a drive that hangs may
// still write while the program ends.
Sink& sink() {
    static Sink* const instance = [] {
        auto* created = new Sink;
        std::thread([created] { created->write(); }).detach();
        return created;
    }();
    return *instance;
}

// The moment in UTC to the millisecond, as the system clock has it: the PC's time zone does
// not matter when logs of two PCs are laid side by side.
std::string now() {
    using namespace std::chrono;
    const auto moment = floor<milliseconds>(system_clock::now());
    const auto day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss time{moment - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(time.hours().count()),
                  int(time.minutes().count()), int(time.seconds().count()),
                  int(time.subseconds().count()));
    return text;
}

std::string caughtText() {
    try {
        if (const std::exception_ptr caught = std::current_exception())
            std::rethrow_exception(caught);
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
    }
    return std::string(DiagnosticLog::UnknownFailure);
}

// A log on a Velmaron would travel with the device and keep a file open on it while the user
// is told to pull the cable.
bool onDevice(const std::filesystem::path& file) noexcept {
    try {
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(file, error);
        for (auto directory = absolute.parent_path(); !error && !directory.empty();
             directory = directory.parent_path()) {
            if (HasDeviceDirectory((directory / "").string(), MarkerDirectoryName))
                return true;
            if (directory == directory.parent_path())
                break;
        }
    } catch (...) {
    }
    return false;
}

} // namespace

std::optional<std::string> DiagnosticLog::Open(const std::filesystem::path& path) {
    if (onDevice(path))
        return std::string(OnDevice);
    // What is queued when the program ends is written before it goes.
    static const bool closedAtExit = std::atexit([] { Close(); }) == 0;
    (void)closedAtExit;
    Sink& log = sink();
    log.drain();
    std::lock_guard lock(log.fileMutex);
    if (log.file.is_open())
        log.file.close();
    errno = 0;
    log.file.clear();
    log.file.open(path, std::ios::out | std::ios::app | std::ios::binary);
    if (!log.file.is_open()) {
        on_ = false;
        return errno != 0 ? std::generic_category().message(errno) : "cannot be opened";
    }
    on_ = true;
    return std::nullopt;
}

void DiagnosticLog::Close() noexcept {
    Sink& log = sink();
    on_ = false;
    log.drain();
    std::lock_guard lock(log.fileMutex);
    log.file.close();
}

void DiagnosticLog::Write(std::string_view operation, std::string_view drive,
                          std::string_view error) noexcept {
    if (!On())
        return;
    try {
        std::string line = now();
        line.append("\t").append(operation).append("\t").append(drive.empty() ? "-" : drive);
        line.append("\t").append(error).append("\n");
        Sink& log = sink();
        {
            std::lock_guard lock(log.mutex);
            log.lines.push_back(std::move(line));
        }
        log.wake.notify_one();
    } catch (...) {
        // The log never takes a step down with it.
    }
}

void DiagnosticLog::WriteCaught(std::string_view operation, std::string_view drive) noexcept {
    if (!On())
        return;
    try {
        Write(operation, drive, caughtText());
    } catch (...) {
    }
}

void DiagnosticLog::WriteIn(std::string_view operation, const std::filesystem::path& directory,
                            std::string_view error) noexcept {
    if (!On())
        return;
    std::string_view shown = "?"; // a name outside the code page
    std::string text;
    try {
        text = directory.string();
        shown = text;
    } catch (...) {
    }
    Write(operation, shown, error);
}

void DiagnosticLog::WriteCaughtIn(std::string_view operation,
                                  const std::filesystem::path& directory) noexcept {
    if (!On())
        return;
    try {
        WriteIn(operation, directory, caughtText());
    } catch (...) {
    }
}

} // namespace velmaron
