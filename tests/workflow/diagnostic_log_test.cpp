// Configure commands whose save fails at each step in turn, through the workflow onto a
// simulated device: each failure is one line with the moment, the operation, the drive and the
// error. With the log off, nothing is written.

#include "device/diagnostic_log.h"
#include "support/save_faults.h"
#include "support/sim_drives.h"
#include "support/version_files.h"
#include "workflow/call_queue.h"
#include "workflow/workflow.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::failAt;
using Lines = std::vector<std::string>;

// The moment a line begins with, in UTC to the millisecond. (No <regex>: the sanitizer build's
// compiler warns inside it.)
bool isMoment(std::string_view text) {
    constexpr std::string_view form = "0000-00-00T00:00:00.000Z";
    return std::equal(form.begin(), form.end(), text.begin(), text.end(), [](char f, char c) {
        return f == '0' ? std::isdigit(static_cast<unsigned char>(c)) != 0 : f == c;
    });
}

class QuietView final : public WorkflowView {
public:
    bool failureThrows = false;
    void setMessage(Message) override {}
    void setInstruction(Instruction) override {}
    void showArrow(Arrow) override {}
    void setArrowVisible(bool) override {}
    void setTall(bool) override {}
    void setVersionVisible(bool) override {}
    void enableConfigure(bool) override {}
    void reportFailure(const ConfigureFailure&) override {
        if (failureThrows)
            throw std::runtime_error("view gone");
    }
};

// One configure command onto the Velmaron at E with the save's steps given.
struct Bench {
    testing::SimDrives drives;
    QuietView view;
    CallQueue handed;
    fs::path log = drives.path() / "trace.log";

    Bench() {
        drives.addDevice('E');
        drives.write("E/UPDATES/digivers.ion", testing::qx(54));
    }
    ConfigureOutcome configure(const SaveSteps& steps) {
        Workflow workflow(
            view,
            std::make_shared<DrivePort>(MakeSimulatedDriveServices(drives.folder().string()),
                                        std::make_shared<const SaveSteps>(steps)),
            handed.dispatch());
        std::optional<ConfigureOutcome> outcome;
        workflow.Configure({}, ConfigureTarget::FirstDevice,
                           [&](ConfigureOutcome o) { outcome = o; });
        for (int rounds = 0; !outcome && rounds < 100; ++rounds) {
            workflow.waitForDevice(std::chrono::milliseconds(100));
            handed.runFor(std::chrono::milliseconds(0));
        }
        return outcome.value_or(ConfigureOutcome::NoDevice);
    }
    Lines lines() const {
        Lines found;
        std::istringstream text(testing::readAll(log));
        for (std::string line; std::getline(text, line);)
            found.push_back(line);
        return found;
    }
};

TEST(DiagnosticLog, NamesTheOperationTheDriveAndTheErrorOfEachFailedStep) {
    using enum FileStep;
    using F = FileFault;
    using Dir = const DeviceDirectory&;
    using Name = const std::string&;
    SaveSteps differs, throws, throwsOther;
    differs.readBack = [](Dir, Name) { return ReadResult{ReadStatus::Ok, "other"}; };
    throws.replace = [](Dir, Name, Name) -> FileResult { throw std::runtime_error("bus reset"); };
    throwsOther.flushDirectory = [](Dir) -> FileResult { throw 42; };
    Bench bench;
    const std::string save = "SaveUpdateFile QX999000.HEX\t" + bench.drives.root('E') + "\t";
    const std::string port = "DevicePort::saveUpdateFile\t" + bench.drives.root('E') + "\t";
    const struct {
        SaveSteps steps;
        Lines expected; // each line after its moment
        bool viewThrows = false;
    } cases[] = {
        {failAt(Create, F::Failed), {save + "CannotCreate at create: injected"}},
        {failAt(Create, F::WriteProtected), {save + "WriteProtected at create: injected"}},
        {failAt(Write, F::Failed, "half"), {save + "WriteFailed at write: injected"}},
        {failAt(Flush, F::Failed), {save + "WriteFailed at flush: injected"}},
        {failAt(Rename, F::Failed), {save + "WriteFailed at rename: injected"}},
        {failAt(FlushDirectory, F::Failed), {save + "WriteFailed at flush directory: injected"}},
        {differs, {save + "ReadBackMismatch at read back: content differs"}},
        {throws, {port + "bus reset"}},
        {throwsOther, {port + "unknown failure"}},
        {failAt(Create, F::Failed),
         {save + "CannotCreate at create: injected", "WorkflowView::reportFailure\t-\tview gone"},
         true},
    };
    std::size_t before = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.back());
        bench.view.failureThrows = c.viewThrows;
        // Opened afresh for each: what is there is kept.
        ASSERT_EQ(DiagnosticLog::Open(bench.log), std::nullopt);
        EXPECT_EQ(bench.configure(c.steps), ConfigureOutcome::NotSaved);
        DiagnosticLog::Close();
        const Lines lines = bench.lines();
        ASSERT_EQ(lines.size(), before + c.expected.size());
        for (const std::string& expected : c.expected) {
            const std::string& line = lines[before++];
            const auto tab = line.find('\t');
            EXPECT_TRUE(isMoment(line.substr(0, tab))) << line;
            EXPECT_EQ(line.substr(tab + 1), expected);
        }
    }
}

TEST(DiagnosticLog, IsOffUnlessOpenedAndSaysWhyItCannotBeOpenedOrNotOnTheDevice) {
    Bench bench;
    EXPECT_EQ(bench.configure(failAt(FileStep::Create, FileFault::Failed)),
              ConfigureOutcome::NotSaved);
    EXPECT_FALSE(fs::exists(bench.log));
    const auto reason = DiagnosticLog::Open(bench.drives.path() / "missing" / "trace.log");
    ASSERT_NE(reason, std::nullopt);
    EXPECT_FALSE(reason->empty());
    EXPECT_FALSE(DiagnosticLog::On());
    const fs::path onDevice = bench.drives.path() / "E" / "UPDATES" / "trace.log";
    EXPECT_EQ(DiagnosticLog::Open(onDevice), std::string(DiagnosticLog::OnDevice));
    EXPECT_FALSE(fs::exists(onDevice));
    // Closed again, the file is no longer written.
    ASSERT_EQ(DiagnosticLog::Open(bench.log), std::nullopt);
    DiagnosticLog::Close();
    bench.configure(failAt(FileStep::Create, FileFault::Failed));
    EXPECT_EQ(testing::readAll(bench.log), "");
}

} // namespace
} // namespace velmaron
