#include "device/debugger_output.h"

#include <windows.h>

namespace velmaron {

void WriteToDebugger(const std::string& line) noexcept {
    OutputDebugStringA(line.c_str());
}

} // namespace velmaron
