#pragma once
// Single key presses from the terminal, for the emulator's interactive mode.

#include <optional>

namespace velmaron::sim {

// While it lives, a terminal on standard input hands over every key at once, without echo.
// Input from a pipe is read as it comes.
class KeyInput {
public:
    KeyInput();
    ~KeyInput();
    KeyInput(const KeyInput&) = delete;
    KeyInput& operator=(const KeyInput&) = delete;

    // The next key, waiting at most timeoutMs; nullopt when none came. The end of the input
    // reads as 'q'.
    std::optional<char> next(int timeoutMs);

private:
    bool raw_ = false;
};

} // namespace velmaron::sim
