#pragma once
// The text of the information window: the instructions and the notes on the device software
// versions, or a short notice when the device in hand has been found unsuitable.

#include <QString>

namespace velmaron {

// mainStatus: the caption of the main window's status line. Lines are joined by "\r\n".
QString InfoText(const QString& mainStatus);

} // namespace velmaron
