// The configure command: the workflow finds the device itself, writes the settings the
// controls hold onto it and hands over to the poll timer, which leads the user through
// unplugging and replugging.

#include "app/form1.h"
#include "app/handler_steps.h"
#include "app/tri_state_check_box.h"
#include "config/download_period.h"
#include "config/settings_block.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>

namespace velmaron {
namespace {

// A picker's calendar day.
std::chrono::sys_days dayOf(const QDateEdit* picker) {
    constexpr qint64 julianDayOf1970 = 2440588;
    return std::chrono::sys_days(std::chrono::days(picker->date().toJulianDay() - julianDayOf1970));
}

// Only 1 counts as ticked; 2 is greyed.
bool ticked(const TriStateCheckBox* box) {
    return box->value() == 1;
}

} // namespace

void Form1::cmdConfigure_Click() {
    HandlerGuard busy(handlersRunning);
    workflow().Configure(chosenSettings());
}

DeviceSettings Form1::chosenSettings() const {
    DeviceSettings s;
    const TriStateCheckBox* const boxes[] = {nullptr, nullptr, Check2, Check3, Check4, Check5,
                                             Check6,  nullptr, Check8, Check9, Check10};
    for (const DataSet& set : DataSetTable)
        s.data.*set.member = ticked(boxes[set.box]);
    s.cardDate = ticked(Check7);
    s.dateRangeOn = ticked(Check11);
    s.fileNameFormat.reset();
    for (int index = 0; index < static_cast<int>(std::size(Option1)); ++index) {
        if (Option1[index]->isChecked()) {
            s.fileNameFormat = index;
            break;
        }
    }
    s.velmaronPlus = optVelmaron[1]->isChecked();
    s.periodDays = DaysOfText(tbDays->text().toStdString());
    s.rangeStart = dayOf(DTPickerStart);
    s.rangeEnd = dayOf(DTPickerEnd);
    const WorkflowFacts& read = facts();
    s.configByte = read.configByte;
    s.keepBit1 = read.keepBit1;
    s.softwareVersion = read.softwareVersion;
    return s; // the device type is the one the command finds on the device
}

} // namespace velmaron
