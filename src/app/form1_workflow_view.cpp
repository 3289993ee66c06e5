#include "app/form1_workflow_view.h"

#include "app/clickable_label.h"
#include "app/form1.h"
#include "app/message_boxes.h"
#include "app/picture_box.h"
#include "app/qt_text.h"
#include "app/tri_state_check_box.h"
#include "device/device_scan.h"
#include "config/version_file.h"
#include "device/version_file_access.h"
#include "workflow/cleanup.h"
#include "workflow/workflow_texts.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace velmaron {
namespace {

// A picker's calendar day at midnight.
DateTime dateTimeOf(const QDateEdit* picker) {
    constexpr qint64 julianDayOf1970 = 2440588;
    return DateTime(
        std::chrono::sys_days(std::chrono::days(picker->date().toJulianDay() - julianDayOf1970)));
}

// What the writer reads from the window.
ConfigSettings settingsOf(const Form1& form) {
    ConfigSettings s;
    s.Check2 = form.Check2->value();
    s.Check3 = form.Check3->value();
    s.Check4 = form.Check4->value();
    s.Check5 = form.Check5->value();
    s.Check6 = form.Check6->value();
    s.Check7 = form.Check7->value();
    s.Check8 = form.Check8->value();
    s.Check9 = form.Check9->value();
    s.Check10 = form.Check10->value();
    s.Check11 = form.Check11->value();
    for (int index = 0; index < static_cast<int>(std::size(form.Option1)); ++index) {
        if (form.Option1[index]->isChecked()) {
            s.Option1 = index;
            break;
        }
    }
    s.optVelmaron1 = form.optVelmaron[1]->isChecked();
    s.tbDays = form.tbDays->text().toStdString();
    s.dtPickerStart = dateTimeOf(form.DTPickerStart);
    s.dtPickerEnd = dateTimeOf(form.DTPickerEnd);
    s.ConfigByte = form.ConfigByte;
    s.KeepBit1 = form.KeepBit1;
    s.SoftwareVersion = form.SoftwareVersion;
    s.VersionText = form.VersionText;
    return s;
}

// The message box's text for a configuration that was not saved.
QString FailureMessage(const ConfigureFailure& failure) {
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

// A device read on every tick mostly reports what it reported before.
void Form1WorkflowView::beginRead() {
    form_.holdRepaints();
}

void Form1WorkflowView::readSettings() {
    form_.FindCurrentSettings();
}

// The window decides with whatever its last reads left.
std::optional<DeviceFacts> Form1WorkflowView::device() {
    return DeviceFacts{DeviceTypeOf(form_.VersionText), form_.SoftwareVersion};
}

void Form1WorkflowView::removeConfigFile() {
    if (const auto root = form_.deviceRoot())
        RemoveConfigFile(*root);
}

bool Form1WorkflowView::findDevice() {
    ScanResult search = FindFirstDevice(form_.driveServices());
    form_.DriveList = std::move(search.driveList);
    form_.showListLines(search.listLines);
    if (!search.driveIndex)
        return false;
    form_.DriveIndex = *search.driveIndex;
    form_.List1->addItem(QStringLiteral("Velmaron found"));
    return true;
}

// A version file that cannot be read leaves the text of the last successful read.
void Form1WorkflowView::readVersionText() {
    if (const auto root = form_.deviceRoot())
        if (ReadResult read = ReadVersionFile(*root); read.ok())
            form_.VersionText = std::move(read.content);
}

ConfigBuildResult Form1WorkflowView::buildConfig() {
    ConfigBuildResult built = BuildConfigFile(settingsOf(form_));
    form_.ConfigByte = built.ConfigByte;
    return built;
}

void Form1WorkflowView::removeStaleUpdateFiles() {
    if (const auto root = form_.deviceRoot())
        RemoveStaleUpdateFiles(*root);
}

SaveResult Form1WorkflowView::saveConfig(const ConfigFile& file) {
    const auto root = form_.deviceRoot();
    if (!root)
        return {SaveError::DeviceGone, {}};
    SaveResult saved = SaveUpdateFile(*root, file.fileName, ConfigFileBytes(file), form_.saveSteps);
    if (saved.ok())
        form_.List1->addItem(QString::fromStdString(file.listLine));
    return saved;
}

void Form1WorkflowView::reportFailure(const ConfigureFailure& failure) {
    MessageBoxes::ShowMessage(FailureMessage(failure));
}

void Form1WorkflowView::keepPolling() {
    if (!form_.Timer1->isActive())
        form_.Timer1->start();
}

} // namespace velmaron
