// The poll timer's state machine, the start of the reconnect procedure and the arrow.

#include "app/form1.h"

namespace velmaron {

void Form1::Timer1_Timer() {}

void Form1::DisconnectReconnectVelmaron() {}

void Form1::showArrow(QWidget*) {}

} // namespace velmaron
