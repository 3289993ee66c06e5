#pragma once
// Which drive a thread's device calls go to, for whoever watches that thread: a drive that does
// not answer can then be named while a call waits on it.

#include <string>

namespace velmaron {

class DriveWatch {
public:
    virtual ~DriveWatch() = default;
    // The calls from now on go to the drive at root.
    virtual void noteDrive(const std::string& root) = 0;
};

// Watches the calling thread's device calls from now on; nullptr: no more.
void WatchDrives(DriveWatch* watch);

// The calling thread's device calls from now on, until the next note, go to the drive at root.
void NoteDrive(const std::string& root);

} // namespace velmaron
