#pragma once
// Which drive a thread's device calls go to, for whoever watches that thread: a drive that does
// not answer can then be named while the call waits on it.

#include <string>

namespace velmaron {

class DriveWatch {
public:
    virtual ~DriveWatch() = default;
    // The calls from now on go to the drive at root; empty: to no drive in particular.
    virtual void noteDrive(const std::string& root) = 0;
};

// Watches the calling thread's device calls from now on; nullptr: no more.
void WatchDrives(DriveWatch* watch);

// Marks, for as long as it lives, that the calling thread's device calls go to a drive.
class DriveCall {
public:
    explicit DriveCall(const std::string& root);
    ~DriveCall();
    DriveCall(const DriveCall&) = delete;
    DriveCall& operator=(const DriveCall&) = delete;
};

} // namespace velmaron
