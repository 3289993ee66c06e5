// The configure command: the shared workflow finds the device itself, writes the window's
// configuration onto it and hands over to the poll timer, which leads the user through
// unplugging and replugging.

#include "app/form1.h"
#include "app/form1_workflow_view.h"
#include "app/handler_steps.h"

namespace velmaron {

void Form1::cmdConfigure_Click() {
    HandlerGuard busy(handlersRunning);
    Workflow(workflowView(), WorkflowState).Configure();
}

WorkflowView& Form1::workflowView() {
    if (!workflow)
        workflow = std::make_unique<Form1WorkflowView>(*this);
    return *workflow;
}

} // namespace velmaron
