#include "workflow/workflow_facts.h"

namespace velmaron {

void WorkflowFacts::take(const VersionFileRead& read) {
    keepBit1 = false;
    const VersionFileContent& content = read.content;
    if (!read.readable() || !content.headerRead())
        return;
    softwareVersion = content.settings.softwareVersion;
    // The configuration byte only from a file whose form is sound.
    if (content.form.form != VersionForm::ConfigNotAvailable && content.form.lengthFits) {
        configByte = content.settings.configByte;
        keepBit1 = content.settings.keepBit1;
    }
}

} // namespace velmaron
