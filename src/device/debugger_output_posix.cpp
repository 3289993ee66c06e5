#include "device/debugger_output.h"

namespace velmaron {

// No debugger's stream here: the log file is all.
void WriteToDebugger(const std::string&) noexcept {}

} // namespace velmaron
