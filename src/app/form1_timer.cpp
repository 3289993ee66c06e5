// The poll timer's tick: it watches the drives for one Velmaron, makes a suitable one ready
// for configuring and, once a configuration is written, leads the user through pulling the
// cable and plugging it in again. The device takes the file over when it comes back.

#include "app/clickable_label.h"
#include "app/form1.h"
#include "app/handler_steps.h"
#include "app/picture_box.h"
#include "device/version_file.h"
#include "workflow/cleanup.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace velmaron {

namespace {

// The arrow display is this much wider than an arrow, so an arrow at this offset ends at its
// right edge.
constexpr int ArrowOffset = 32;

// State 0 with exactly one device: show its settings and decide what it is good for.
void checkReadiness(Form1& form) {
    // A device read on every tick mostly reports what it reported before.
    runGuarded([&] { form.holdRepaints(); });
    runGuarded([&] { form.lblMessage->setText(QStringLiteral("Velmaron gefunden")); });
    runGuarded([&] { form.FindCurrentSettings(); });
    runGuarded([&] { form.lblMessage->setText(QStringLiteral("Konfiguration gelesen")); });
    runGuarded([&] { form.lblSWVersion->show(); });
    // A Velmaron CR is only shown, never configured here; its settings are read every tick.
    if (DeviceTypeOf(form.VersionText) == "CR")
        return;
    if (form.SoftwareVersion >= FirstSuitableVersion) {
        runGuarded([&] { form.cmdConfigure->setEnabled(true); });
        runGuarded([&] { form.setTallLayout(false); });
        form.WorkflowState = DeviceReady;
        return;
    }
    runGuarded([&] { form.lblMessage->setText(QStringLiteral("Nicht geeignet")); });
    runGuarded([&] { form.picArrowDisplay->show(); });
    runGuarded([&] { form.showArrow(form.picOutArrow); });
    runGuarded([&] { form.lblInstruction->setText(QStringLiteral("USB Kable trennen")); });
    runGuarded([&] { form.setTallLayout(true); });
    form.WorkflowState = NotSuitable;
}

// State 3, the device is back: it has taken the file over.
void announceSuccess(Form1& form) {
    runGuarded([&] { form.lblInstruction->setText(QStringLiteral("USB Kabel trennen")); });
    runGuarded([&] { form.lblMessage->setText(QStringLiteral("Erfolgreich Gespeichert!")); });
    form.WorkflowState = Saved;
    runGuarded([&] { form.showArrow(form.picNoArrow); });
    runGuarded([&] { form.setTallLayout(false); });
    runGuarded([&] {
        if (const auto root = form.deviceRoot())
            RemoveConfigFile(*root);
    });
}

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
    runGuarded([&] { lblState->setText(QString::number(WorkflowState)); });
    runGuarded([&] { scanDevices(); });

    const bool none = DeviceCount == 0;
    const bool one = DeviceCount == 1;
    // Each step is guarded on its own; the surrounding guard only keeps the handler whole.
    runGuarded([&] {
        switch (WorkflowState) {
        case WaitForDevice:
            if (none) {
                runGuarded([&] { lblMessage->setText(QStringLiteral("Gerät per USB verbinden")); });
                runGuarded([&] { lblSWVersion->hide(); });
            } else if (one) {
                checkReadiness(*this);
            }
            break;
        case DeviceReady:
            if (none) {
                runGuarded([&] { cmdConfigure->setEnabled(false); });
                WorkflowState = WaitForDevice;
            }
            break;
        case WaitForUnplug:
            if (none) {
                runGuarded([&] { showArrow(picInArrow); });
                runGuarded([&] { lblInstruction->setText(QStringLiteral("USB Kabel verbinden")); });
                WorkflowState = WaitForReplug;
            } else if (one) {
                runGuarded([&] { showArrow(picOutArrow); });
            }
            break;
        case WaitForReplug:
            if (none) {
                runGuarded([&] { showArrow(picInArrow); });
                runGuarded([&] { lblInstruction->setText(QStringLiteral("USB Kabel verbinden")); });
            } else if (one) {
                announceSuccess(*this);
            }
            break;
        case Saved:
            if (none) {
                runGuarded([&] { showArrow(picNoArrow); });
                runGuarded([&] { setTallLayout(false); });
                WorkflowState = WaitForDevice;
            }
            runGuarded([&] { picArrowDisplay->hide(); });
            break;
        default: // NotSuitable pauses one tick; any other value is not a state
            WorkflowState = WaitForDevice;
            break;
        }
    });
    runGuarded([&] { settleView(); });
}

void Form1::DisconnectReconnectVelmaron() {
    lblMessage->clear();
    lblInstruction->setText(QStringLiteral("USB Kabel trennen"));
    picArrowDisplay->show();
    setTallLayout(true);
    if (!Timer1->isActive())
        Timer1->start();
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
