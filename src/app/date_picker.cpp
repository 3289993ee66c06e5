#include "app/date_picker.h"

#include <QCalendarWidget>
#include <QMouseEvent>
#include <QStyleOptionComboBox>

namespace velmaron {

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    setLocale(QLocale(QLocale::German, QLocale::Germany));
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setCalendarPopup(true);
}

// The pop-up is a window of its own and does not take the picker's locale over by itself.
void DatePicker::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onArrow(event->position().toPoint()) &&
        findChild<QCalendarWidget*>() == nullptr)
        calendarWidget()->setLocale(locale());
    QDateEdit::mousePressEvent(event);
}

// The picker with a pop-up is drawn as an editable combo box; a press on its arrow opens it.
bool DatePicker::onArrow(const QPoint& pos) const {
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    return style()->hitTestComplexControl(QStyle::CC_ComboBox, &option, pos, this) ==
           QStyle::SC_ComboBoxArrow;
}

} // namespace velmaron
