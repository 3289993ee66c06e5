#include "workflow/workflow.h"

#include "config/config_file.h"
#include "config/settings_block.h"

#include <atomic>

namespace velmaron {
namespace {

// A device whose file stays (a write-protected card, a caching file system) must not hold the
// workflow: after this long the user is told anyway.
constexpr std::chrono::milliseconds VanishTimeout{2000};
constexpr std::chrono::milliseconds VanishPause{10};

// The deletion's own result is not trusted alone: some file systems report success and keep
// showing the file for a while. On the worker's thread.
void waitUntilGone(DevicePort& port, const std::string& root, const VanishWait& wait) {
    const auto now = [&] { return Guarded([&] { return wait.now(); }, {}, {"VanishWait::now"}); };
    const auto deadline = now() + VanishTimeout;
    while (port.versionFileExists(root) && now() < deadline)
        Guarded([&] { wait.pause(VanishPause); }, {"VanishWait::pause", root});
}

std::optional<std::string> rootOf(const ScanResult& scan) {
    if (!scan.driveIndex || static_cast<std::size_t>(*scan.driveIndex) >= scan.driveList.size())
        return std::nullopt;
    return scan.driveList[static_cast<std::size_t>(*scan.driveIndex)];
}

// What the configure command's first steps find: the device, and its version file.
struct Search {
    ScanResult found;
    ReadResult versionFile;
};

// What its last steps leave: the save, and the version file read again.
struct Saving {
    SaveResult save;
    ReadResult versionFile;
};

} // namespace

// What the polls share across the two threads. The poll job holds nothing else, so that handing
// it over takes no allocation of its own, twice a second.
struct Workflow::PollShared {
    explicit PollShared(bool everyPoll) : shortcut(everyPoll) {}

    // From Tick until the poll's result has been dealt with or dropped.
    std::atomic<bool> inFlight{false};
    PollShortcut shortcut;
    // What the poll is asked for; set before it is handed over.
    WorkflowStates startedIn = WaitForDevice;
    int epoch = 0;
    // Where it is handed back, and to whom while that is there.
    Dispatch dispatch;
    std::weak_ptr<bool> alive;
    Workflow* workflow = nullptr;

