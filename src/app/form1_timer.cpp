// The poll timer's tick: the shared workflow scans the drives and decides what the window
// shows: it watches for one Velmaron, makes a suitable one ready for configuring and, once a
// configuration is written, leads the user through pulling the cable and plugging it in again.
// The device takes the file over when it comes back.

#include "app/form1.h"
#include "app/handler_steps.h"
#include "app/picture_box.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace velmaron {

namespace {

// The arrow display is this much wider than an arrow, so an arrow at this offset ends at its
// right edge.
constexpr int ArrowOffset = 32;

// Copies a whole picture unchanged, clipped to the target.
void copyPicture(QPixmap& target, int left, const QPixmap& source) {
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(left, 0, source);
}

} // namespace

void Form1::Timer1_Timer() {
    if (handlersRunning > 0)
        return;
    HandlerGuard busy(handlersRunning);
    Guarded([&] { showState(); }, {"Form1::showState"});
    workflow().Tick();
    Guarded([&] { settleView(); }, {"Form1::settleView"});
}

// The label mostly shows the state already: its text is made anew only when it does not.
void Form1::showState() {
    const int state = WorkflowState();
    if (state != stateShown || lblState->text() != stateText) {
        stateShown = state;
        stateText = QString::number(state);
        lblState->setText(stateText);
    }
}

void Form1::showArrow(QWidget* src) {
    QPixmap& display = picArrowDisplay->surface();
    copyPicture(display, 0, picNoArrow->surface());
    picArrowDisplay->refresh();
    if (auto* source = qobject_cast<PictureBox*>(src))
        copyPicture(display, ArrowShifted ? 0 : ArrowOffset, source->surface());
    picArrowDisplay->refresh();
    ArrowShifted = !ArrowShifted;
}

} // namespace velmaron
