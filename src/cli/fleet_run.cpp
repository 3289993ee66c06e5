#include "cli/fleet_run.h"

#include "cli/apply_plan.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/device_reading.h"
#include "cli/fleet_report.h"
#include "config/config_file_reader.h"
#include "config/settings_words.h"
#include "config/version_file.h"
#include "workflow/call_queue.h"
#include "workflow/workflow_texts.h"

#include <algorithm>

namespace velmaron::cli {
namespace {

// What the workflow shows, kept for the run to tell in its own order; arrows, layout and the
// version label have no place in a terminal.
class TerminalView final : public WorkflowView {
public:
    ScanResult scan;   // what this poll found
    std::string root;  // the device's drive, as the last poll with one device found it
    DeviceRead read;   // the device's last read
    bool readThisPoll = false;
    std::string written; // the bytes of the configuration file on the device
    std::optional<ConfigureFailure> failure;

    void startPoll() {
        readThisPoll = false;
        changes_.clear();
    }
    bool changed(WorkflowStates from, WorkflowStates to) const {
        return std::ranges::find(changes_, std::pair{from, to}) != changes_.end();
    }

    void setMessage(Message) override {}
    void setInstruction(Instruction) override {}
    void showArrow(Arrow) override {}
    void setArrowVisible(bool) override {}
    void setTall(bool) override {}
    void setVersionVisible(bool) override {}
    void enableConfigure(bool) override {}
    void showScan(const ScanResult& found) override {
        scan = found;
        if (scan.deviceCount == 1)
            root = scan.deviceRoots.front();
    }
    void showSettings(const VersionFileRead& fileRead) override {
        read = DeviceReadOf(fileRead);
        readThisPoll = true;
    }
    void showConfigFileWritten(const ConfigFile& file) override { written = ConfigFileBytes(file); }
    void reportFailure(const ConfigureFailure& why) override { failure = why; }
    void stateChanged(WorkflowStates from, WorkflowStates to) override {
        changes_.emplace_back(from, to);
    }

private:
    std::vector<std::pair<WorkflowStates, WorkflowStates>> changes_;
};

class FleetRun {
public:
    FleetRun(Context& context, const FleetOptions& options, std::istream& answers)
        : context_(context), options_(options), answers_(answers),
          workflow_(view_,
                    std::make_shared<DrivePort>(
                        context.drives, std::make_shared<SaveSteps>(InterruptibleSaveSteps())),
                    calls_.dispatch(), {Judging::ByThisRead, true}) {}

    int run() {
        say(context_.tr(CliTexts::ConnectOneAfterAnother));
        for (bool first = true; !done_; first = false) {
            if (!first && !SleepUnlessInterrupted(options_.pollInterval))
                break;
            poll();
            if (Interrupted())
                break;
        }
        const int code = finish();
        // A save that Ctrl+C stopped removes its temporary file, unless the drive keeps it
        // waiting: then the program ends all the same.
        workflow_.waitForDevice(GiveUpAfter);
        return code;
    }

private:
    static constexpr std::chrono::milliseconds GiveUpAfter{800};

    // Runs what the workflow hands back until it has nothing more running; false on Ctrl+C.
    bool settle() {
        while (!workflow_.idle()) {
            if (Interrupted())
                return false;
            calls_.runFor(std::chrono::milliseconds(20));
        }
        return true;
    }

    void poll() {
        view_.startPoll();
        workflow_.Tick();
        if (!settle())
            return;
        const ScanResult& scan = view_.scan;
        if (scan.deviceCount > 1) {
            sayOnce(context_.tr(CliTexts::OneAtATime));
            return;
        }
        if (view_.changed(WaitForUnplug, WaitForReplug))
            say(tell(Instruction::Replug));
        else if (view_.changed(WaitForReplug, Saved))
            say(tell(Message::Saved));
        if (state() == Saved && scan.deviceCount == 1 && current_)
            confirm();
        else if (view_.changed(Saved, WaitForDevice) && current_)
            finishRow(Outcome::NotConfirmed, context_.tr(CliTexts::SettingsNotReported));
        // Until it has a row, a device is judged at every poll: a version file that appears
        // later makes it ready without a replug.
        if (view_.readThisPoll && !handled_)
            arrived();
        if (scan.deviceCount == 0 && state() == WaitForDevice) {
            handled_ = problemTold_ = false;
            sayOnce(tell(Message::ConnectDevice));
        }
    }

