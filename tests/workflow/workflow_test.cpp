// The state machine on its own: a fake device port on the device worker's thread and a view
// that writes down what it is told. What the workflow does on the device and shows, and in
// which order, is the check; and that the device is never touched on the front end's thread.

#include "config/download_period.h"
#include "device/drive_watch.h"
#include "support/gate.h"
#include "support/version_files.h"
#include "workflow/call_queue.h"
#include "workflow/workflow.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmaron {
namespace {

using testing::qx;
using testing::versionFile;
using Log = std::vector<std::string>;

// Written by the worker's thread and the test's, one after the other.
struct SharedLog {
    std::mutex mutex;
    Log lines;
    void add(std::string line) {
        std::lock_guard lock(mutex);
        lines.push_back(std::move(line));
    }
    Log take() {
        std::lock_guard lock(mutex);
        return std::exchange(lines, {});
    }
};

const char* const Root = "E:\\";

const char* const MessageNames[] = {"none", "connect", "found", "read", "unsuitable", "saving",
                                    "saved"};
const char* const InstructionNames[] = {"unplug", "replug", "unplug!"};
const char* const ArrowNames[] = {"none", "in", "out"};

// The device the fake drives hold, as a poll finds it.
struct FakeDevice {
    int count = 1;                                   // Velmarons connected
    std::optional<std::string> versionFile = qx(54); // nullopt: missing
    bool deletable = true;
    int staysAfterDelete = 0; // polls of the wait during which a deleted file still shows
    SaveResult save;          // what saving gives
};

// What the fake drives hold and what their calls leave, kept as long as the port that the
// worker may still run.
struct Drive {
    SharedLog log;
    FakeDevice device;
    testing::Gate gate;
    std::thread::id frontEnd = std::this_thread::get_id();
    int onFrontEnd = 0; // calls made on the front end's thread
};

class FakePort final : public DevicePort {
public:
    explicit FakePort(std::shared_ptr<Drive> drive) : drive_(std::move(drive)) {}

    ScanResult scan() override {
        NoteDrive(Root);
        note("scan");
        drive_->gate.pass();
        return found(device().count);
    }
    ScanResult findFirstDevice() override {
        note("search");
        return found(device().count > 0 ? 1 : 0);
    }
    ReadResult readVersionFile(const std::string& root) override {
        note("read " + root);
        if (!device().versionFile)
            return {ReadStatus::Missing, {}};
        return {ReadStatus::Ok, *device().versionFile};
    }
    bool deleteVersionFile(const std::string&) override {
        note("delete");
        return device().deletable;
    }
    bool versionFileExists(const std::string&) override {
        return device().staysAfterDelete-- > 0;
    }
    void removeStaleUpdateFiles(const std::string&) override { note("clean"); }
    SaveResult saveUpdateFile(const std::string&, const std::string& name,
                              std::string_view) override {
        note("save " + name);
        if (device().save.error == SaveError::PulledWhileSaving)
            device().count = 0;
        return device().save;
    }
    void removeConfigFile(const std::string&) override { note("remove"); }

private:
    FakeDevice& device() { return drive_->device; }
    void note(std::string call) {
        drive_->onFrontEnd += std::this_thread::get_id() == drive_->frontEnd;
        drive_->log.add(std::move(call));
    }
    static ScanResult found(int count) {
        ScanResult scan;
        scan.driveList = {"C:\\", Root, "G:\\"};
        scan.deviceCount = count;
        for (int i = 0; i < count; ++i)
            scan.deviceRoots.push_back(scan.driveList[static_cast<std::size_t>(i) + 1]);
        if (count > 0)
            scan.driveIndex = count; // the last device
        return scan;
    }

    std::shared_ptr<Drive> drive_;
};

// Writes down each display call; the scans, which come with every poll, only as their count.
class RecordingView final : public WorkflowView {
public:
    explicit RecordingView(SharedLog& log) : log_(log) {}
    std::string throwOn; // a call that fails

