#pragma once
// The look that both windows share: the light blue background and a 9.75 point sans-serif face.

class QWidget;

namespace velmaron {

void applyWindowLook(QWidget* window);

} // namespace velmaron
