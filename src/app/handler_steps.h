#pragma once
// How the main window's handlers run their steps. A failing step is skipped and the handler
// goes on with the next one, so nothing escapes into the event loop. Handlers that may let
// the event loop run (a message box, a wait) mark themselves busy, so that a poll tick falling
// due meanwhile is skipped instead of running inside them.

#include "workflow/workflow.h"

namespace velmaron {

// Counts a running handler for as long as it lives.
class HandlerGuard {
public:
    explicit HandlerGuard(int& running) : running_(running) { ++running_; }
    ~HandlerGuard() { --running_; }
    HandlerGuard(const HandlerGuard&) = delete;
    HandlerGuard& operator=(const HandlerGuard&) = delete;

private:
    int& running_;
};

} // namespace velmaron
