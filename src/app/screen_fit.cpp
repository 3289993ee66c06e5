#include "app/screen_fit.h"

#include "app/artwork.h"

#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace velmaron {

namespace {

// Systems tell a window's frame a few pixels short (a border they leave out, rounding at 150 %):
// a window that has to fit keeps this much more room beside and below it.
const QMargins FrameSlack(4, 0, 4, 4);

} // namespace

WindowPlace placeWithin(const QRect& frame, const QMargins& margins, int wanted, int smallest,
                        const QRect& area) {
    const int room = area.height() - margins.top() - margins.bottom();
    const int clientHeight = wanted <= room ? wanted : std::max(std::min(smallest, wanted), room);
    const int frameHeight = clientHeight + margins.top() + margins.bottom();
    // Up (left) as far as needed, but never past the top (left) edge.
    const auto within = [](int start, int length, int areaStart, int areaLength) {
        return std::max(std::min(start, areaStart + areaLength - length), areaStart);
    };
    return {QPoint(within(frame.left(), frame.width(), area.left(), area.width()),
                   within(frame.top(), frameHeight, area.top(), area.height())),
            clientHeight};
}

namespace {

// From the picture's top: the arrow's offset, which shrinks with the picture, and the part of the
// arrow display that the arrow is drawn in, which does not.
struct BandSpans {
    int top, arrowOffset, arrowHeight, pictureHeight;
};

BandSpans spansOf(const BandDesign& design) {
    return {design.picture.top(), design.arrow.top() - design.picture.top(),
            design.arrow.height(), design.picture.height()};
}

} // namespace

int BandDesign::smallestHeight() const {
    const BandSpans spans = spansOf(*this);
    const int instructionEnd = instruction.top() + instruction.height() - spans.top;
    if (spans.arrowOffset <= 0 || instructionEnd <= 0)
        return tallHeight;
    // The least height at which bandAt's rounded arrow top still meets the instruction's
    // bottom: from the picture's bottom and from the arrow's.
    const double reach = instructionEnd - 0.5;
    const double height = std::max(reach * spans.pictureHeight / spans.arrowOffset,
                                   reach + spans.arrowHeight);
    return std::min(tallHeight, spans.top + int(std::ceil(height)));
}

BandDesign bandOf(const QLabel* picture, const QWidget* arrowDisplay, const QWidget* instruction,
                  int tallHeight) {
    const QRect display = arrowDisplay->geometry();
    const int drawn = std::min(display.height(), arrowPicture(ArrowDirection::Left).height());
    return {picture->geometry(), QRect(display.topLeft(), QSize(display.width(), drawn)),
            instruction->geometry(), tallHeight};
}

// The space below the picture goes first; then the picture shrinks just so far that it and
// the arrow end within the client area.
BandPlace bandAt(const BandDesign& design, int clientHeight) {
    const BandSpans spans = spansOf(design);
    if (spans.arrowOffset <= 0 || spans.pictureHeight <= 0)
        return {1.0, design.arrow.top()};
    const double room = clientHeight - spans.top;
    const double scale = std::clamp(std::min(room / spans.pictureHeight,
                                             (room - spans.arrowHeight) / spans.arrowOffset),
                                    0.0, 1.0);
    return {scale, spans.top + int(std::lround(spans.arrowOffset * scale))};
}

ScreenFit::ScreenFit(QWidget* fitted, QLabel* bandPicture, QWidget* bandArrow,
                     QWidget* instruction, int tallHeight)
    : QObject(fitted), window(fitted), picture(bandPicture), arrow(bandArrow),
      design(bandOf(bandPicture, bandArrow, instruction, tallHeight)) {
    window->installEventFilter(this);
}

void ScreenFit::setWantedHeight(int clientHeight, bool tallLayout) {
    // The poll asks again and again for the layout it has; a window the user has dragged
    // partly off the screen is then left where it is.
    if (clientHeight == wanted && tallLayout == tall)
        return;
    wanted = clientHeight;
    tall = tallLayout;
    fit();
}

void ScreenFit::fit() {
    // Until the layout asks for a height, the one the window was given at start-up.
    const int height = wanted > 0 ? wanted : window->height();
    if (!window->isVisible()) {
        window->setFixedSize(window->width(), height);
        placeBand(height);
        return;
    }
    QScreen* screen = window->screen();
    watchScreen(screen);
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const QMargins margins =
        QMargins(client.left() - frame.left(), client.top() - frame.top(),
                 frame.right() - client.right(), frame.bottom() - client.bottom()) +
        FrameSlack;
    const WindowPlace place = placeWithin(frame.marginsAdded(FrameSlack), margins, height,
                                          tall ? design.smallestHeight() : height,
                                          screen->availableGeometry());
    window->setFixedSize(window->width(), place.clientHeight);
    placeBand(place.clientHeight);
    const QPoint topLeft = place.frameTopLeft + QPoint(FrameSlack.left(), FrameSlack.top());
    if (topLeft != frame.topLeft())
        window->move(topLeft);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window && event->type() == QEvent::Show) {
        if (QWindow* handle = window->windowHandle())
            connect(handle, &QWindow::screenChanged, this, &ScreenFit::fit, Qt::UniqueConnection);
        fit();
    }
    return false;
}

void ScreenFit::watchScreen(QScreen* screen) {
    if (screen == watchedScreen)
        return;
    if (watchedScreen)
        disconnect(watchedScreen, nullptr, this, nullptr);
    watchedScreen = screen;
    if (screen)
        connect(screen, &QScreen::availableGeometryChanged, this, &ScreenFit::fit);
}

void ScreenFit::placeBand(int clientHeight) {
    // The normal layout hides the band; it keeps its last place until the band shows again.
    if (!tall)
        return;
    const BandPlace place = bandAt(design, clientHeight);
    arrow->move(arrow->x(), place.arrowTop);
    if (place.pictureScale == shownScale)
        return;
    shownScale = place.pictureScale;
    const QSize size(int(std::lround(design.picture.width() * shownScale)),
                     int(std::lround(design.picture.height() * shownScale)));
    picture->resize(size);
    picture->setPixmap(shownScale == 1 ? devicePicture()
                                       : devicePicture().scaled(size, Qt::IgnoreAspectRatio,
                                                                Qt::SmoothTransformation));
}

} // namespace velmaron