    void run(DevicePort& port);
};

void Workflow::PollShared::run(DevicePort& port) {
    PollResult result;
    result.scan = port.scan();
    if (const auto root = rootOf(result.scan);
        startedIn == WaitForDevice && result.scan.deviceCount == 1 && root)
        result.versionFile = port.readVersionFile(*root);
    if (!shortcut.handBack(result, startedIn)) {
        inFlight = false; // the state machine would do nothing with it
        return;
    }
    try {
        dispatch([alive = alive, self = workflow, result = std::move(result), epoch = epoch] {
            if (!alive.expired())
                self->finishPoll(result, epoch);
        });
    } catch (...) {
        inFlight = false; // never handed back: the next tick polls again
        shortcut.showNext();
    }
}

Workflow::Workflow(WorkflowView& view, std::shared_ptr<DevicePort> port, Dispatch dispatch,
                   WorkflowOptions options)
    : view_(view), guardedPort_(std::make_shared<GuardedPort>(std::move(port))),
      poll_(std::make_shared<PollShared>(options.everyPoll)), worker_(guardedPort_, poll_),
      dispatch_(std::move(dispatch)), options_(options) {
    poll_->dispatch = dispatch_;
    poll_->alive = alive_;
    poll_->workflow = this;
}

// Results that come back later find the workflow gone and are dropped; a device operation that
// still waits on a drive is abandoned with the worker.
Workflow::~Workflow() = default;

template <class Result>
void Workflow::run(std::function<Result(DevicePort&)> job, std::function<void(Result)> done) {
    ++running_;
    worker_.submit([job = std::move(job), done = std::move(done), dispatch = dispatch_,
                    alive = std::weak_ptr<bool>(alive_), self = this](DevicePort& port) {
        auto result = std::make_shared<Result>(job(port));
        dispatch([alive, done, result, self] {
            if (alive.expired())
                return;
            Guarded([&] { done(std::move(*result)); }, {"showing a result"});
            if (!alive.expired()) // what was shown may have closed the front end
                --self->running_;
        });
    });
}

bool Workflow::idle() const {
    return running_ == 0 && !poll_->inFlight.load();
}

bool Workflow::waitForDevice(std::chrono::milliseconds timeout) const {
    return worker_.waitIdle(timeout);
}

void Workflow::viewChanged() {
    poll_->shortcut.showNext();
}

void Workflow::restart() {
    setState(WaitForDevice);
    viewChanged();
}

void Workflow::setState(WorkflowStates state) {
    const WorkflowStates from = facts_.state;
    facts_.state = state;
    if (from != state)
        view_.stateChanged(from, state);
}

void Workflow::Tick() noexcept {
    // The configure command's steps come first; the next poll follows them.
    if (configuring_)
        return;
    if (poll_->inFlight) {
        noteSlowDrive();
        return;
    }
    poll_->startedIn = facts_.state;
    poll_->epoch = epoch_;
    poll_->inFlight = true;
    ticksWaited_ = 0;
    // The worker keeps the poll's shared part as long as its thread runs.
    worker_.submit([shared = poll_.get()](DevicePort& port) { shared->run(port); });
}

// Counted in the polls that found it still running, so that an idle poll reads no clock.
void Workflow::noteSlowDrive() {
    if (++ticksWaited_ * PollInterval < SlowDriveAfter)
        return;
    if (const auto root = worker_.waitingOn()) {
        view_.showUnresponsiveDrive(*root);
        poll_->shortcut.showNext(); // the poll that ends the wait shows the drives again
    }
}

// The poll ends here, whatever its steps do: nothing they throw gets past the guard, and the
// next tick polls again. What a read has to wait for on the device (a broken file deleted)
// comes back as an operation of its own, before the next poll's result.
void Workflow::finishPoll(const PollResult& result, int epoch) {
    // A poll asked for before a configure command is not shown: the command came first.
    if (epoch == epoch_) {
        const WorkflowStates before = facts_.state;
        Guarded([&] {
            applyScan(result.scan);
            act(result, [this, before] { poll_->shortcut.handled(before, facts_.state); });
        });
    } else {
        poll_->shortcut.showNext();
    }
    poll_->inFlight = false;
}

void Workflow::applyScan(const ScanResult& scan) {
    facts_.driveList = scan.driveList;
    if (scan.driveIndex)
        facts_.driveIndex = *scan.driveIndex;
    facts_.deviceCount = scan.deviceCount;
    view_.showScan(scan);
}

// What the state calls for with the devices the poll found.
void Workflow::act(const PollResult& result, const Then& finished) {
    const bool none = facts_.deviceCount == 0;
    const bool one = facts_.deviceCount == 1;
    // Two or more devices move nothing in states 0 to 3: which one is meant cannot be told.
    switch (facts_.state) {
    case WaitForDevice:
        if (none) {
            view_.setMessage(Message::ConnectDevice);
            view_.setVersionVisible(false);
        } else if (one) {
            if (!result.versionFile) { // asked for in another state: read at the next poll
                poll_->shortcut.showNext();
                break;
            }
            checkReadiness(*result.versionFile, finished);
            return;
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
    case NotSuitable: // a pause of one tick
        setState(WaitForDevice);
        break;
    }
    finished();
}

// Exactly one device while waiting: show its settings and decide what it is good for.
void Workflow::checkReadiness(const ReadResult& versionFile, const Then& finished) {
    view_.beginRead();
    view_.setMessage(Message::DeviceFound);
    applyRead(facts_.deviceRoot(), versionFile, [this, finished, epoch = epoch_] {
        if (epoch == epoch_) {
            view_.setMessage(Message::SettingsRead);
            view_.setVersionVisible(true);
            decide();
        }
        finished();
    });
}

void Workflow::decide() {
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
    if (options_.judging == Judging::ByLastReads)
        return DeviceFacts{DeviceTypeOf(facts_.versionText), facts_.softwareVersion};
    const VersionFileContent& content = lastRead_.content;
    if (!lastRead_.readable() || (content.refusal != VersionFileRefusal::None &&
                                  content.refusal != VersionFileRefusal::NoConfiguration))
        return std::nullopt;
    return DeviceFacts{content.settings.deviceType, content.settings.softwareVersion};
}

void Workflow::applyRead(const std::optional<std::string>& root, const ReadResult& file,
                         const Then& then) {
    lastReadRoot_ = root;
    VersionFileRead read;
    read.file = file.status;
    const int versionBefore = facts_.softwareVersion;
    const bool listEndBefore = codeListEnd.PreviousWasFF;
    if (read.readable()) {
        facts_.versionText = file.content;
        CodeListEnd fresh;
        const bool byLastReads = options_.judging == Judging::ByLastReads;
        read.content = Guarded(
            [&] {
                return DecodeVersionFile(facts_.versionText, facts_.softwareVersion,
                                         byLastReads ? codeListEnd : fresh);
            },
            VersionFileContent{}, {"DecodeVersionFile", root ? *root : std::string_view()});
    }
    facts_.take(read);
    lastRead_ = read;
    view_.showSettings(read);
    if (read.readable() && read.content.refusal == VersionFileRefusal::BadHeader)
        view_.showVersionFileProblem(VersionFileProblem::BadHeader);
    const bool broken = read.readable() && read.content.broken() &&
                        (options_.judging == Judging::ByLastReads ||
                         read.content.refusal != VersionFileRefusal::UnknownType);
    // The same bytes read again show the same again only when what the read carries over to
    // the next one has settled.
    if (!read.readable() || broken || facts_.softwareVersion != versionBefore ||
        codeListEnd.PreviousWasFF != listEndBefore)
        poll_->shortcut.showNext();
    // Far longer than any device writes: broken, like a file whose length does not fit its
    // form.
    if (read.file == ReadStatus::TooLong || broken) {
        deleteBrokenFile(then);
        return;
    }
    if (!read.readable())
        view_.showVersionFileProblem(VersionFileProblem::Missing);
    then();
}

// A broken version file is deleted so that the device writes a new one when it is plugged in
// again. A file that is gone meanwhile, or that is no plain file, cannot be deleted and counts
// as missing.
void Workflow::deleteBrokenFile(const Then& then) {
    const auto root = facts_.deviceRoot();
    if (!root) {
        view_.showVersionFileProblem(VersionFileProblem::Missing);
        then();
        return;
    }
    run<bool>(
        [root = *root, wait = vanishWait](DevicePort& port) {
            if (!port.deleteVersionFile(root))
                return false;
            waitUntilGone(port, root, wait);
            return true;
        },
        [this, then](bool deleted) {
            view_.showVersionFileProblem(deleted ? VersionFileProblem::Broken
                                                 : VersionFileProblem::Missing);
            then();
        });
}

void Workflow::ScanForDevices() noexcept {
    run<ScanResult>([](DevicePort& port) { return port.scan(); },
                    [this](ScanResult scan) { applyScan(scan); });
}

void Workflow::FindCurrentSettings() noexcept {
    const auto root = facts_.deviceRoot();
    run<ReadResult>(
        [root](DevicePort& port) { return root ? port.readVersionFile(*root) : ReadResult{}; },
        [this, root](ReadResult file) { applyRead(root, file, [] {}); });
}

void Workflow::readVersionFile(const std::string& root,
                               std::function<void(const ReadResult&)> done) {
    run<ReadResult>([root](DevicePort& port) { return port.readVersionFile(root); },
                    [done](ReadResult file) { done(file); });
}

// The device is back after the cable was pulled: it has taken the file over.
void Workflow::announceSuccess() {
    view_.setInstruction(Instruction::Unplug);
    view_.setMessage(Message::Saved);
    setState(Saved);
    view_.showArrow(Arrow::None);
    view_.setTall(false);
    const auto root = facts_.deviceRoot();
    if (!root)
        return;
    run<bool>(
        [root = *root](DevicePort& port) {
            port.removeConfigFile(root);
            return true;
        },
        [](bool) {});
}

void Workflow::Configure(const DeviceSettings& choice, ConfigureTarget target,
                         std::function<void(ConfigureOutcome)> done) noexcept {
    if (configuring_)
        return;
    configuring_ = true;
    ++epoch_;
    poll_->shortcut.showNext();
    const auto finish = [this, done](ConfigureOutcome outcome) {
        configuring_ = false;
        if (done)
            Guarded([&] { done(outcome); }, {"showing the configure outcome"});
    };
    view_.enableConfigure(false);
    view_.setMessage(Message::None);
    // The device is looked for afresh.
    run<Search>(
        [](DevicePort& port) {
            Search search{port.findFirstDevice(), {}};
            if (const auto root = rootOf(search.found))
                search.versionFile = port.readVersionFile(*root);
            return search;
        },
        [this, choice, target, finish](Search search) {
            facts_.driveList = search.found.driveList;
            view_.showSearch(search.found);
            const bool elsewhere = target == ConfigureTarget::DeviceRead &&
                                   (search.found.deviceRoots.empty() ||
                                    search.found.deviceRoots.front() != lastReadRoot_);
            if (!search.found.driveIndex || elsewhere)
                return finish(ConfigureOutcome::NoDevice);
            facts_.driveIndex = *search.found.driveIndex;
            // The next configuration starts from the byte this one builds.
            facts_.configByte =
                Guarded([&] { return RebuildConfigByte(choice); }, facts_.configByte);
            const std::string root = facts_.deviceRoot().value_or(std::string());
            view_.setMessage(Message::DeviceFound);
            // A version file that cannot be read leaves the text of the last successful read.
            if (search.versionFile.ok())
                facts_.versionText = search.versionFile.content;

            // The file is built before anything on the device changes: a configuration that
            // cannot be built leaves the pending update files where they are.
            ConfigureFailure failure = SaveError::CannotCreate; // when nothing tells more
            const std::optional<ConfigFile> file = Guarded([&]() -> std::optional<ConfigFile> {
                DeviceSettings settings = choice;
                settings.deviceType = DeviceTypeOf(facts_.versionText);
                ConfigBuildResult built = BuildConfigFile(settings);
                if (!built.file)
                    failure = built.error;
                return std::move(built.file);
            }, {}, {"BuildConfigFile", root});
            if (!file) {
                // The user corrects the entry or the device and tries again.
                view_.reportFailure(failure);
                view_.enableConfigure(true);
                return finish(ConfigureOutcome::NotSaved);
            }
            view_.setMessage(Message::Saving);
            run<Saving>(
                [root, name = file->fileName,
                 bytes = Guarded([&] { return ConfigFileBytes(*file); })](DevicePort& port) {
                    port.removeStaleUpdateFiles(root);
                    Saving saving{port.saveUpdateFile(root, name, bytes), {}};
                    if (saving.save.ok())
                        saving.versionFile = port.readVersionFile(root);
                    return saving;
                },
                [this, file = *file, finish](Saving saving) {
                    saved(file, saving.save, saving.versionFile);
                    finish(saving.save.ok() ? ConfigureOutcome::Saved
                                            : ConfigureOutcome::NotSaved);
                });
        });
}

void Workflow::saved(const ConfigFile& file, const SaveResult& result, const ReadResult& again) {
    if (!result.ok()) {
        // The run does not start; the device is still the one found.
        view_.setMessage(Message::DeviceFound);
        view_.reportFailure(result.error);
        view_.enableConfigure(true);
        return;
    }
    view_.showConfigFileWritten(file);
    if (again.ok())
        facts_.versionText = again.content;
    DisconnectReconnectVelmaron();
    setState(WaitForUnplug);
}

void Workflow::DisconnectReconnectVelmaron() {
    view_.setMessage(Message::None);
    view_.setInstruction(Instruction::Unplug);
    view_.setArrowVisible(true);
    view_.setTall(true);
    view_.keepPolling();
}

} // namespace velmaron
