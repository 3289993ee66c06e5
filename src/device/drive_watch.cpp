#include "device/drive_watch.h"

namespace velmaron {
namespace {

thread_local DriveWatch* watching = nullptr;

} // namespace

void WatchDrives(DriveWatch* watch) {
    watching = watch;
}

void NoteDrive(const std::string& root) {
    if (watching != nullptr)
        watching->noteDrive(root);
}

} // namespace velmaron
