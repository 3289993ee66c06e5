#pragma once
// The workflow's steps are guarded one by one: a step that throws is skipped and the next one
// runs, so nothing escapes into the front end's event loop. The guard sits here, around every
// call into the view and the device port, and nowhere else.

#include "workflow/device_port.h"
#include "workflow/workflow_view.h"

#include <memory>
#include <string>
#include <utility>

namespace velmaron {

// Runs one step; whatever it throws ends only this step, which then gives fallback.
template <class Step, class Result = std::invoke_result_t<Step>>
Result Guarded(Step&& step, Result fallback = {}) noexcept {
    try {
        return std::forward<Step>(step)();
    } catch (...) {
        return fallback;
    }
}
template <class Step>
    requires std::is_void_v<std::invoke_result_t<Step>>
void Guarded(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
    } catch (...) {
    }
}

class GuardedView final : public WorkflowView {
public:
    explicit GuardedView(WorkflowView& view) : view_(view) {}

    void setMessage(Message m) override { Guarded([&] { view_.setMessage(m); }); }
    void setInstruction(Instruction i) override { Guarded([&] { view_.setInstruction(i); }); }
    void showArrow(Arrow a) override { Guarded([&] { view_.showArrow(a); }); }
    void setArrowVisible(bool v) override { Guarded([&] { view_.setArrowVisible(v); }); }
    void setTall(bool t) override { Guarded([&] { view_.setTall(t); }); }
    void setVersionVisible(bool v) override { Guarded([&] { view_.setVersionVisible(v); }); }
    void enableConfigure(bool e) override { Guarded([&] { view_.enableConfigure(e); }); }
    void showScan(const ScanResult& s) override { Guarded([&] { view_.showScan(s); }); }
    void showSearch(const ScanResult& s) override { Guarded([&] { view_.showSearch(s); }); }
    void beginRead() override { Guarded([&] { view_.beginRead(); }); }
    void showSettings(const VersionFileRead& r) override { Guarded([&] { view_.showSettings(r); }); }
    void showVersionFileProblem(VersionFileProblem p) override {
        Guarded([&] { view_.showVersionFileProblem(p); });
    }
    void showConfigFileWritten(const ConfigFile& f) override {
        Guarded([&] { view_.showConfigFileWritten(f); });
    }
    void reportFailure(const ConfigureFailure& f) override { Guarded([&] { view_.reportFailure(f); }); }
    void keepPolling() override { Guarded([&] { view_.keepPolling(); }); }
    void stateChanged(WorkflowStates from, WorkflowStates to) override {
        Guarded([&] { view_.stateChanged(from, to); });
    }
    void showUnresponsiveDrive(const std::string& root) override {
        Guarded([&] { view_.showUnresponsiveDrive(root); });
    }

private:
    WorkflowView& view_;
};

// A failed operation is one that found or did nothing: no device, no file, nothing saved.
class GuardedPort final : public DevicePort {
public:
    explicit GuardedPort(std::shared_ptr<DevicePort> port) : port_(std::move(port)) {}

    ScanResult scan() override { return Guarded([&] { return port_->scan(); }); }
    ScanResult findFirstDevice() override {
        return Guarded([&] { return port_->findFirstDevice(); });
    }
    ReadResult readVersionFile(const std::string& root) override {
        return Guarded([&] { return port_->readVersionFile(root); }, ReadResult{ReadStatus::Failed, {}});
    }
    bool deleteVersionFile(const std::string& root) override {
        return Guarded([&] { return port_->deleteVersionFile(root); });
    }
    bool versionFileExists(const std::string& root) override {
        return Guarded([&] { return port_->versionFileExists(root); });
    }
    void removeStaleUpdateFiles(const std::string& root) override {
        Guarded([&] { port_->removeStaleUpdateFiles(root); });
    }
    SaveResult saveUpdateFile(const std::string& root, const std::string& fileName,
                              std::string_view bytes) override {
        return Guarded([&] { return port_->saveUpdateFile(root, fileName, bytes); },
                       SaveResult{SaveError::CannotCreate, {}});
    }
    void removeConfigFile(const std::string& root) override {
        Guarded([&] { port_->removeConfigFile(root); });
    }

private:
    std::shared_ptr<DevicePort> port_;
};

} // namespace velmaron
