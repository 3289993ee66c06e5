#pragma once
// The thread that does every drive and device-file call, so that the front end's own thread
// never waits on a drive: a stick can be slow, broken, or never answer at all. Jobs run one
// after another, in the order they are given; each hands its result back through the front
// end's dispatcher, on the front end's thread.
//
// A worker that is destroyed while a job waits on a drive is abandoned, not joined: its thread
// ends whenever the drive answers, or with the program.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace velmaron {

class DevicePort;

// Hands a function over to the front end's thread, to run there soon, in the order given.
using Dispatch = std::function<void(std::function<void()>)>;

class DeviceWorker {
public:
    // The port's calls run on the worker's thread only; the drive each goes to (NoteDrive) is
    // watched. kept lives as long as the thread: what the jobs use besides the port.
    explicit DeviceWorker(std::shared_ptr<DevicePort> port, std::shared_ptr<void> kept = {});
    ~DeviceWorker();
    DeviceWorker(const DeviceWorker&) = delete;
    DeviceWorker& operator=(const DeviceWorker&) = delete;

    // Runs job on the worker's thread after the jobs before it.
    void submit(std::function<void(DevicePort&)> job);

    // True from submit until the job has returned.
    bool busy() const;

    // The drive the running job's call goes to; nullopt when it goes to none.
    std::optional<std::string> waitingOn() const;

    // Waits at most timeout for the jobs given so far to finish; true when they have.
    bool waitIdle(std::chrono::milliseconds timeout) const;

    struct State; // shared with the thread, which may outlive the worker

private:
    std::shared_ptr<State> state_;
};


} // namespace velmaron
