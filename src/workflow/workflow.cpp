#include "workflow/workflow.h"

#include "config/config_file.h"

namespace velmaron {
namespace {

// A device whose file stays (a write-protected card, a caching file system) must not hold the
// workflow: after this long the user is told anyway.
constexpr std::chrono::milliseconds VanishTimeout{2000};
constexpr std::chrono::milliseconds VanishPause{10};

} // namespace

void Workflow::setState(WorkflowStates state) {
    const int from = state_;
    state_ = state;
    if (from != state)
        view_.stateChanged(static_cast<WorkflowStates>(from), state);
}

void Workflow::Tick() noexcept {
    ScanForDevices();
    const bool none = DeviceCount == 0;
    const bool one = DeviceCount == 1;
    // Two or more devices move nothing in states 0 to 3: which one is meant cannot be told.
    switch (state_) {
    case WaitForDevice:
        if (none) {
            view_.setMessage(Message::ConnectDevice);
            view_.setVersionVisible(false);
        } else if (one) {
            checkReadiness();
        }
        break;
    case DeviceReady:
        if (none) {
            view_.enableConfigure(false);
            setState(WaitForDevice);
        }
        break;
    case WaitForUnplug:
        if (none) {
            view_.showArrow(Arrow::In);
            view_.setInstruction(Instruction::Replug);
            setState(WaitForReplug);
        } else if (one) {
            view_.showArrow(Arrow::Out);
        }
        break;
    case WaitForReplug:
        if (none) {
            view_.showArrow(Arrow::In);
            view_.setInstruction(Instruction::Replug);
        } else if (one) {
            announceSuccess();
        }
        break;
    case Saved:
        if (none) {
            view_.showArrow(Arrow::None);
            view_.setTall(false);
            setState(WaitForDevice);
        }
        view_.setArrowVisible(false);
        break;
    default: // NotSuitable pauses one tick; any other value is not a state
        setState(WaitForDevice);
        break;
    }
}

void Workflow::ScanForDevices() noexcept {
    const ScanResult scan = port_.scan();
    DriveList = scan.driveList;
    if (scan.driveIndex)
        DriveIndex = *scan.driveIndex;
    DeviceCount = scan.deviceCount;
    view_.showScan(scan);
}

std::optional<std::string> Workflow::deviceRoot() const {
    if (DriveIndex < 0 || static_cast<std::size_t>(DriveIndex) >= DriveList.size())
        return std::nullopt;
    return DriveList[static_cast<std::size_t>(DriveIndex)];
}

// Exactly one device while waiting: show its settings and decide what it is good for.
void Workflow::checkReadiness() {
    view_.beginRead();
    view_.setMessage(Message::DeviceFound);
    FindCurrentSettings();
    view_.setMessage(Message::SettingsRead);
    view_.setVersionVisible(true);
    const std::optional<DeviceFacts> device = judge();
    // A Velmaron CR is only shown, never configured here; it is read again at every poll.
    if (!device || ClassOf(device->deviceType) == DeviceClass::Cr)
        return;
    if (device->softwareVersion >= FirstSuitableVersion) {
        view_.enableConfigure(true);
        view_.setTall(false);
        setState(DeviceReady);
        return;
    }
    view_.setMessage(Message::NotSuitable);
    view_.setArrowVisible(true);
    view_.showArrow(Arrow::Out);
    view_.setInstruction(Instruction::UnplugUnsuitable);
    view_.setTall(true);
    setState(NotSuitable);
}

std::optional<Workflow::DeviceFacts> Workflow::judge() const {
    if (judging_ == Judging::ByLastReads)
        return DeviceFacts{DeviceTypeOf(VersionText), SoftwareVersion};
    const VersionFileContent& content = lastRead_.content;
    if (!lastRead_.readable() || (content.refusal != VersionFileRefusal::None &&
                                  content.refusal != VersionFileRefusal::NoConfiguration))
        return std::nullopt;
    return DeviceFacts{content.settings.deviceType, content.settings.softwareVersion};
}

void Workflow::FindCurrentSettings() noexcept {
    const auto root = deviceRoot();
    lastReadRoot_ = root;
    VersionFileRead read;
    const ReadResult file = root ? port_.readVersionFile(*root) : ReadResult{};
    read.file = file.status;
    if (read.readable()) {
        VersionText = file.content;
        CodeListEnd fresh;
        read.content = Guarded(
            [&] {
                return DecodeVersionFile(VersionText, SoftwareVersion,
                                         judging_ == Judging::ByLastReads ? codeListEnd : fresh);
            },
            VersionFileContent{});
        if (read.content.length >= MinVersionFileLength)
            DeviceType = read.content.settings.deviceType;
        if (read.content.headerRead())
            SoftwareVersion = read.content.settings.softwareVersion;
    }
    lastRead_ = read;
    view_.showSettings(read);
    const bool broken =
        read.readable() && read.content.broken() &&
        (judging_ == Judging::ByLastReads || read.content.refusal != VersionFileRefusal::UnknownType);
    // Far longer than any device writes: broken, like a file whose length does not fit its
    // form.
    if (read.file == ReadStatus::TooLong || broken)
        BadVersionFile();
    else if (!read.readable())
        view_.showVersionFileProblem(VersionFileProblem::Missing);
}

// A file that is gone meanwhile, or that is no plain file, cannot be deleted and counts as
// missing.
void Workflow::BadVersionFile() noexcept {
    const auto root = deviceRoot();
    if (!root || !port_.deleteVersionFile(*root)) {
        view_.showVersionFileProblem(VersionFileProblem::Missing);
        return;
    }
    waitUntilGone(*root);
    view_.showVersionFileProblem(VersionFileProblem::Broken);
}

// The deletion's own result is not trusted alone: some file systems report success and keep
// showing the file for a while.
void Workflow::waitUntilGone(const std::string& root) {
    const auto deadline = Guarded([&] { return vanishWait.now(); }) + VanishTimeout;
    while (port_.versionFileExists(root) && Guarded([&] { return vanishWait.now(); }) < deadline) {
        view_.whileWaiting();
        Guarded([&] { vanishWait.pause(VanishPause); });
    }
}

// The device is back after the cable was pulled: it has taken the file over.
void Workflow::announceSuccess() {
    view_.setInstruction(Instruction::Unplug);
    view_.setMessage(Message::Saved);
    setState(Saved);
    view_.showArrow(Arrow::None);
    view_.setTall(false);
    if (const auto root = deviceRoot())
        port_.removeConfigFile(*root);
}

// A version file that cannot be read leaves the text of the last successful read.
void Workflow::readVersionText(const std::string& root) {
    if (ReadResult read = port_.readVersionFile(root); read.ok())
        VersionText = std::move(read.content);
}

ConfigureOutcome Workflow::Configure(const DeviceSettings& choice,
                                     ConfigureTarget target) noexcept {
    view_.enableConfigure(false);
    view_.setMessage(Message::None);
    // The device is looked for afresh.
    const ScanResult search = port_.findFirstDevice();
    DriveList = search.driveList;
    view_.showSearch(search);
    if (!search.driveIndex)
        return ConfigureOutcome::NoDevice;
    if (target == ConfigureTarget::DeviceRead &&
        (search.deviceRoots.empty() || search.deviceRoots.front() != lastReadRoot_))
        return ConfigureOutcome::NoDevice;
    DriveIndex = *search.driveIndex;
    const std::string root = deviceRoot().value_or(std::string());
    view_.setMessage(Message::DeviceFound);
    readVersionText(root);

    // The file is built before anything on the device changes: a configuration that cannot be
    // built leaves the pending update files where they are.
    ConfigureFailure failure = SaveError::CannotCreate; // when nothing tells more
    const std::optional<ConfigFile> file = Guarded([&]() -> std::optional<ConfigFile> {
        DeviceSettings settings = choice;
        settings.deviceType = DeviceTypeOf(VersionText);
        ConfigBuildResult built = BuildConfigFile(settings);
        if (!built.file)
            failure = built.error;
        return std::move(built.file);
    });
    bool saved = false;
    if (file) {
        port_.removeStaleUpdateFiles(root);
        const SaveResult result =
            port_.saveUpdateFile(root, file->fileName, Guarded([&] { return ConfigFileBytes(*file); }));
        saved = result.ok();
        if (saved)
            view_.showConfigFileWritten(*file);
        else
            failure = result.error;
    }
    if (!saved) {
        // The user corrects the entry or the device and tries again; the run does not start.
        view_.reportFailure(failure);
        view_.enableConfigure(true);
        return ConfigureOutcome::NotSaved;
    }
    readVersionText(root);
    DisconnectReconnectVelmaron();
    setState(WaitForUnplug);
    return ConfigureOutcome::Saved;
}

void Workflow::DisconnectReconnectVelmaron() {
    view_.setMessage(Message::None);
    view_.setInstruction(Instruction::Unplug);
    view_.setArrowVisible(true);
    view_.setTall(true);
    view_.keepPolling();
}

} // namespace velmaron
