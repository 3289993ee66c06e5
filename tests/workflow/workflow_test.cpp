// The state machine on its own: a fake device port and a view that writes down what it is
// told. What the workflow does on the device and shows, and in which order, is the check.

#include "config/download_period.h"
#include "support/version_files.h"
#include "workflow/workflow.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmaron {
namespace {

using testing::qx;
using testing::versionFile;
using Log = std::vector<std::string>;

const char* const Root = "E:\\";

std::string nameOf(Message m) {
    const char* names[] = {"none", "connect", "found", "read", "unsuitable", "saved"};
    return names[static_cast<int>(m)];
}
std::string nameOf(Instruction i) {
    const char* names[] = {"unplug", "replug", "unplug!"};
    return names[static_cast<int>(i)];
}
std::string nameOf(Arrow a) {
    const char* names[] = {"none", "in", "out"};
    return names[static_cast<int>(a)];
}

// The device the fake drives hold, as a poll finds it.
struct FakeDevice {
    int count = 1;                                   // Velmarons connected
    std::optional<std::string> versionFile = qx(54); // nullopt: missing
    bool deletable = true;
    int staysAfterDelete = 0; // polls of the wait during which a deleted file still shows
    SaveResult save;          // what saving gives
};

class FakePort final : public DevicePort {
public:
    FakePort(Log& log, FakeDevice& device) : log_(log), device_(device) {}

    ScanResult scan() override {
        log_.push_back("scan");
        return found(device_.count);
    }
    ScanResult findFirstDevice() override {
        log_.push_back("search");
        return found(device_.count > 0 ? 1 : 0);
    }
    ReadResult readVersionFile(const std::string& root) override {
        log_.push_back("read " + root);
        if (!device_.versionFile)
            return {ReadStatus::Missing, {}};
        return {ReadStatus::Ok, *device_.versionFile};
    }
    bool deleteVersionFile(const std::string&) override {
        log_.push_back("delete");
        return device_.deletable;
    }
    bool versionFileExists(const std::string&) override {
        return device_.staysAfterDelete-- > 0;
    }
    void removeStaleUpdateFiles(const std::string&) override { log_.push_back("clean"); }
    SaveResult saveUpdateFile(const std::string&, const std::string& name,
                              std::string_view) override {
        log_.push_back("save " + name);
        if (device_.save.error == SaveError::PulledWhileSaving)
            device_.count = 0;
        return device_.save;
    }
    void removeConfigFile(const std::string&) override { log_.push_back("remove"); }

private:
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

    Log& log_;
    FakeDevice& device_;
};

// Writes down each display call; the scans, which come with every poll, only as their count.
class RecordingView final : public WorkflowView {
public:
    explicit RecordingView(Log& log) : log_(log) {}
    std::string throwOn; // a call that fails

    void setMessage(Message m) override { note("message " + nameOf(m)); }
    void setInstruction(Instruction i) override { note("instruction " + nameOf(i)); }
    void showArrow(Arrow a) override { note("arrow " + nameOf(a)); }
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
    void whileWaiting() override { note("waiting"); }

private:
    void note(const std::string& call) {
        if (!throwOn.empty() && call.starts_with(throwOn))
            throw std::runtime_error(call);
        log_.push_back(call);
    }
    Log& log_;
};

struct Bench {
    Log log;
    FakeDevice device;
    FakePort port{log, device};
    RecordingView view{log};
    int state = WaitForDevice;
    Workflow workflow;