    // A device plugged in while waiting, just read by the workflow.
    void arrived() {
        const DeviceRead& read = view_.read;
        switch (read.status) {
        case DeviceRead::Status::Missing:
        case DeviceRead::Status::Broken:
            // Once a connection: a broken file deleted by the read is missing at the next one,
            // and the user has been told already to reconnect.
            if (!problemTold_)
                say(view_.root + ": " + ReadProblemText(context_, read));
            problemTold_ = true;
            return;
        case DeviceRead::Status::UnknownType:
            skip(ReadProblemText(context_, read));
            return;
        case DeviceRead::Status::Ok:
        case DeviceRead::Status::NoConfiguration:
            break;
        }
        if (state() == NotSuitable) {
            skip(tell(Message::NotSuitable), Instruction::UnplugUnsuitable);
        } else if (!Configurable(read.deviceType, read.softwareVersion)) { // a CR
            skip(context_.tr(CliTexts::CrNotConfigured));
        } else if (state() == DeviceReady) {
            configure();
        }
    }

    void configure() {
        const ApplyPlan plan = PlanFor(options_.profile, *view_.read.settings);
        DeviceRow& row = newRow();
        for (const KeyProblem& item : plan.notTaken)
            row.notTaken.push_back(item.key);
        say(rowPrefix() + row.root + " (" + row.label + "): " + DeviceLine(context_, view_.read));
        for (const std::string& line : changes(*view_.read.settings, plan.target))
            say("    " + line);
        for (const KeyProblem& item : plan.notTaken)
            say("    " + context_.tr(CliTexts::NotTaken) + item.text(context_.language));
        if (!options_.yes && !agreed()) {
            finishRow(Interrupted() ? Outcome::Interrupted : Outcome::Skipped,
                      context_.tr(CliTexts::Declined));
            return;
        }
        view_.failure.reset();
        ConfigureOutcome outcome = ConfigureOutcome::NotSaved;
        workflow_.Configure(plan.target, ConfigureTarget::DeviceRead,
                            [&outcome](ConfigureOutcome o) { outcome = o; });
        if (!settle() || outcome != ConfigureOutcome::Saved) {
            const std::string detail = failureDetail();
            say(rowPrefix() + detail);
            finishRow(Interrupted() ? Outcome::Interrupted : Outcome::Failed, detail);
            return;
        }
        expected_ = expectedReport(plan.target);
        say(rowPrefix() + context_.tr(CliTexts::ConfigurationWritten));
        say(tell(Instruction::Unplug));
    }

    // Why the configure command saved nothing.
    std::string failureDetail() const {
        if (Interrupted())
            return context_.tr(CliTexts::NothingSaved);
        if (!view_.failure)
            return context_.tr(CliTexts::ChangedNothingSaved);
        std::string detail;
        for (std::string_view line : FailureLines(*view_.failure, context_.language))
            detail += (detail.empty() ? "" : " ") + std::string(line);
        return detail;
    }

    // What the device reports once it has taken the written file over.
    std::optional<DeviceSettings> expectedReport(const DeviceSettings& target) const {
        return SettingsAfterTakeOver(view_.written, target.deviceType, target.softwareVersion);
    }

    void confirm() {
        std::optional<ReadResult> file;
        workflow_.readVersionFile(view_.root, [&file](const ReadResult& r) { file = r; });
        if (!settle() || !file)
            return;
        const DeviceRead read = DeviceReadOf(*file);
        if (!read.settings || read.settings != expected_)
            return; // asked again at the next poll, until the cable is pulled
        say(rowPrefix() + context_.tr(CliTexts::SettingsTakenOver));
        finishRow(Outcome::Confirmed, {});
        if (!done_)
            say(tell(Instruction::Unplug));
    }

