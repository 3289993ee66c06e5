#pragma once
// Keeps the main window inside its screen's area without the taskbar, frame included. The tall
// layout is higher than many laptop screens leave room for (748 pixels and the frame at 100 %
// on 1366 x 768, and at 150 % on 1920 x 1080): the window moves up first, and where that is not
// enough the instruction band gets shorter, its device picture drawn smaller in proportion
// while the instruction and the arrow keep their size, the arrow just below the pictured cable.

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QLabel;
class QScreen;
class QWidget;

namespace velmaron {

// Where a window's frame goes and how high its client area is.
struct WindowPlace {
    QPoint frameTopLeft;
    int clientHeight;
};

// frame: the frame as it lies now, margins: the frame around the client area, wanted: the
// client height the layout asks for, smallest: the least it may shrink to (wanted where it
// cannot shrink), area: the screen's area without the taskbar. A window that fits stays where it
// is; one that does not moves up (or left) until it fits, and shrinks only when moving is not
// enough. Its top never goes above the area's, even where even the smallest height is too high.
WindowPlace placeWithin(const QRect& frame, const QMargins& margins, int wanted, int smallest,
                        const QRect& area);

// The band as the layout designs it, in the window's pixels: the device picture, the part of the
// arrow display that the arrow is drawn in (its top; the rest stays empty and may lie below the
// window's edge), the instruction over the picture's top left, and the tall client height.
struct BandDesign {
    QRect picture;
    QRect arrow;
    QRect instruction;
    int tallHeight = 0;

    // The least client height at which the arrow still lies wholly below the instruction.
    int smallestHeight() const;
};

// The band at a client height of the tall layout: the device picture's scale (1 at the full
// height) and the arrow display's top. The space below the arrow shrinks with the picture.
struct BandPlace {
    double pictureScale;
    int arrowTop;
};
BandPlace bandAt(const BandDesign& design, int clientHeight);

// The band of the window's controls as they are placed now.
BandDesign bandOf(const QLabel* picture, const QWidget* arrowDisplay, const QWidget* instruction,
                  int tallHeight);

// Applies the above to the main window whenever it is shown, its layout asks for another
// height, or the area of its screen changes (a taskbar comes or goes, another screen).
class ScreenFit : public QObject {
public:
    // The band's controls as the layout placed them; they are placed anew as the band shrinks.
    ScreenFit(QWidget* fitted, QLabel* bandPicture, QWidget* bandArrow, QWidget* instruction,
              int tallHeight);

    // The client height the layout asks for; only the tall layout's band can shrink.
    void setWantedHeight(int clientHeight, bool tall);
    // Fits a shown window to its screen now; a hidden one keeps the wanted height until shown.
    void fit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchScreen(QScreen* screen);
    void placeBand(int clientHeight);

    QWidget* window;
    QLabel* picture;
    QWidget* arrow;
    BandDesign design;
    int wanted = 0;
    bool tall = false;
    double shownScale = 1;
    QPointer<QScreen> watchedScreen;
};

} // namespace velmaron
