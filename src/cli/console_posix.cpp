#include "cli/console.h"

#include <csignal>

namespace velmaron::cli {
namespace {

extern "C" void onInterrupt(int) {
    NoteInterrupt();
}

} // namespace

std::optional<Language> SystemLanguage() {
    return std::nullopt; // the environment is the system's language
}

void PrepareConsole() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read from the terminal returns at once, so a question is left too.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace velmaron::cli
