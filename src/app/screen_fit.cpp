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

// From the picture's top: the arrow's offset and the space below it, which both shrink with
// the picture; the arrow's own height does not.
struct BandSpans {
    int top, arrowOffset, arrowHeight, shrinking;
};

BandSpans spansOf(const BandDesign& design) {
    const int arrowOffset = design.arrow.top() - design.picture.top();
    const int below = design.tallHeight - design.arrow.top() - design.arrow.height();
    return {design.picture.top(), arrowOffset, design.arrow.height(), arrowOffset + below};
}

} // namespace

int BandDesign::smallestHeight() const {
    const BandSpans spans = spansOf(*this);
    const int instructionEnd = instruction.top() + instruction.height() - spans.top;
    if (spans.arrowOffset <= 0 || instructionEnd <= 0)
        return tallHeight;
    // The scale at which the arrow's top meets the instruction's bottom.
    const int shrinking =
        (instructionEnd * spans.shrinking + spans.arrowOffset - 1) / spans.arrowOffset;
    return std::min(tallHeight, spans.top + spans.arrowHeight + shrinking);
}

BandPlace bandAt(const BandDesign& design, int clientHeight) {
    const BandSpans spans = spansOf(design);
    if (clientHeight >= design.tallHeight || spans.shrinking <= 0)
        return {1.0, design.arrow.top()};
    const double scale = std::max(
        0.0, double(clientHeight - spans.top - spans.arrowHeight) / double(spans.shrinking));
    return {scale, spans.top + int(std::lround(spans.arrowOffset * scale))};
}

ScreenFit::ScreenFit(QWidget* fitted, QLabel* bandPicture, QWidget* bandArrow,
                     QWidget* instruction, int tallHeight)
    : QObject(fitted), window(fitted), picture(bandPicture), arrow(bandArrow),
      design{bandPicture->geometry(), bandArrow->geometry(), instruction->geometry(), tallHeight} {
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
