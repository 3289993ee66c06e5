// The window's view of the poll. The scan runs twice a second and mostly finds what it found
// before, and a device that is read on every tick mostly reports what it reported before, so
// List1's rows and the controls are repainted only where they show something new.

#include "app/clickable_label.h"
#include "app/form1.h"
#include "app/form1_workflow_view.h"
#include "app/handler_steps.h"
#include "app/held_repaints.h"
#include "app/list_lines.h"
#include "app/tri_state_check_box.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace velmaron {

// Chosen before the first poll: the workflow starts afresh on them.
void Form1::setDriveServices(std::unique_ptr<DriveServices> services) {
    workflow_.reset();
    drives = std::move(services);
}

Workflow& Form1::workflow() {
    if (!workflow_) {
        if (!drives)
            drives = MakeDriveServices();
        workflow_ = std::make_unique<WindowWorkflow>(
            *this, std::make_shared<DrivePort>(drives, sharedSaveSteps));
    }
    return workflow_->workflow;
}

// Before the first poll nothing has been read, and the workflow waits for a device.
const WorkflowFacts& Form1::facts() const {
    static const WorkflowFacts nothingRead;
    return workflow_ ? workflow_->workflow.facts() : nothingRead;
}

int Form1::WorkflowState() const {
    return facts().state;
}

int Form1::SoftwareVersion() const {
    return facts().softwareVersion;
}

// Like any handler that may show a message box: a poll tick that falls due meanwhile is
// skipped, and the window shows what the function did before the event loop runs on.
void Form1::runHandedOver(const std::function<void()>& function) {
    HandlerGuard busy(handlersRunning);
    function();
    settleView();
}

void Form1::ScanForDevices() {
    workflow().ScanForDevices();
}

void Form1::FindCurrentSettings() {
    workflow().FindCurrentSettings();
}

void Form1::showListLines(const std::vector<std::string>& lines, bool settle) {
    listLines->restart();
    for (const std::string& line : lines)
        listLines->write(QString::fromLocal8Bit(line));
    if (settle)
        listLines->finish();
}

void Form1::writeListLine(const QString& line) {
    listLines->write(line);
}

void Form1::holdRepaints() {
    if (!heldRepaints)
        heldRepaints = std::make_unique<HeldRepaints>();
    heldRepaints->hold({Check1,        Check2,         Check3,         Check4,       Check5,
                        Check6,        Check7,         Check8,         Check9,       Check10,
                        Check11,       Option1[0],     Option1[1],     Option1[2],   Option1[3],
                        Option1[4],    optVelmaron[0], optVelmaron[1], tbDays,       Label7,
                        DTPickerStart, DTPickerEnd,    lblMessage,     lblSWVersion, cmdConfigure,
                        lblInstruction});
}

void Form1::settleView() {
    listLines->finish();
    if (heldRepaints)
        heldRepaints->release();
}

} // namespace velmaron