    // The settings rows that change, "name: before -> after".
    std::vector<std::string> changes(const DeviceSettings& before,
                                     const DeviceSettings& after) const {
        const ReportedSettings reported =
            SettingsReported(before.deviceType, before.softwareVersion);
        ReportedSettings written = reported;
        written.configByte = true; // the window writes the configuration byte on every device
        const auto old = SettingsInWords(before, reported, context_.language);
        const auto now = SettingsInWords(after, written, context_.language);
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < old.size(); ++i)
            if (old[i] != now[i])
                lines.push_back(old[i].name + ": " + old[i].value + " -> " + now[i].value);
        if (lines.empty())
            lines.push_back(context_.tr(CliTexts::NoChange));
        return lines;
    }

    bool agreed() {
        context_.out << rowPrefix() << context_.tr(CliTexts::ConfigureQuestion) << std::flush;
        std::string answer;
        if (!std::getline(answers_, answer)) {
            done_ = true; // no one is there to answer
            return false;
        }
        return !answer.empty() &&
               (answer[0] == 'j' || answer[0] == 'J' || answer[0] == 'y' || answer[0] == 'Y');
    }

    void skip(const std::string& why, Instruction instruction = Instruction::Unplug) {
        newRow();
        say(rowPrefix() + DeviceLine(context_, view_.read) + ": " + context_.tr(CliTexts::Skipped) +
            " (" + why + ")");
        finishRow(Outcome::Skipped, why);
        if (!done_)
            say(tell(instruction));
    }

    DeviceRow& newRow() {
        DeviceRow row;
        row.number = static_cast<int>(rows_.size()) + 1;
        row.root = view_.root;
        row.label = DriveLabel(context_, view_.root);
        row.deviceType = view_.read.deviceType;
        row.softwareVersion = view_.read.softwareVersion;
        rows_.push_back(row);
        current_ = true;
        handled_ = true;
        return rows_.back();
    }

    void finishRow(Outcome outcome, std::string detail) {
        rows_.back().outcome = outcome;
        rows_.back().detail = std::move(detail);
        current_ = false;
        if (options_.count && static_cast<int>(rows_.size()) >= *options_.count)
            done_ = true;
    }

    int finish() {
        int code = ExitOk;
        if (Interrupted()) {
            say(context_.tr(CliTexts::Interrupted));
            if (current_)
                finishRow(state() == Saved ? Outcome::NotConfirmed : Outcome::Interrupted,
                          std::string(state() == WaitForUnplug || state() == WaitForReplug
                                          ? context_.tr(CliTexts::FileOnDevice)
                                          : context_.tr(CliTexts::NotConfirmed)));
        }
        for (const DeviceRow& row : rows_) {
            if (row.outcome == Outcome::Failed)
                code = ExitFailed;
            if (row.outcome == Outcome::Interrupted)
                code = ExitInterrupted;
        }
        if (Interrupted() && options_.count && static_cast<int>(rows_.size()) < *options_.count)
            code = ExitInterrupted;
        context_.out << "\n"
                     << context_.tr(CliTexts::Summary) << "\n"
                     << SummaryTable(context_, rows_);
        if (options_.reportFile && !WriteTextFile(context_, *options_.reportFile, CsvReport(rows_)))
            code = ExitFailed;
        return code;
    }

    std::string tell(Message message) const {
        return std::string(TextOf(message, context_.language));
    }
    std::string tell(Instruction instruction) const {
        return std::string(TextOf(instruction, context_.language));
    }
    WorkflowStates state() const { return workflow_.facts().state; }
    std::string rowPrefix() const { return "[" + std::to_string(rows_.size()) + "] "; }

    void say(const std::string& line) {
        context_.out << line << std::endl;
        lastSaid_ = line;
    }
    // Once while it stays the last thing said.
    void sayOnce(const std::string& line) {
        if (line != lastSaid_)
            say(line);
    }

    Context& context_;
    const FleetOptions& options_;
    std::istream& answers_;
    TerminalView view_;
    CallQueue calls_;
    // A Ctrl+C during a write removes the temporary file and writes nothing more.
    Workflow workflow_;
    std::vector<DeviceRow> rows_;
    std::optional<DeviceSettings> expected_;
    std::string lastSaid_;
    bool handled_ = false;     // the connected device has its row
    bool problemTold_ = false; // its version file's problem has been said
    bool current_ = false;     // the last row is still open
    bool done_ = false;
};

} // namespace

int RunFleet(Context& context, const FleetOptions& options, std::istream& answers) {
    return FleetRun(context, options, answers).run();
}

} // namespace velmaron::cli
