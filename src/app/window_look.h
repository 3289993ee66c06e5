#pragma once
// The look that both windows share: the light blue background, a 9.75 point sans-serif face
// and a title bar without a maximise button.

class QWidget;

namespace velmaron {

void applyWindowLook(QWidget* window);

} // namespace velmaron
