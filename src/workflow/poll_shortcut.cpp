#include "workflow/poll_shortcut.h"

#include <utility>

namespace velmaron {

void PollShortcut::showNext() {
    std::lock_guard lock(mutex_);
    forced_ = true;
}

// Only waiting for a device and being ready do the same again with the same finding, and only
// when the poll moved nothing: a poll that changed the state did something the next one won't.
void PollShortcut::handled(WorkflowStates before, WorkflowStates after) {
    std::lock_guard lock(mutex_);
    if (!everyPoll_ && before == after && (after == WaitForDevice || after == DeviceReady))
        settledIn_ = after;
}

bool PollShortcut::handBack(const PollResult& result, WorkflowStates startedIn) {
    std::lock_guard lock(mutex_);
    const bool forced = std::exchange(forced_, false);
    if (!forced && settledIn_ == startedIn && lastShown_ == result)
        return false;
    lastShown_ = result;
    settledIn_.reset(); // until the state machine has dealt with it
    return true;
}

} // namespace velmaron
