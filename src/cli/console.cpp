#include "cli/console.h"

#include <atomic>
#include <cstdlib>
#include <string_view>
#include <thread>

namespace velmaron::cli {
namespace {

// Set from the signal handler: a lock-free atomic is safe there.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

FileResult stopped(FileStep step) {
    return {FileFault::Failed, step, "interrupted"};
}

} // namespace

Language UserLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::string_view(value).starts_with("en") ? Language::English : Language::German;
    }
    return SystemLanguage().value_or(Language::German);
}

bool Interrupted() {
    return interrupted.load();
}

void NoteInterrupt() {
    interrupted.store(true);
}

bool SleepUnlessInterrupted(std::chrono::milliseconds duration) {
    constexpr auto slice = std::chrono::milliseconds(20);
    const auto end = std::chrono::steady_clock::now() + duration;
    while (!Interrupted()) {
        const auto left = end - std::chrono::steady_clock::now();
        if (left <= decltype(left)::zero())
            return true;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, slice));
    }
    return false;
}

SaveSteps InterruptibleSaveSteps(SaveSteps inner) {
    SaveSteps steps = inner;
    steps.writeDurably = [write = inner.writeDurably](const DeviceDirectory& directory,
                                                      const std::string& name,
                                                      std::string_view bytes) {
        if (Interrupted())
            return stopped(FileStep::Create);
        FileResult result = write(directory, name, bytes);
        return result.ok() && Interrupted() ? stopped(FileStep::Write) : result;
    };
    steps.replace = [replace = inner.replace](const DeviceDirectory& directory,
                                              const std::string& from, const std::string& to) {
        FileResult result = replace(directory, from, to);
        return result.ok() && Interrupted() ? stopped(FileStep::Rename) : result;
    };
    return steps;
}

} // namespace velmaron::cli
