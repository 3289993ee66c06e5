#pragma once
// The program's pictures, drawn in code: the icon, the device with its cable and the arrows
// that show which way the cable goes.

#include <QColor>
#include <QImage>
#include <QPixmap>

namespace velmaron {

// The light blue of both windows, their frames, check boxes, option buttons and picture boxes.
QColor backgroundColour();

// 72 x 72.
QPixmap programIcon();
// The same icon drawn at size x size pixels, for the installed icons of every size.
QImage programIconImage(int size);
// 270 x 221, transparent around the device: the device on the right, its USB cable entering
// from the left edge a little below the middle, room for the instruction text at the top left.
QPixmap devicePicture();

enum class ArrowDirection { Left, Right };
// 100 x 47, transparent around the arrow.
QPixmap arrowPicture(ArrowDirection direction);

} // namespace velmaron