    void setMessage(Message m) override { note("message " + name(MessageNames, m)); }
    void setInstruction(Instruction i) override { note("instruction " + name(InstructionNames, i)); }
    void showArrow(Arrow a) override { note("arrow " + name(ArrowNames, a)); }
    void setArrowVisible(bool v) override { note(v ? "arrow shown" : "arrow hidden"); }
    void setTall(bool t) override { note(t ? "tall" : "normal"); }
    void setVersionVisible(bool v) override { note(v ? "version shown" : "version hidden"); }
    void enableConfigure(bool e) override { note(e ? "button on" : "button off"); }
    void showScan(const ScanResult& s) override {
        note("scan shown " + std::to_string(s.deviceCount));
    }
    void showSearch(const ScanResult& s) override {
        note(s.driveIndex ? "search shown" : "search shown: none");
    }
    void beginRead() override { note("begin read"); }
    void showSettings(const VersionFileRead& read) override {
        const auto& s = read.content.settings;
        note(read.readable() ? "settings " + s.deviceType + std::to_string(s.softwareVersion)
                             : "settings unreadable");
    }
    void showVersionFileProblem(VersionFileProblem p) override {
        note(p == VersionFileProblem::Missing ? "problem missing" : "problem broken");
    }
    void showConfigFileWritten(const ConfigFile& f) override { note("written " + f.fileName); }
    void reportFailure(const ConfigureFailure& f) override {
        note(std::holds_alternative<ConfigError>(f)
                 ? "failure build " + std::to_string(static_cast<int>(std::get<ConfigError>(f)))
                 : "failure save " + std::to_string(static_cast<int>(std::get<SaveError>(f))));
    }
    void keepPolling() override { note("keep polling"); }
    void stateChanged(WorkflowStates from, WorkflowStates to) override {
        note("state " + std::to_string(from) + ">" + std::to_string(to));
    }
    void showUnresponsiveDrive(const std::string& root) override {
        note("not responding " + root);
    }

private:
    template <class Enum, std::size_t N> static std::string name(const char* const (&names)[N], Enum e) {
        return names[static_cast<std::size_t>(e)];
    }
    void note(const std::string& call) {
        if (throwOn == "*" || (!throwOn.empty() && call.starts_with(throwOn)))
            throw std::runtime_error(call);
        log_.add(call);
    }
    SharedLog& log_;
};

struct Bench {
    std::shared_ptr<Drive> drive = std::make_shared<Drive>();
    SharedLog& log = drive->log;
    FakeDevice& device = drive->device;
    testing::Gate& gate = drive->gate;
    RecordingView view{log};
    CallQueue handed;
    std::chrono::steady_clock::time_point clock{};
    int pauses = 0;
    std::optional<Workflow> workflow; // reset while a drive hangs

