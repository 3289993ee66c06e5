#include "app/held_repaints.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>

namespace velmaron {

namespace {

// What a control shows, as far as a handler's code can change it.
HeldRepaints::Shown shownBy(const QWidget* widget) {
    HeldRepaints::Shown shown{widget->isVisible(), widget->isEnabled(), 0, 0, {}};
    if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
        shown.state = box->checkState();
        shown.text = box->text();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        shown.state = button->isChecked();
        shown.text = button->text();
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        shown.text = label->text();
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        shown.state = edit->cursorPosition();
        shown.selection = edit->selectionStart();
        shown.text = edit->text();
    } else if (const auto* picker = qobject_cast<const QDateTimeEdit*>(widget)) {
        shown.text = picker->text();
    }
    return shown;
}

} // namespace

void HeldRepaints::hold(const std::vector<QWidget*>& controls) {
    for (QWidget* control : controls)
        holdOne(control);
}

void HeldRepaints::holdOne(QWidget* widget) {
    if (widget->testAttribute(Qt::WA_UpdatesDisabled))
        return;
    held_.push_back({widget, shownBy(widget)});
    // The attribute alone, unlike setUpdatesEnabled(), neither reaches the children nor
    // repaints the widget when it is cleared; the children are held one by one.
    widget->setAttribute(Qt::WA_UpdatesDisabled, true);
    for (QObject* child : widget->children()) {
        auto* inner = qobject_cast<QWidget*>(child);
        if (inner != nullptr && !inner->isWindow())
            holdOne(inner);
    }
}

void HeldRepaints::release() {
    for (const Held& held : held_) {
        if (!held.widget)
            continue;
        held.widget->setAttribute(Qt::WA_UpdatesDisabled, false);
        if (shownBy(held.widget) != held.shown)
            held.widget->update();
    }
    held_.clear();
}

} // namespace velmaron
