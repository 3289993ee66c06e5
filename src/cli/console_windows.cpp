#include "cli/console.h"

#include <windows.h>

namespace velmaron::cli {
namespace {

BOOL WINAPI onControl(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        NoteInterrupt();
        return TRUE;
    case CTRL_CLOSE_EVENT:
        // The process ends when this returns: give a save the moment it needs to clean up.
        NoteInterrupt();
        Sleep(2000);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

std::optional<Language> SystemLanguage() {
    switch (PRIMARYLANGID(GetUserDefaultUILanguage())) {
    case LANG_ENGLISH:
        return Language::English;
    case LANG_GERMAN:
        return Language::German;
    default:
        return std::nullopt;
    }
}

void PrepareConsole() {
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCtrlHandler(onControl, TRUE);
}

} // namespace velmaron::cli
