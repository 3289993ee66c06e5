#include "workflow/thread_signals.h"

#include <csignal>
#include <pthread.h>

namespace velmaron {

void KeepSignalsAway() {
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);
}

} // namespace velmaron
