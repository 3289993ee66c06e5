#pragma once
// The debugger's output stream of the platform, where it has one (elsewhere this does
// nothing): a debugger attached to the running program sees the diagnostic log's lines.

#include <string>

namespace velmaron {

void WriteToDebugger(const std::string& line) noexcept;

} // namespace velmaron
