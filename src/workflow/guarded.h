#pragma once
// The workflow's steps are guarded one by one: a step that throws is skipped and the next one
// runs, so nothing escapes into the front end's event loop. The guard sits here, around every
// call into the view and the device port, and nowhere else. A step that is skipped is written
// to the diagnostic log, by the name it is given here.

#include "device/diagnostic_log.h"
#include "workflow/device_port.h"
#include "workflow/workflow_view.h"

#include <memory>
#include <string>
#include <utility>

namespace velmaron {

// What a step is called in the diagnostic log, and the drive it goes to (none: empty).
struct StepName {
    std::string_view operation = "step";
    std::string_view drive = {};
};

// Runs one step; whatever it throws ends only this step, which then gives fallback.
template <class Step, class Result = std::invoke_result_t<Step>>
Result Guarded(Step&& step, Result fallback = {}, StepName name = {}) noexcept {
    try {
        return std::forward<Step>(step)();
    } catch (...) {
        DiagnosticLog::WriteCaught(name.operation, name.drive);
        return fallback;
    }
}
template <class Step>
    requires std::is_void_v<std::invoke_result_t<Step>>
void Guarded(Step&& step, StepName name = {}) noexcept {
    try {
        std::forward<Step>(step)();
    } catch (...) {
        DiagnosticLog::WriteCaught(name.operation, name.drive);
    }
}

class GuardedView final : public WorkflowView {
public:
    explicit GuardedView(WorkflowView& view) : view_(view) {}

    void setMessage(Message m) override {
        Guarded([&] { view_.setMessage(m); }, {"WorkflowView::setMessage"});
    }
    void setInstruction(Instruction i) override {
        Guarded([&] { view_.setInstruction(i); }, {"WorkflowView::setInstruction"});
    }
    void showArrow(Arrow a) override {
        Guarded([&] { view_.showArrow(a); }, {"WorkflowView::showArrow"});
    }
    void setArrowVisible(bool v) override {
        Guarded([&] { view_.setArrowVisible(v); }, {"WorkflowView::setArrowVisible"});
    }
    void setTall(bool t) override {
        Guarded([&] { view_.setTall(t); }, {"WorkflowView::setTall"});
    }
    void setVersionVisible(bool v) override {
        Guarded([&] { view_.setVersionVisible(v); }, {"WorkflowView::setVersionVisible"});
    }
    void enableConfigure(bool e) override {
        Guarded([&] { view_.enableConfigure(e); }, {"WorkflowView::enableConfigure"});
    }
    void showScan(const ScanResult& s) override {
        Guarded([&] { view_.showScan(s); }, {"WorkflowView::showScan"});
    }
    void showSearch(const ScanResult& s) override {
        Guarded([&] { view_.showSearch(s); }, {"WorkflowView::showSearch"});
    }
    void beginRead() override {
        Guarded([&] { view_.beginRead(); }, {"WorkflowView::beginRead"});
    }
    void showSettings(const VersionFileRead& r) override {
        Guarded([&] { view_.showSettings(r); }, {"WorkflowView::showSettings"});
    }
    void showVersionFileProblem(VersionFileProblem p) override {
        Guarded([&] { view_.showVersionFileProblem(p); }, {"WorkflowView::showVersionFileProblem"});
    }
    void showConfigFileWritten(const ConfigFile& f) override {
        Guarded([&] { view_.showConfigFileWritten(f); }, {"WorkflowView::showConfigFileWritten"});
    }
    void reportFailure(const ConfigureFailure& f) override {
        Guarded([&] { view_.reportFailure(f); }, {"WorkflowView::reportFailure"});
    }
    void keepPolling() override {
        Guarded([&] { view_.keepPolling(); }, {"WorkflowView::keepPolling"});
    }
    void stateChanged(WorkflowStates from, WorkflowStates to) override {
        Guarded([&] { view_.stateChanged(from, to); }, {"WorkflowView::stateChanged"});
    }
    void showUnresponsiveDrive(const std::string& root) override {
        Guarded([&] { view_.showUnresponsiveDrive(root); },
                {"WorkflowView::showUnresponsiveDrive"});
    }

private:
    WorkflowView& view_;
};

// A failed operation is one that found or did nothing: no device, no file, nothing saved.
class GuardedPort final : public DevicePort {
public:
    explicit GuardedPort(std::shared_ptr<DevicePort> port) : port_(std::move(port)) {}

    ScanResult scan() override {
        return Guarded([&] { return port_->scan(); }, {}, {"DevicePort::scan"});
    }
    ScanResult findFirstDevice() override {
        return Guarded([&] { return port_->findFirstDevice(); }, {},
                       {"DevicePort::findFirstDevice"});
    }
    ReadResult readVersionFile(const std::string& root) override {
        return Guarded([&] { return port_->readVersionFile(root); },
                       ReadResult{ReadStatus::Failed, {}}, {"DevicePort::readVersionFile", root});
    }
    bool deleteVersionFile(const std::string& root) override {
        return Guarded([&] { return port_->deleteVersionFile(root); }, false,
                       {"DevicePort::deleteVersionFile", root});
    }
    bool versionFileExists(const std::string& root) override {
        return Guarded([&] { return port_->versionFileExists(root); }, false,
                       {"DevicePort::versionFileExists", root});
    }
    void removeStaleUpdateFiles(const std::string& root) override {
        Guarded([&] { port_->removeStaleUpdateFiles(root); },
                {"DevicePort::removeStaleUpdateFiles", root});
    }
    SaveResult saveUpdateFile(const std::string& root, const std::string& fileName,
                              std::string_view bytes) override {
        return Guarded([&] { return port_->saveUpdateFile(root, fileName, bytes); },
                       SaveResult{SaveError::CannotCreate, {}},
                       {"DevicePort::saveUpdateFile", root});
    }
    void removeConfigFile(const std::string& root) override {
        Guarded([&] { port_->removeConfigFile(root); }, {"DevicePort::removeConfigFile", root});
    }

private:
    std::shared_ptr<DevicePort> port_;
};

} // namespace velmaron
