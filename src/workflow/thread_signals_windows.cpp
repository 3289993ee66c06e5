#include "workflow/thread_signals.h"

namespace velmaron {

// Windows calls a console's Ctrl+C handler on a thread of its own.
void KeepSignalsAway() {}

} // namespace velmaron
