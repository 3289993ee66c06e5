// The configure command and the configuration writer.

#include "app/form1.h"

namespace velmaron {

void Form1::cmdConfigure_Click() {}

void Form1::WriteConfigFile() {}

} // namespace velmaron
