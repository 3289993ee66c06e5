#pragma once
// The command-line tool's terminal: the user's language, and Ctrl+C. An interrupt does not end
// the tool at once: it is noted, and the tool stops at the next safe point, so that no partial
// file is ever left on a device.

#include "config/language.h"
#include "device/durable_save.h"

#include <chrono>
#include <optional>

namespace velmaron::cli {

// LC_ALL, LC_MESSAGES and LANG, the first that is set: English when it begins with "en",
// else German; with none of them set, the system's own language where it has one.
Language UserLanguage();
// The system's own language, where the platform tells it apart from the environment.
std::optional<Language> SystemLanguage();

// Makes the terminal take UTF-8 and notes Ctrl+C (SIGINT and SIGTERM; on Windows the console's
// control events) instead of ending the program.
void PrepareConsole();
bool Interrupted();
// Notes an interrupt, as the handler does.
void NoteInterrupt();

// Sleeps for the duration or until an interrupt; false when interrupted.
bool SleepUnlessInterrupted(std::chrono::milliseconds duration);

// The save's file operations, stopped by an interrupt: once the temporary file is written, an
// interrupt makes the save fail, and the save then removes whatever it wrote.
SaveSteps InterruptibleSaveSteps(SaveSteps inner = {});

} // namespace velmaron::cli