    explicit Bench(Judging judging = Judging::ByLastReads)
        : workflow(view, port, state, judging) {
        workflow.vanishWait.now = [this] { return clock; };
        workflow.vanishWait.pause = [this](std::chrono::milliseconds span) { clock += span; };
    }
    // The calls of one step alone.
    Log tick() {
        log.clear();
        workflow.Tick();
        return log;
    }
    Log configure(const DeviceSettings& settings = {},
                  ConfigureTarget target = ConfigureTarget::FirstDevice) {
        log.clear();
        outcome = workflow.Configure(settings, target);
        return log;
    }
    std::chrono::steady_clock::time_point clock{};
    ConfigureOutcome outcome = ConfigureOutcome::NoDevice;
};

const Log ReadSuitable = {"scan", "scan shown 1", "begin read", "message found", "read E:\\",
                          "settings QX54", "message read", "version shown", "button on",
                          "normal", "state 0>1"};

// Every state with none, one and two devices; one device is a suitable QX 54.
TEST(Workflow, EachStateWithNoneOneAndTwoDevices) {
    const struct {
        int state, devices;
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
        {NotSuitable, 1, {"scan", "scan shown 1", "state 5>0"}, 0},
        {-1, 0, {"scan", "scan shown 0", "state -1>0"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "state " << c.state << ", " << c.devices << " devices");
        Bench bench;
        bench.state = c.state;
        bench.device.count = c.devices;
        EXPECT_EQ(bench.tick(), c.calls);
        EXPECT_EQ(bench.state, c.after);
    }
}

// What one device in WaitForDevice turns out to be, judged as the window judges it.
TEST(Workflow, WhatTheDeviceReadTurnsOutToBe) {
    const Log head = {"scan", "scan shown 1", "begin read", "message found", "read E:\\"};
    const Log shown = {"message read", "version shown"};
    const Log unsuitable = {"message unsuitable", "arrow shown", "arrow out", "instruction unplug!",
                            "tall", "state 0>5"};
    const struct {
        const char* name;
        std::optional<std::string> file;
        bool deletable;
        Log read; // after the read itself
        Log decision;
        int after;
    } cases[] = {
        {"suitable", qx(23), true, {"settings QX23"}, {"button on", "normal", "state 0>1"}, 1},
        {"too old", qx(22), true, {"settings QX22"}, unsuitable, 5},
        {"no configuration", versionFile("QX000005HEX", 21), true, {"settings QX5"}, unsuitable,
         5},
        {"CR", versionFile("CR000012HEX", 80), true, {"settings CR12"}, {}, 0},
        // Judged by what the reads left: the header of this one.
        {"broken", versionFile("QX000054HEX", 40), true,
         {"settings QX54", "delete", "problem broken"}, {"button on", "normal", "state 0>1"}, 1},
        {"broken, cannot be deleted", qx(54).substr(0, 20), false,
         {"settings QX0", "delete", "problem missing"}, unsuitable, 5},
        {"missing", std::nullopt, true, {"settings unreadable", "problem missing"}, unsuitable, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench;
        bench.device.versionFile = c.file;
        bench.device.deletable = c.deletable;
        Log expected = head;
        expected.insert(expected.end(), c.read.begin(), c.read.end());
        expected.insert(expected.end(), shown.begin(), shown.end());
        expected.insert(expected.end(), c.decision.begin(), c.decision.end());
        EXPECT_EQ(bench.tick(), expected);
        EXPECT_EQ(bench.state, c.after);
    }
}

// The command-line tool judges by the read alone: a missing, broken or unknown file decides
// nothing, and an unknown type's file is never deleted.
TEST(Workflow, JudgedByThisReadAloneNothingIsDecidedOnABadFile) {
    const struct {
        const char* name;
        std::optional<std::string> file;
        Log read;
    } cases[] = {
        {"missing", std::nullopt, {"settings unreadable", "problem missing"}},
        {"broken", versionFile("QX000054HEX", 40), {"settings QX54", "delete", "problem broken"}},
        // The window would read it by software 54's rules and delete it.
        {"unknown type, wrong length", versionFile("AB000054HEX", 25), {"settings AB54"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench(Judging::ByThisRead);
        bench.workflow.SoftwareVersion = 54;
        bench.device.versionFile = c.file;
        Log expected = {"scan", "scan shown 1", "begin read", "message found", "read E:\\"};
        expected.insert(expected.end(), c.read.begin(), c.read.end());
        expected.insert(expected.end(), {"message read", "version shown"});
        EXPECT_EQ(bench.tick(), expected);
        EXPECT_EQ(bench.state, WaitForDevice);
    }
}

// A deleted file that keeps showing is waited for, within a bound, with the front end served
// between the pauses.
TEST(Workflow, TheWaitForADeletedFileIsBounded) {
    for (const int stays : {0, 3, 1000}) {
        SCOPED_TRACE(stays);
        Bench bench;
        bench.device.versionFile = qx(54).substr(0, 10);
        bench.device.staysAfterDelete = stays;
        const Log calls = bench.tick();
        const auto waits = std::count(calls.begin(), calls.end(), "waiting");
        EXPECT_EQ(waits, std::min(stays, 200)); // 2 s in pauses of 10 ms
        const auto problem = std::find(calls.begin(), calls.end(), "problem broken");
        ASSERT_NE(problem, calls.end());
        EXPECT_EQ(std::count(calls.begin(), problem, "waiting"), waits);
    }
}

const Log SearchFound = {"button off", "message none", "search", "search shown", "message found",
                         "read E:\\"};

// The configure command's outcomes, and that nothing on the device changes before the file
// is built.
TEST(Workflow, ConfigureOutcomes) {
    const Log reconnect = {"read E:\\",          "message none", "instruction unplug",
                           "arrow shown",        "tall",         "keep polling",
                           "state 1>2"};
    DeviceSettings tooManyDays;
    tooManyDays.periodDays = MaxPeriodDays + 1;
    const struct {
        const char* name;
        int devices;
        std::string file;
        DeviceSettings settings;
        SaveResult save;
        Log calls; // after the search has found the device and read its version file
        ConfigureOutcome outcome;
        int after;
    } cases[] = {
        {"saved", 1, qx(54), {}, {},
         {"clean", "save QX999000.HEX", "written QX999000.HEX"}, ConfigureOutcome::Saved, 2},
        {"saved on a CR", 1, versionFile("CR000012HEX", 80), {}, {},
         {"clean", "save CR999000.HEX", "written CR999000.HEX"}, ConfigureOutcome::Saved, 2},
        {"cannot be built", 1, qx(54), tooManyDays, {},
         {"failure build 2", "button on"}, ConfigureOutcome::NotSaved, 1},
        {"unknown type", 1, versionFile("AB000054HEX", 80), {}, {},
         {"failure build 1", "button on"}, ConfigureOutcome::NotSaved, 1},
        {"save failed", 1, qx(54), {}, {SaveError::WriteProtected, "refused"},
         {"clean", "save QX999000.HEX", "failure save 3", "button on"}, ConfigureOutcome::NotSaved,
         1},
        {"pulled while saving", 1, qx(54), {}, {SaveError::PulledWhileSaving, "gone"},
         {"clean", "save QX999000.HEX", "failure save 5", "button on"}, ConfigureOutcome::NotSaved,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bench bench;
        bench.state = DeviceReady;
        bench.device.count = c.devices;
        bench.device.versionFile = c.file;
        bench.device.save = c.save;
        Log expected = SearchFound;
        expected.insert(expected.end(), c.calls.begin(), c.calls.end());
        if (c.outcome == ConfigureOutcome::Saved)
            expected.insert(expected.end(), reconnect.begin(), reconnect.end());
        EXPECT_EQ(bench.configure(c.settings), expected);
        EXPECT_EQ(bench.outcome, c.outcome);
        EXPECT_EQ(bench.state, c.after);
    }
}

TEST(Workflow, ConfigureFindsNoDeviceOrAnotherOne) {
    Bench bench;
    bench.state = DeviceReady;
    bench.device.count = 0;
    EXPECT_EQ(bench.configure(),
              (Log{"button off", "message none", "search", "search shown: none"}));
    EXPECT_EQ(bench.outcome, ConfigureOutcome::NoDevice);

    // Only onto the device that was read: here it was never read.
    bench.device.count = 1;
    EXPECT_EQ(bench.configure({}, ConfigureTarget::DeviceRead),
              (Log{"button off", "message none", "search", "search shown"}));
    EXPECT_EQ(bench.outcome, ConfigureOutcome::NoDevice);
    bench.state = WaitForDevice;
    EXPECT_EQ(bench.tick(), ReadSuitable);
    bench.configure({}, ConfigureTarget::DeviceRead);
    EXPECT_EQ(bench.outcome, ConfigureOutcome::Saved);
}

// A whole cycle, and a view that fails at every call of one kind: the steps after it still run.
TEST(Workflow, AFailingStepIsSkippedAndTheNextOneRuns) {
    for (const char* failing : {"", "message", "arrow", "tall", "state", "settings"}) {
        SCOPED_TRACE(failing);
        Bench bench;
        bench.view.throwOn = failing;
        bench.tick();
        ASSERT_EQ(bench.state, DeviceReady);
        bench.configure();
        ASSERT_EQ(bench.state, WaitForUnplug);
        bench.device.count = 0;
        bench.tick();
        bench.device.count = 1;
        const Log back = bench.tick();
        EXPECT_EQ(bench.state, Saved);
        EXPECT_EQ(back.back(), "remove");
        bench.device.count = 0;
        bench.tick();
        EXPECT_EQ(bench.state, WaitForDevice);
    }
}

} // namespace
} // namespace velmaron
