#pragma once
// Positions and sizes of the windows' controls are kept in twips, the unit of the layout
// tables: 15 twips are one pixel. A control remembers the twips it was placed at, so that a
// position that is not a whole pixel (the options page returns to Left 5) reads back as set.

class QWidget;

namespace velmaron {

inline constexpr int TwipsPerPixel = 15;

// Rounded to the nearest pixel; the layout uses only positive values.
constexpr int toPixels(int twips) {
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

void placeTwips(QWidget* widget, int left, int top, int width, int height);
void setLeftTwips(QWidget* widget, int left);
void setTopTwips(QWidget* widget, int top);
int leftTwips(const QWidget* widget);
int topTwips(const QWidget* widget);

} // namespace velmaron
