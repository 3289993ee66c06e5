#pragma once
// The shared workflow's effects on the main window: its status line, instruction band, arrow,
// layout and configure button, its reads of the device and its writes onto it.

#include "workflow/workflow.h"

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
    void beginRead() override;
    void readSettings() override;
    std::optional<DeviceFacts> device() override;
    void removeConfigFile() override;
    bool findDevice() override;
    void readVersionText() override;
    ConfigBuildResult buildConfig() override;
    void removeStaleUpdateFiles() override;
    SaveResult saveConfig(const ConfigFile& file) override;
    void reportFailure(const ConfigureFailure& failure) override;
    void keepPolling() override;

private:
    Form1& form_;
};

} // namespace velmaron
