#include "workflow/workflow.h"

#include "config/version_file.h"

namespace velmaron {

void Workflow::Tick(int deviceCount) noexcept {
    const bool none = deviceCount == 0;
    const bool one = deviceCount == 1;
    // Two or more devices move nothing in states 0 to 3: which one is meant cannot be told.
    switch (state_) {
    case WaitForDevice:
        if (none) {
            runGuarded([&] { view_.setMessage(Message::ConnectDevice); });
            runGuarded([&] { view_.setVersionVisible(false); });
        } else if (one) {
            checkReadiness();
        }
        break;
    case DeviceReady:
        if (none) {
            runGuarded([&] { view_.enableConfigure(false); });
            state_ = WaitForDevice;
        }
        break;
    case WaitForUnplug:
        if (none) {
            runGuarded([&] { view_.showArrow(Arrow::In); });
            runGuarded([&] { view_.setInstruction(Instruction::Replug); });
            state_ = WaitForReplug;
        } else if (one) {
            runGuarded([&] { view_.showArrow(Arrow::Out); });
        }
        break;
    case WaitForReplug:
        if (none) {
            runGuarded([&] { view_.showArrow(Arrow::In); });
            runGuarded([&] { view_.setInstruction(Instruction::Replug); });
        } else if (one) {
            announceSuccess();
        }
        break;
    case Saved:
        if (none) {
            runGuarded([&] { view_.showArrow(Arrow::None); });
            runGuarded([&] { view_.setTall(false); });
            state_ = WaitForDevice;
        }
        runGuarded([&] { view_.setArrowVisible(false); });
        break;
    default: // NotSuitable pauses one tick; any other value is not a state
        state_ = WaitForDevice;
        break;
    }
}

// Exactly one device while waiting: show its settings and decide what it is good for.
void Workflow::checkReadiness() {
    runGuarded([&] { view_.beginRead(); });
    runGuarded([&] { view_.setMessage(Message::DeviceFound); });
    runGuarded([&] { view_.readSettings(); });
    runGuarded([&] { view_.setMessage(Message::SettingsRead); });
    runGuarded([&] { view_.setVersionVisible(true); });
    std::optional<DeviceFacts> device;
    runGuarded([&] { device = view_.device(); });
    // A Velmaron CR is only shown, never configured here; it is read again at every poll.
    if (!device || ClassOf(device->deviceType) == DeviceClass::Cr)
        return;
    if (device->softwareVersion >= FirstSuitableVersion) {
        runGuarded([&] { view_.enableConfigure(true); });
        runGuarded([&] { view_.setTall(false); });
        state_ = DeviceReady;
        return;
    }
    runGuarded([&] { view_.setMessage(Message::NotSuitable); });
    runGuarded([&] { view_.setArrowVisible(true); });
    runGuarded([&] { view_.showArrow(Arrow::Out); });
    runGuarded([&] { view_.setInstruction(Instruction::UnplugUnsuitable); });
    runGuarded([&] { view_.setTall(true); });
    state_ = NotSuitable;
}

// The device is back after the cable was pulled: it has taken the file over.
void Workflow::announceSuccess() {
    runGuarded([&] { view_.setInstruction(Instruction::Unplug); });
    runGuarded([&] { view_.setMessage(Message::Saved); });
    state_ = Saved;
    runGuarded([&] { view_.showArrow(Arrow::None); });
    runGuarded([&] { view_.setTall(false); });
    runGuarded([&] { view_.removeConfigFile(); });
}

void Workflow::Configure() noexcept {
    runGuarded([&] { view_.enableConfigure(false); });
    runGuarded([&] { view_.setMessage(Message::None); });
    // The device is the first Velmaron in drive order, whatever the last poll found.
    bool found = false;
    runGuarded([&] { found = view_.findDevice(); });
    if (!found)
        return;
    runGuarded([&] { view_.setMessage(Message::DeviceFound); });
    runGuarded([&] { view_.readVersionText(); });

    // The file is built before anything on the device changes: a configuration that cannot be
    // built leaves the pending update files where they are.
    ConfigureFailure failure = SaveError::CannotCreate; // when nothing tells more
    std::optional<ConfigFile> file;
    runGuarded([&] {
        ConfigBuildResult built = view_.buildConfig();
        file = std::move(built.file);
        if (!file)
            failure = built.error;
    });
    bool saved = false;
    if (file) {
        runGuarded([&] { view_.removeStaleUpdateFiles(); });
        runGuarded([&] {
            const SaveResult result = view_.saveConfig(*file);
            saved = result.ok();
            if (!saved)
                failure = result.error;
        });
    }
    if (!saved) {
        // The user corrects the entry or the device and tries again; the run does not start.
        runGuarded([&] { view_.reportFailure(failure); });
        runGuarded([&] { view_.enableConfigure(true); });
        return;
    }
    runGuarded([&] { view_.readVersionText(); });
    runGuarded([&] { DisconnectReconnectVelmaron(); });
    state_ = WaitForUnplug;
}

void Workflow::DisconnectReconnectVelmaron() {
    view_.setMessage(Message::None);
    view_.setInstruction(Instruction::Unplug);
    view_.setArrowVisible(true);
    view_.setTall(true);
    view_.keepPolling();
}

} // namespace velmaron
