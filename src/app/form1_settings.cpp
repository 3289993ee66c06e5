// Showing what the device's version file reports.
//
// The controls are set one by one in a fixed order, as a user would click them: the click
// reactions of dependent options (Check8 and Check10 below version 36, Check11 and the
// period) run in between and the result depends on that order.

#include "app/clickable_label.h"
#include "app/form1.h"
#include "app/form1_workflow_view.h"
#include "app/tri_state_check_box.h"
#include "app/window_texts.h"
#include "config/settings_words.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <chrono>

namespace velmaron {

namespace {

// Texts from the file count one character per byte.
QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void addListLine(Form1& window, const std::string& line) {
    window.writeListLine(latin1(line));
}

QDate calendarDay(std::chrono::sys_days day) {
    const std::chrono::year_month_day date{day};
    return QDate(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                 static_cast<int>(static_cast<unsigned>(date.day())));
}

TriStateCheckBox* checkBoxNumber(Form1& window, int number) {
    TriStateCheckBox* const boxes[] = {window.Check1, window.Check2,  window.Check3, window.Check4,
                                       window.Check5, window.Check6,  window.Check7, window.Check8,
                                       window.Check9, window.Check10, window.Check11};
    return boxes[number - 1];
}

void showVersionCaption(Form1& window, const std::string& deviceType) {
    window.lblSWVersion->setText(
        latin1(SoftwareVersionCaption(deviceType, window.SoftwareVersion())));
}

// Version and type: what the device is and which options it offers. The workflow has taken
// the software version from the read already.
void showStandardDevice(Form1& window, const DeviceSettings& s) {
    const int version = window.SoftwareVersion();
    addListLine(window, SoftwareVersionLine(DeviceClass::Standard, version));
    showVersionCaption(window, s.deviceType);
    if (version >= DateRangeVersion) {
        window.Check11->setEnabled(true);
    } else {
        window.Check11->setValue(0);
        window.Check11->setEnabled(false);
    }
    for (int i = 2; i <= 4; ++i)
        window.Option1[i]->setVisible(version >= MoreFileNamesVersion);
    window.Option1[1]->setText(version >= EuropeanFileNameVersion
                                   ? WindowTexts::EuropeanFileName
                                   : WindowTexts::AbbreviatedFileNameOld);
}

void showCrDevice(Form1& window, const DeviceSettings& s) {
    addListLine(window, SoftwareVersionLine(DeviceClass::Cr, window.SoftwareVersion()));
    showVersionCaption(window, s.deviceType);
    for (int i = 2; i <= 4; ++i)
        window.Option1[i]->setVisible(true);
    window.Option1[1]->setText(WindowTexts::EuropeanFileName);
}

// The previous read's software version stays; the device is held to the standard rules.
void showUnexpectedDevice(Form1& window, const DeviceSettings& s) {
    for (QRadioButton* option : window.Option1)
        option->setVisible(false);
    showVersionCaption(window, s.deviceType);
}

// What the device is. False when its header cannot be read.
bool showDevice(Form1& window, const VersionFileContent& content) {
    if (!content.headerRead())
        return false; // the workflow tells the user and deletes the file
    switch (content.deviceClass) {
    case DeviceClass::Standard:
        showStandardDevice(window, content.settings);
        break;
    case DeviceClass::Cr:
        showCrDevice(window, content.settings);
        break;
    case DeviceClass::Unexpected:
        showUnexpectedDevice(window, content.settings);
        break;
    }
    addListLine(window, VersionLengthLine(content.length));
    return true;
}

// Sets the option controls from the configuration the file reports.
void showDeviceSettings(Form1& window, const VersionFileContent& content) {
    const DeviceSettings& s = content.settings;
    window.tbDays->setText(content.periodDays ? latin1(SignedNumberText(*content.periodDays))
                                              : QStringLiteral("0"));
    for (int number = 2; number <= 7; ++number)
        checkBoxNumber(window, number)->setValue(0);
    for (int number = 8; number <= 10; ++number) {
        checkBoxNumber(window, number)->setValue(0);
        checkBoxNumber(window, number)->setVisible(true);
    }

    const FormCheck& form = content.form;
    if (form.form == VersionForm::ConfigNotAvailable) {
        // The file stays: it is sound, the device just has nothing to configure.
        window.lblMessage->setText(WindowTexts::ConfigNotAvailable);
        return;
    }
    if (!form.lengthFits)
        return; // broken: the workflow has the device write a new one
    window.Check8->setEnabled(form.check8Enabled);
    window.Check9->setEnabled(form.check9Enabled);
    window.Check10->setEnabled(form.check10Enabled);
    addListLine(window, ConfigByteLine(s.configByte));

    if (s.cardDate)
        window.Check7->setValue(1);
    window.optVelmaron[s.velmaronPlus ? 1 : 0]->setChecked(true);
    window.SwitchAllOption1Off();
    window.Option1[FileNameFormatOf(s)]->setChecked(true);

    for (const DataSet& set : DataSetTable)
        if (s.data.*set.member)
            checkBoxNumber(window, set.box)->setValue(1);
    if (form.form != VersionForm::Full)
        return;
    if (!s.dateRangeOn) {
        window.Check11->setValue(0);
        return;
    }
    window.Check11->setValue(1);
    window.DTPickerStart->setDate(calendarDay(s.rangeStart));
    window.DTPickerEnd->setDate(calendarDay(s.rangeEnd));
}

} // namespace

void Form1WorkflowView::showSettings(const VersionFileRead& read) {
    if (read.readable() && showDevice(form_, read.content))
        showDeviceSettings(form_, read.content);
}

} // namespace velmaron
