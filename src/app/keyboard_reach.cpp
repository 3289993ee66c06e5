#include "app/keyboard_reach.h"

#include <QWidget>

namespace velmaron {

namespace {

// As Qt's own Tab chooses: a control that takes focus by Tab, is enabled and not hidden, and
// does not hand its focus on to another (the inner field of a date picker does); and beyond
// that, one that lies at least partly inside the window's client area.
bool reachable(QWidget* window, QWidget* control) {
    if (control == window || control->isWindow() || !window->isAncestorOf(control))
        return false;
    if ((control->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !control->isEnabled() ||
        !control->isVisibleTo(window) || control->focusProxy() != nullptr)
        return false;
    return QRect(control->mapTo(window, QPoint(0, 0)), control->size()).intersects(window->rect());
}

} // namespace

QWidget* nextReachable(QWidget* window, QWidget* from, bool forward) {
    QWidget* const start = from != nullptr ? from : window;
    QWidget* candidate = start;
    do {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (reachable(window, candidate))
            return candidate;
    } while (candidate != start);
    return nullptr;
}

} // namespace velmaron
