#include "terminal.h"

#include <csignal>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace velmaron::sim {
namespace {

termios savedMode;

// Ctrl+C leaves the terminal as it was found.
extern "C" void restoreAndLeave(int) {
    tcsetattr(STDIN_FILENO, TCSANOW, &savedMode);
    _exit(130);
}

} // namespace

KeyInput::KeyInput() {
    if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &savedMode) != 0)
        return;
    termios mode = savedMode;
    mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    mode.c_cc[VMIN] = 1;
    mode.c_cc[VTIME] = 0;
    std::signal(SIGINT, restoreAndLeave);
    std::signal(SIGTERM, restoreAndLeave);
    raw_ = tcsetattr(STDIN_FILENO, TCSANOW, &mode) == 0;
}

KeyInput::~KeyInput() {
    if (raw_)
        tcsetattr(STDIN_FILENO, TCSANOW, &savedMode);
}

std::optional<char> KeyInput::next(int timeoutMs) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, timeoutMs) <= 0)
        return std::nullopt;
    char key = 0;
    if (read(STDIN_FILENO, &key, 1) != 1)
        return 'q';
    return key;
}

} // namespace velmaron::sim
