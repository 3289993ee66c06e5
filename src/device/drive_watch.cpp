#include "device/drive_watch.h"

namespace velmaron {
namespace {

thread_local DriveWatch* watching = nullptr;

void note(const std::string& root) {
    if (watching != nullptr)
        watching->noteDrive(root);
}

} // namespace

void WatchDrives(DriveWatch* watch) {
    watching = watch;
}

DriveCall::DriveCall(const std::string& root) {
    note(root);
}

DriveCall::~DriveCall() {
    note({});
}

} // namespace velmaron
