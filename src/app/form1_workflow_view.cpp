#include "app/form1_workflow_view.h"

#include "app/clickable_label.h"
#include "app/form1.h"
#include "app/message_boxes.h"
#include "app/picture_box.h"
#include "app/qt_text.h"
#include "app/window_texts.h"
#include "workflow/workflow_texts.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace velmaron {
namespace {

// The message box's text for a configuration that was not saved.
QString failureMessage(const ConfigureFailure& failure) {
    QStringList lines;
    for (std::string_view line : FailureLines(failure))
        lines << toQString(line);
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

void Form1WorkflowView::setMessage(Message message) {
    form_.lblMessage->setText(toQString(TextOf(message)));
}

void Form1WorkflowView::setInstruction(Instruction instruction) {
    form_.lblInstruction->setText(toQString(TextOf(instruction)));
}

void Form1WorkflowView::showArrow(Arrow arrow) {
    form_.showArrow(arrow == Arrow::In    ? form_.picInArrow
                    : arrow == Arrow::Out ? form_.picOutArrow
                                          : form_.picNoArrow);
}

void Form1WorkflowView::setArrowVisible(bool visible) {
    form_.picArrowDisplay->setVisible(visible);
}

void Form1WorkflowView::setTall(bool tall) {
    form_.setTallLayout(tall);
}

void Form1WorkflowView::setVersionVisible(bool visible) {
    form_.lblSWVersion->setVisible(visible);
}

void Form1WorkflowView::enableConfigure(bool enabled) {
    form_.cmdConfigure->setEnabled(enabled);
}

// The settings read after the scan may write the rows below its lines again.
void Form1WorkflowView::showScan(const ScanResult& scan) {
    form_.showListLines(scan.listLines, false);
}

void Form1WorkflowView::showSearch(const ScanResult& search) {
    form_.showListLines(search.listLines);
    if (search.driveIndex)
        form_.List1->addItem(QStringLiteral("Velmaron found"));
}

// A device read on every tick mostly reports what it reported before.
void Form1WorkflowView::beginRead() {
    form_.holdRepaints();
}

// A message box lets the event loop run, so the window first shows what the tick has done.
void Form1WorkflowView::showVersionFileProblem(VersionFileProblem problem) {
    form_.settleView();
    MessageBoxes::ShowMessage(WindowTexts::VersionFileProblemMessage(problem));
}

void Form1WorkflowView::showConfigFileWritten(const ConfigFile& file) {
    form_.List1->addItem(QString::fromStdString(file.listLine));
}

void Form1WorkflowView::reportFailure(const ConfigureFailure& failure) {
    MessageBoxes::ShowMessage(failureMessage(failure));
}

void Form1WorkflowView::keepPolling() {
    if (!form_.Timer1->isActive())
        form_.Timer1->start();
}

// Below the lines of the last poll, until a poll ends and shows the drives afresh.
void Form1WorkflowView::showUnresponsiveDrive(const std::string& root) {
    const QString line = QString::fromLocal8Bit(root) + QStringLiteral("\tnot responding");
    const int rows = form_.List1->count();
    if (rows == 0 || form_.List1->item(rows - 1)->text() != line)
        form_.writeListLine(line);
}

} // namespace velmaron
