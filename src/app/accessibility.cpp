#include "app/accessibility.h"

#include "app/form1.h"
#include "app/window_texts.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace velmaron {

void describeForScreenReaders(Form1& form) {
    // Without a buddy, a field inside a frame is announced by the frame's title.
    form.Label7->setBuddy(form.tbDays);
    form.lblStart->setBuddy(form.DTPickerStart);
    form.lblEnd->setBuddy(form.DTPickerEnd);

    form.cmdHelp->setAccessibleName(WindowTexts::HelpName);
    form.List1->setAccessibleName(WindowTexts::DiagnosticsName);
    form.Frame1->setAccessibleName(WindowTexts::ModelName);

    for (QWidget* control : form.findChildren<QWidget*>())
        if (!control->toolTip().isEmpty())
            control->setAccessibleDescription(control->toolTip());
}

} // namespace velmaron
