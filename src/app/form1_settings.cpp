// Reading the device's version file and showing the settings it reports.
//
// The controls are set one by one in a fixed order, as a user would click them: the click
// reactions of dependent options (Check8 and Check10 below version 36, Check11 and the
// period) run in between and the result depends on that order.

#include "app/clickable_label.h"
#include "app/form1.h"
#include "app/message_boxes.h"
#include "app/qt_text.h"
#include "app/tri_state_check_box.h"
#include "config/date_codec.h"
#include "device/version_file_access.h"
#include "workflow/workflow_texts.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <chrono>
#include <optional>

namespace velmaron {

namespace {

// A device whose file stays (write-protected card, a caching file system) must not hang the
// tool: after this long the user gets the message anyway.
constexpr std::chrono::milliseconds VanishTimeout{2000};
constexpr std::chrono::milliseconds VanishPause{10};

// The status file's problem, and what the user does about it.
QString problemMessage(StatusFileProblem problem) {
    return toQString(TextOf(problem)) + QStringLiteral("\r\n") + toQString(ReconnectText()) +
           QStringLiteral("\r\nWarten Sie einen Moment und klicken auf \"Aktuelle "
                          "Einstellungen\".");
}

// A message box lets the event loop run, so the window first shows what the tick has done.
void tell(Form1& window, const QString& text) {
    window.settleView();
    MessageBoxes::ShowMessage(text);
}

void showMissingFileMessage(Form1& window) {
    tell(window, problemMessage(StatusFileProblem::Missing));
}

// Texts from the file count one character per byte.
QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void addListLine(Form1& window, const std::string& line) {
    window.writeListLine(latin1(line));
}

// The deletion's own result is not trusted alone: some file systems report success and keep
// showing the file for a while. The device's names are case-blind, so any case counts.
void waitUntilGone(Form1& window, const std::string& root) {
    window.settleView();
    const auto deadline = window.vanishWait.now() + VanishTimeout;
    while (VersionFileExists(root) && window.vanishWait.now() < deadline) {
        QCoreApplication::processEvents();
        window.vanishWait.pause(VanishPause);
    }
}

QDate calendarDay(DateTime moment) {
    const std::chrono::year_month_day day{std::chrono::floor<std::chrono::days>(moment)};
    return QDate(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                 static_cast<int>(static_cast<unsigned>(day.day())));
}

TriStateCheckBox* checkBoxNumber(Form1& window, int number) {
    TriStateCheckBox* const boxes[] = {window.Check1, window.Check2,  window.Check3, window.Check4,
                                       window.Check5, window.Check6,  window.Check7, window.Check8,
                                       window.Check9, window.Check10, window.Check11};
    return boxes[number - 1];
}

// Ticks the boxes of the codes from `first` to `last`, until two 255 bytes in a row; the
// window's list end lives on from one read to the next.
void walkCodes(Form1& window, std::size_t first, std::size_t last) {
    WalkCodes(window.VersionText, first, last, window.codeListEnd,
              [&](int box) { checkBoxNumber(window, box)->setValue(1); });
}

void showVersionCaption(Form1& window) {
    window.lblSWVersion->setText(
        latin1(SoftwareVersionCaption(window.DeviceType, window.SoftwareVersion)));
}

// Version and type: what the device is and which options it offers.
void showStandardDevice(Form1& window) {
    window.SoftwareVersion = SoftwareVersionOf(window.VersionText);
    addListLine(window, SoftwareVersionLine(DeviceClass::Standard, window.SoftwareVersion));
    showVersionCaption(window);
    if (window.SoftwareVersion >= DateRangeVersion) {
        window.Check11->setEnabled(true);
    } else {
        window.Check11->setValue(0);
        window.Check11->setEnabled(false);
    }
    for (int i = 2; i <= 4; ++i)
        window.Option1[i]->setVisible(window.SoftwareVersion >= MoreFileNamesVersion);
    window.Option1[1]->setText(window.SoftwareVersion >= EuropeanFileNameVersion
                                   ? QStringLiteral("Europa/VDO(DDD)")
                                   : QStringLiteral("Abgekürzter Dateiname\""));
}

void showCrDevice(Form1& window) {
    window.SoftwareVersion = SoftwareVersionOf(window.VersionText);
    addListLine(window, SoftwareVersionLine(DeviceClass::Cr, window.SoftwareVersion));
    showVersionCaption(window);
    for (int i = 2; i <= 4; ++i)
        window.Option1[i]->setVisible(true);
    window.Option1[1]->setText(QStringLiteral("Europa/VDO(DDD)"));
}

// The previous read's software version stays; the device is held to the standard rules.
void showUnexpectedDevice(Form1& window) {
    for (QRadioButton* option : window.Option1)
        option->setVisible(false);
    showVersionCaption(window);
}

// Reads the file and shows what the device is. False when the read ended with a message.
bool readVersionFile(Form1& window) {
    const auto root = window.deviceRoot();
    ReadResult read = root ? ReadVersionFile(*root) : ReadResult{};
    // Far longer than any device writes: broken, like a file whose length does not fit its
    // form.
    if (read.status == ReadStatus::TooLong) {
        window.BadVersionFile();
        return false;
    }
    if (!read.ok()) {
        showMissingFileMessage(window);
        return false;
    }
    window.VersionText = std::move(read.content);
    if (window.VersionText.size() < MinVersionFileLength) {
        window.BadVersionFile();
        return false;
    }
    window.DeviceType = DeviceTypeOf(window.VersionText);
    if (!IsValidHeader(window.VersionText)) {
        tell(window, QStringLiteral("Velmaron Softwareversion falsch"));
        window.BadVersionFile();
        return false;
    }
    switch (ClassOf(window.DeviceType)) {
    case DeviceClass::Standard:
        showStandardDevice(window);
        break;
    case DeviceClass::Cr:
        showCrDevice(window);
        break;
    case DeviceClass::Unexpected:
        showUnexpectedDevice(window);
        break;
    }
    addListLine(window, VersionLengthLine(window.VersionText.size()));
    return true;
}

// Sets the option controls from the configuration the file reports.
void showDeviceSettings(Form1& window) {
    const std::string& text = window.VersionText;
    window.tbDays->setText(latin1(DownloadPeriodText(text)));
    for (int number = 2; number <= 7; ++number)
        checkBoxNumber(window, number)->setValue(0);
    for (int number = 8; number <= 10; ++number) {
        checkBoxNumber(window, number)->setValue(0);
        checkBoxNumber(window, number)->setVisible(true);
    }

    const FormCheck form = CheckVersionForm(window.DeviceType, window.SoftwareVersion, text);
    if (form.form == VersionForm::ConfigNotAvailable) {
        // The file stays: it is sound, the device just has nothing to configure.
        window.lblMessage->setText(QStringLiteral("Config. not available"));
        return;
    }
    if (!form.lengthFits) {
        window.BadVersionFile();
        return;
    }
    window.ConfigByte = form.configByte;
    window.KeepBit1 = form.keepBit1;
    window.Check8->setEnabled(form.check8Enabled);
    window.Check9->setEnabled(form.check9Enabled);
    window.Check10->setEnabled(form.check10Enabled);
    addListLine(window, ConfigByteLine(window.ConfigByte));

    if (CardDateTicked(window.ConfigByte))
        window.Check7->setValue(1);
    window.optVelmaron[VelmaronOptionIndex(window.ConfigByte)]->setChecked(true);
    window.SwitchAllOption1Off();
    window.Option1[FileNameOptionIndex(window.ConfigByte)]->setChecked(true);

    walkCodes(window, VersionPos::TrepWalk, form.walkEnd);
    if (!HasExtraData(text))
        return;
    // Without a pair of 255 bytes this walk runs on into the date fields, as the device's
    // own reading of the list would.
    walkCodes(window, VersionPos::ExtraDataWalk, text.size());
    if (!HasDateRange(text)) {
        window.Check11->setValue(0);
        return;
    }
    window.Check11->setValue(1);
    window.DTPickerStart->setDate(
        calendarDay(HexToDate(MomentHexAt(text, VersionPos::RangeStart))));
    window.DTPickerEnd->setDate(calendarDay(HexToDate(MomentHexAt(text, VersionPos::RangeEnd))));
}

} // namespace

void Form1::FindCurrentSettings() {
    KeepBit1 = false;
    if (readVersionFile(*this))
        showDeviceSettings(*this);
}

// A broken file is removed so that the device writes a fresh one when it is plugged in again.
// A file that is gone meanwhile, or that is no plain file, cannot be deleted and counts as
// missing.
void Form1::BadVersionFile() {
    const auto root = deviceRoot();
    if (!root || !DeleteVersionFile(*root)) {
        showMissingFileMessage(*this);
        return;
    }
    waitUntilGone(*this, *root);
    tell(*this, problemMessage(StatusFileProblem::Broken));
}

} // namespace velmaron
