#pragma once
// Twice a second a poll mostly finds what the one before found. Where the state machine would
// do the same again with it, the poll's result is not handed back to the front end at all:
// this keeps what was last shown and tells whether a poll changes it.

#include "device/device_files.h"
#include "device/device_scan.h"
#include "workflow/workflow_view.h"

#include <mutex>
#include <optional>

namespace velmaron {

// What one poll finds.
struct PollResult {
    ScanResult scan;
    std::optional<ReadResult> versionFile; // read when one device was found in WaitForDevice
    bool operator==(const PollResult&) const = default;
};

class PollShortcut {
public:
    // everyPoll: every poll is handed back.
    explicit PollShortcut(bool everyPoll = false) : everyPoll_(everyPoll) {}

    // Front end's thread. The next poll is handed back whatever it finds: the view shows
    // something the workflow did not put there, or what a read carries over has not settled.
    void showNext();
    // The poll last handed back has been dealt with: it began in state before and left after.
    void handled(WorkflowStates before, WorkflowStates after);

    // Worker's thread: whether the poll that started in state startedIn and found result is
    // handed back. One that is becomes what was last shown, and the state machine has yet to
    // deal with it.
    bool handBack(const PollResult& result, WorkflowStates startedIn);

private:
    std::mutex mutex_;
    const bool everyPoll_;
    bool forced_ = true;
    // The state in which the last poll shown, found again, does nothing new.
    std::optional<WorkflowStates> settledIn_;
    std::optional<PollResult> lastShown_;
};

} // namespace velmaron
