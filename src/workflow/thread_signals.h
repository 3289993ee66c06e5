#pragma once
// A thread that may wait a long time in a drive call must not be the one a signal (Ctrl+C)
// goes to: the handler would run only when the drive answers. The device worker's thread keeps
// the process's signals away from itself, so that they reach a thread that acts on them at
// once. One file per platform.

namespace velmaron {

void KeepSignalsAway();

} // namespace velmaron
