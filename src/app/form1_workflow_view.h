#pragma once
// The shared workflow's effects on the main window: its status line, instruction band, arrow,
// layout and configure button, the diagnostic list and the settings a device reports.

#include "workflow/workflow_view.h"

namespace velmaron {

class Form1;

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

} // namespace velmaron
