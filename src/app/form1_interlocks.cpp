// The handlers that keep dependent options consistent. They run on every change of their
// control's value, from a click or from code.

#include "app/form1.h"
#include "app/tri_state_check_box.h"
#include "app/twips.h"
#include "config/version_file.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace velmaron {

namespace {

// Outside the narrow window: where the page that is not shown waits.
constexpr int ParkedLeft = 5160;

} // namespace

// Below version 36 the two boxes mirror each other; the copy back stops the chain because
// the value no longer changes.
void Form1::Check8_Click() {
    if (SoftwareVersion() < SeparateSpeedDataVersion)
        Check10->setValue(Check8->value());
}

void Form1::Check10_Click() {
    if (SoftwareVersion() < SeparateSpeedDataVersion)
        Check8->setValue(Check10->value());
}

// A date range replaces the period in days; the period's values stay as they are.
void Form1::Check11_Click() {
    const bool period = Check11->value() != 1;
    Check2->setEnabled(period);
    Label7->setEnabled(period);
    tbDays->setEnabled(period);
}

void Form1::Option2_Click(int) {
    if (Option2[0]->isChecked()) {
        setLeftTwips(frameSelectFiles, 5);
        setLeftTwips(frameFileName, ParkedLeft);
    } else {
        setLeftTwips(frameSelectFiles, ParkedLeft);
        setLeftTwips(frameFileName, 360);
    }
}

void Form1::SwitchAllOption1Off() {
    Option1Group->setExclusive(false);
    for (QRadioButton* option : Option1)
        option->setChecked(false);
    Option1Group->setExclusive(true);
}

} // namespace velmaron
