#pragma once
// The shared workflow's effects on the main window: its status line, instruction band, arrow,
// layout and configure button, the diagnostic list and the settings a device reports.

#include "app/form1.h"
#include "app/thread_mailbox.h"
#include "workflow/workflow.h"

namespace velmaron {

class Form1WorkflowView final : public WorkflowView {
public:
    explicit Form1WorkflowView(Form1& form) : form_(form) {}

    void setMessage(Message message) override;
    void setInstruction(Instruction instruction) override;
    void showArrow(Arrow arrow) override;
    void setArrowVisible(bool visible) override;
    void setTall(bool tall) override;
    void setVersionVisible(bool visible) override;
    void enableConfigure(bool enabled) override;
    void showScan(const ScanResult& scan) override;
    void showSearch(const ScanResult& search) override;
    void beginRead() override;
    void showSettings(const VersionFileRead& read) override; // form1_settings.cpp
    void showVersionFileProblem(VersionFileProblem problem) override;
    void showConfigFileWritten(const ConfigFile& file) override;
    void reportFailure(const ConfigureFailure& failure) override;
    void keepPolling() override;
    void showUnresponsiveDrive(const std::string& root) override;

private:
    Form1& form_;
};

// Members are made in this order and go in the reverse one: the workflow goes first, while the
// view it shows through still stands; results it handed over meanwhile find it gone, and the
// mailbox, closed next, takes no more.
struct Form1::WindowWorkflow {
    WindowWorkflow(Form1& form, std::shared_ptr<DevicePort> port)
        : view(form),
          mailbox(&form,
                  [&form](const std::function<void()>& function) { form.runHandedOver(function); }),
          workflow(view, std::move(port), mailbox.dispatch()) {}

    Form1WorkflowView view;
    ThreadMailbox mailbox;
    Workflow workflow;
};

} // namespace velmaron
