// Which polls go unshown: only one that finds what the last shown one found, in the state that
// poll left and did not change, with nothing shown meanwhile that the workflow did not put there.

#include "workflow/poll_shortcut.h"

#include <gtest/gtest.h>
#include <vector>

namespace velmaron {
namespace {

struct Poll {
    WorkflowStates in;
    int devices;
    bool handedBack;
    WorkflowStates leaves = in;
    bool showNext = false; // before it starts
    bool handled = true;   // what is handed back is dealt with
};

TEST(PollShortcut, WhichPollsAreHandedBack) {
    const WorkflowStates ready = DeviceReady, waiting = WaitForDevice;
    const struct {
        const char* name;
        std::vector<Poll> polls;
        bool everyPoll = false;
    } cases[] = {
        {"the first, then the same again", {{waiting, 0, true}, {waiting, 0, false}}},
        {"something else found", {{waiting, 0, true}, {waiting, 1, true}}},
        {"the state it left changed",
         {{waiting, 1, true, ready}, {ready, 1, true}, {ready, 1, false}}},
        {"pulled when ready, then waiting", {{ready, 0, true, waiting}, {waiting, 0, true}}},
        {"a state that does something each time",
         {{WaitForUnplug, 1, true}, {WaitForUnplug, 1, true}}},
        {"started in another state", {{waiting, 1, true}, {ready, 1, true}}},
        {"shown next",
         {{waiting, 0, true}, {waiting, 0, true, waiting, true}, {waiting, 0, false}}},
        {"never dealt with", {{waiting, 0, true, waiting, false, false}, {waiting, 0, true}}},
        {"every poll", {{waiting, 0, true}, {waiting, 0, true}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PollShortcut shortcut(c.everyPoll);
        int number = 0;
        for (const Poll& poll : c.polls) {
            SCOPED_TRACE(++number);
            if (poll.showNext)
                shortcut.showNext();
            PollResult result;
            result.scan.deviceCount = poll.devices;
            const bool handedBack = shortcut.handBack(result, poll.in);
            EXPECT_EQ(handedBack, poll.handedBack);
            if (handedBack && poll.handled)
                shortcut.handled(poll.in, poll.leaves);
        }
    }
}

} // namespace
} // namespace velmaron
