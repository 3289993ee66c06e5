#pragma once
// The thread that does every drive and device-file call, so that the front end's own thread
// never waits on a drive: a stick can be slow, broken, or never answer at all. Jobs run one
// after another, in the order they are given; each hands its result back through the front
// end's dispatcher, on the front end's thread.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace velmaron {

class DevicePort;

// Hands a function over to the front end's thread, to run there soon, in the order given.
using Dispatch = std::function<void(std::function<void()>)>;

class DeviceWorker {
public:
    // The port's calls run on the worker's thread only; the drive each goes to (NoteDrive) is
    // watched. kept lives as long as the thread: what the jobs use besides the port.
    explicit DeviceWorker(std::shared_ptr<DevicePort> port, std::shared_ptr<void> kept = {});
    // Jobs not begun are dropped; the running one is abandoned, not waited for.
    ~DeviceWorker();
    DeviceWorker(const DeviceWorker&) = delete;
    DeviceWorker& operator=(const DeviceWorker&) = delete;

    // Runs job on the worker's thread after the jobs before it.
    void submit(std::function<void(DevicePort&)> job);

    // The drive the running job's call goes to; nullopt when it goes to none.
    std::optional<std::string> waitingOn() const;

    // Waits at most timeout for the jobs given so far to finish; true when they have.
    bool waitIdle(std::chrono::milliseconds timeout) const;

    struct State; // shared with the thread, which may outlive the worker

private:
    std::shared_ptr<State> state_;
    std::thread thread_;
};

} // namespace velmaron
