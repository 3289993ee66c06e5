#pragma once
// Where Tab goes in a window whose layout parks controls outside its visible area (the page
// not shown, the wide window's controls in the narrow one): to the next control in the tab
// order that can take focus and can be seen, never to one the user cannot see.

class QWidget;

namespace velmaron {

// The control after (or before) from in window's tab order that Tab would reach, skipping
// those outside the window's client area; nullptr when there is none.
QWidget* nextReachable(QWidget* window, QWidget* from, bool forward);

} // namespace velmaron
