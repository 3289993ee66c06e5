// Reading the device's version file and showing the settings it reports.

#include "app/form1.h"

namespace velmaron {

void Form1::FindCurrentSettings() {}

bool Form1::SetCheckBoxes(const int&) {
    return false;
}

void Form1::BadVersionFile(bool) {}

} // namespace velmaron