    explicit Bench(WorkflowOptions options = {}) {
        workflow.emplace(view, std::make_shared<FakePort>(drive), handed.dispatch(), options);
        workflow->vanishWait.now = [this] { return clock; };
        workflow->vanishWait.pause = [this](std::chrono::milliseconds span) {
            ++pauses;
            clock += span;
        };
    }
    // Until everything the workflow started has been shown; a worker that never gets to its
    // jobs fails the case rather than holding it until the time limit.
    void settle() {
        for (int rounds = 0; !workflow->idle(); ++rounds) {
            if (rounds == 100) {
                ADD_FAILURE() << "the workflow's jobs did not finish";
                return;
            }
            workflow->waitForDevice(std::chrono::milliseconds(100));
            handed.runFor(std::chrono::milliseconds(0));
        }
    }
    // The calls of one step alone.
    template <class Step> Log calls(Step step) {
        log.take();
        step();
        settle();
        return log.take();
    }
    Log tick() { return calls([this] { workflow->Tick(); }); }
    WorkflowStates state() const { return workflow->facts().state; }
    // The way a user gets there, with one suitable device (one too old for NotSuitable), which
    // stays connected.
    void reach(WorkflowStates target) {
        if (target == NotSuitable)
            device.versionFile = qx(22);
        if (target != WaitForDevice)
            tick();
        if (target >= WaitForUnplug && target <= Saved)
            configure();
        if (target == WaitForReplug || target == Saved) {
            device.count = 0;
            tick();
        }
        if (target == Saved) {
            device.count = 1;
            tick();
        }
        device = FakeDevice{};
        ASSERT_EQ(state(), target);
    }
    void startConfigure(const DeviceSettings& settings = {},
                        ConfigureTarget target = ConfigureTarget::FirstDevice) {
        workflow->Configure(settings, target, [this](ConfigureOutcome o) { outcome = o; });
    }
    Log configure(const DeviceSettings& settings = {},
                  ConfigureTarget target = ConfigureTarget::FirstDevice) {
        return calls([&] { startConfigure(settings, target); });
    }
    ConfigureOutcome outcome = ConfigureOutcome::NoDevice;
};

Log operator+(Log a, const Log& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The poll reads the version file of the one device it finds, on the worker's thread; what it
// read is shown, and then what the window makes of it.
const Log ReadHead = {"scan", "read E:\\", "scan shown 1", "begin read", "message found"};
const Log ReadShown = {"message read", "version shown"};
const Log Ready = {"button on", "normal", "state 0>1"};
const Log ReadSuitable = ReadHead + Log{"settings QX54"} + ReadShown + Ready;

// Every state with none, one and two devices; one device is a suitable QX 54. Where no call
// but the state's is listed, the window keeps its message, instruction, button and arrow.
TEST(Workflow, EachStateWithNoneOneAndTwoDevices) {
    const struct {
        WorkflowStates state;
        int devices;
        Log calls;
        int after;
    } cases[] = {
        {WaitForDevice, 0, {"scan", "scan shown 0", "message connect", "version hidden"}, 0},
        {WaitForDevice, 1, ReadSuitable, 1},
        {WaitForDevice, 2, {"scan", "scan shown 2"}, 0},
        {DeviceReady, 0, {"scan", "scan shown 0", "button off", "state 1>0"}, 0},
        {DeviceReady, 1, {"scan", "scan shown 1"}, 1},
        {DeviceReady, 2, {"scan", "scan shown 2"}, 1},
        {WaitForUnplug, 0,
         {"scan", "scan shown 0", "arrow in", "instruction replug", "state 2>3"}, 3},
        {WaitForUnplug, 1, {"scan", "scan shown 1", "arrow out"}, 2},
        {WaitForUnplug, 2, {"scan", "scan shown 2"}, 2},
        {WaitForReplug, 0, {"scan", "scan shown 0", "arrow in", "instruction replug"}, 3},
        {WaitForReplug, 1,
         {"scan", "scan shown 1", "instruction unplug", "message saved", "state 3>4",
          "arrow none", "normal", "remove"},
         4},
        {WaitForReplug, 2, {"scan", "scan shown 2"}, 3},
        {Saved, 0,
         {"scan", "scan shown 0", "arrow none", "normal", "state 4>0", "arrow hidden"}, 0},
        {Saved, 1, {"scan", "scan shown 1", "arrow hidden"}, 4},
        {Saved, 2, {"scan", "scan shown 2", "arrow hidden"}, 4},
        {NotSuitable, 0, {"scan", "scan shown 0", "state 5>0"}, 0},
        {NotSuitable, 1, {"scan", "scan shown 1", "state 5>0"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "state " << c.state << ", " << c.devices << " devices");
        Bench bench;
        bench.reach(c.state);
        bench.device.count = c.devices;
        EXPECT_EQ(bench.tick(), c.calls);
        EXPECT_EQ(bench.state(), c.after);
    }
}

// What one device in WaitForDevice turns out to be, judged as the window judges it, or by the
// read alone as the command-line tool does: there a missing, broken or unknown file decides
// nothing, and an unknown type's file is never deleted.
TEST(Workflow, WhatTheDeviceReadTurnsOutToBe) {
    const Log unsuitable = {"message unsuitable", "arrow shown", "arrow out", "instruction unplug!",
                            "tall", "state 0>5"};
    const struct {
        const char* name;
        std::optional<std::string> file;
        bool deletable;
        Log read; // after the read itself
        Log decision;
        int after;
        Judging judging = Judging::ByLastReads;
    } cases[] = {
        {"suitable", qx(23), true, {"settings QX23"}, Ready, 1},
        {"too old", qx(22), true, {"settings QX22"}, unsuitable, 5},
        {"no configuration", versionFile("QX000005HEX", 21), true, {"settings QX5"}, unsuitable,
         5},
        {"CR", versionFile("CR000012HEX", 80), true, {"settings CR12"}, {}, 0},
        // Judged by what the reads left: the header of this one.
        {"broken", versionFile("QX000054HEX", 40), true,
         {"settings QX54", "delete", "problem broken"}, Ready, 1},
        {"broken, cannot be deleted", qx(54).substr(0, 20), false,
         {"settings QX0", "delete", "problem missing"}, unsuitable, 5},
        {"missing", std::nullopt, true, {"settings unreadable", "problem missing"}, unsuitable, 5},
        {"this read: missing", std::nullopt, true, {"settings unreadable", "problem missing"}, {},
         0, Judging::ByThisRead},
        {"this read: broken", versionFile("QX000054HEX", 40), true,
         {"settings QX54", "delete", "problem broken"}, {}, 0, Judging::ByThisRead},
        // The window would read it by software 54's rules and delete it.
        {"this read: unknown type, wrong length", versionFile("AB000054HEX", 25), true,
         {"settings AB54"}, {}, 0, Judging::ByThisRead},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench({c.judging});
        if (c.judging == Judging::ByThisRead) { // an earlier read's software version: 54
            bench.reach(DeviceReady);
            bench.device.count = 0;
            bench.tick();
            bench.device.count = 1;
        }
        bench.device.versionFile = c.file;
        bench.device.deletable = c.deletable;
        EXPECT_EQ(bench.tick(), ReadHead + c.read + ReadShown + c.decision);
        EXPECT_EQ(bench.state(), c.after);
    }
}

// A deleted file that keeps showing is waited for, within a bound, before the user is told.
TEST(Workflow, TheWaitForADeletedFileIsBounded) {
    for (const int stays : {0, 3, 1000}) {
        SCOPED_TRACE(stays);
        Bench bench;
        bench.device.versionFile = qx(54).substr(0, 10);
        bench.device.staysAfterDelete = stays;
        const Log calls = bench.tick();
        EXPECT_EQ(bench.pauses, std::min(stays, 200)); // 2 s in pauses of 10 ms
        const auto deleted = std::find(calls.begin(), calls.end(), "delete");
        ASSERT_NE(deleted, calls.end());
        EXPECT_EQ(*std::next(deleted), "problem broken");
    }
}

const Log SearchFound = {"button off", "message none", "search", "read E:\\", "search shown",
                         "message found"};

// The configure command's outcomes, and that nothing on the device changes before the file
// is built.
TEST(Workflow, ConfigureOutcomes) {
    using enum ConfigureOutcome;
    const Log saving = {"message saving", "clean", "save QX999000.HEX"};
    const Log reconnect = {"message none", "instruction unplug", "arrow shown",
                           "tall",         "keep polling",       "state 1>2"};
    DeviceSettings tooManyDays;
    tooManyDays.periodDays = MaxPeriodDays + 1;
    const struct {
        const char* name;
        std::string file;
        DeviceSettings settings;
        SaveResult save;
        Log calls; // after the search has found the device and read its version file
        ConfigureOutcome outcome;
    } cases[] = {
        {"saved", qx(54), {}, {}, saving + Log{"read E:\\", "written QX999000.HEX"}, Saved},
        {"saved on a CR", versionFile("CR000012HEX", 80), {}, {},
         {"message saving", "clean", "save CR999000.HEX", "read E:\\", "written CR999000.HEX"},
         Saved},
        {"cannot be built", qx(54), tooManyDays, {}, {"failure build 2", "button on"}, NotSaved},
        {"unknown type", versionFile("AB000054HEX", 80), {}, {}, {"failure build 1", "button on"},
         NotSaved},
        {"save failed", qx(54), {}, {SaveError::WriteProtected, "refused"},
         saving + Log{"message found", "failure save 3", "button on"}, NotSaved},
        {"pulled while saving", qx(54), {}, {SaveError::PulledWhileSaving, "gone"},
         saving + Log{"message found", "failure save 5", "button on"}, NotSaved},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench;
        bench.reach(DeviceReady);
        bench.device.versionFile = c.file;
        bench.device.save = c.save;
        const bool saved = c.outcome == Saved;
        EXPECT_EQ(bench.configure(c.settings), SearchFound + c.calls + (saved ? reconnect : Log{}));
        EXPECT_EQ(bench.outcome, c.outcome);
        EXPECT_EQ(bench.state(), saved ? WaitForUnplug : DeviceReady);
    }
}

TEST(Workflow, ConfigureFindsNoDeviceOrAnotherOne) {
    Bench bench;
    bench.device.count = 0;
    EXPECT_EQ(bench.configure(),
              (Log{"button off", "message none", "search", "search shown: none"}));
    EXPECT_EQ(bench.outcome, ConfigureOutcome::NoDevice);

    // Only onto the device that was read: here it was never read.
    bench.device.count = 1;
    EXPECT_EQ(bench.configure({}, ConfigureTarget::DeviceRead),
              (Log{"button off", "message none", "search", "read E:\\", "search shown"}));
    EXPECT_EQ(bench.outcome, ConfigureOutcome::NoDevice);
    EXPECT_EQ(bench.tick(), ReadSuitable);
    bench.configure({}, ConfigureTarget::DeviceRead);
    EXPECT_EQ(bench.outcome, ConfigureOutcome::Saved);
}

// A whole cycle, and a view that fails at every call of one kind, or at every call ("*"): the
// steps after it still run, and every tick polls again.
TEST(Workflow, AFailingStepIsSkippedAndTheNextOneRuns) {
    for (const char* failing : {"", "message", "arrow", "tall", "state", "settings", "scan shown",
                                "*"}) {
        SCOPED_TRACE(failing);
        Bench bench;
        bench.view.throwOn = failing;
        const auto polls = [&bench] {
            const Log calls = bench.tick();
            return !calls.empty() && calls.front() == "scan";
        };
        ASSERT_TRUE(polls());
        ASSERT_EQ(bench.state(), DeviceReady);
        bench.configure();
        ASSERT_EQ(bench.state(), WaitForUnplug);
        for (const auto& [count, after] : {std::pair{0, WaitForReplug}, std::pair{1, Saved},
                                           std::pair{0, WaitForDevice}}) {
            bench.device.count = count;
            EXPECT_TRUE(polls());
            EXPECT_EQ(bench.state(), after);
        }
        EXPECT_EQ(bench.drive->onFrontEnd, 0);
    }
}

// A poll that finds what the one before found, where the state machine would do nothing with
// it, is not handed back; what the front end changed itself, or a device read that has not
// settled yet, is shown again. The command-line tool sees every poll.
TEST(Workflow, APollThatFindsNothingNewGoesUnshown) {
    const Log quiet = {"scan"};
    Bench none;
    none.device.count = 0;
    EXPECT_NE(none.tick(), quiet);
    EXPECT_EQ(none.tick(), quiet);
    none.workflow->viewChanged();
    EXPECT_NE(none.tick(), quiet);
    EXPECT_EQ(none.tick(), quiet);

    Bench cr;
    cr.device.versionFile = versionFile("CR000012HEX", 80);
    const Log reread = {"scan", "read E:\\"};
    EXPECT_NE(cr.tick(), reread); // software 0 before, 12 after
    EXPECT_NE(cr.tick(), reread);
    EXPECT_EQ(cr.tick(), reread);
    cr.device.versionFile = versionFile("CR000013HEX", 80);
    EXPECT_NE(cr.tick(), reread);

    // A ready device pulled: waiting again is shown, and the device plugged in again is read.
    Bench ready;
    ready.reach(DeviceReady);
    ready.device.count = 0;
    ready.tick();
    EXPECT_EQ(ready.tick(), (Log{"scan", "scan shown 0", "message connect", "version hidden"}));
    EXPECT_EQ(ready.tick(), quiet);
    ready.device.count = 1;
    EXPECT_EQ(ready.tick(), ReadSuitable);

    Bench everyPoll({Judging::ByThisRead, true});
    everyPoll.device.count = 0;
    everyPoll.tick();
    EXPECT_EQ(everyPoll.tick(), (Log{"scan", "scan shown 0", "message connect", "version hidden"}));
}

// A drive that does not answer holds one poll and never a pile of them; after SlowDriveAfter
// the front end is told which drive it is, and the drives are shown afresh once it answers.
TEST(Workflow, ADriveThatDoesNotAnswerHoldsOnePoll) {
    Bench bench;
    bench.device.count = 0;
    bench.gate.shut();
    bench.workflow->Tick();
    while (bench.log.take() != Log{"scan"}) // the worker is at the drive
        std::this_thread::yield();
    for (int i = 0; i < 3; ++i)
        bench.workflow->Tick();
    EXPECT_FALSE(bench.workflow->idle());
    EXPECT_EQ(bench.log.take(), Log{});
    bench.workflow->Tick();
    EXPECT_EQ(bench.log.take(), Log{"not responding E:\\"});
    bench.gate.open();
    bench.settle();
    EXPECT_EQ(bench.log.take(), (Log{"scan shown 0", "message connect", "version hidden"}));
    EXPECT_EQ(bench.tick(), Log{"scan"}); // nothing new since
}

// A configure command given while a poll waits on the drive comes first: the poll is not shown,
// and the next one follows the command.
TEST(Workflow, AConfigureCommandGoesBeforeAPollThatWaits) {
    Bench bench;
    bench.reach(DeviceReady);
    bench.gate.shut();
    bench.workflow->Tick();
    bench.startConfigure();
    bench.workflow->Tick(); // no poll while the command runs
    bench.gate.open();
    bench.settle();
    const Log calls = bench.log.take();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "scan"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "scan shown 1"), 0);
    EXPECT_EQ(bench.outcome, ConfigureOutcome::Saved);
    EXPECT_EQ(bench.state(), WaitForUnplug);
}

// The front end closes while a drive hangs: the workflow goes at once, and what the drive
// answers later reaches nothing.
TEST(Workflow, GoesWhileADriveHangsAndItsAnswerReachesNothing) {
    Bench bench;
    bench.device.count = 0;
    bench.gate.shut();
    bench.workflow->Tick();
    while (bench.gate.waiting() == 0)
        std::this_thread::yield();
    bench.workflow.reset();
    bench.log.take();
    bench.gate.open();
    while (bench.gate.waiting() != 0)
        std::this_thread::yield();
    bench.handed.runFor(std::chrono::milliseconds(20)); // the hand-back, if any
    EXPECT_EQ(bench.log.take(), Log{});
}

} // namespace
} // namespace velmaron
