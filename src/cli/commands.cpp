#include "cli/commands.h"

#include "cli/device_reading.h"
#include "cli/profile.h"
#include "cli/table.h"
#include "config/settings_words.h"
#include "config/version_file.h"
#include "device/device_files.h"
#include "device/device_scan.h"
#include "device/version_file_access.h"
#include "workflow/workflow_texts.h"

#include <filesystem>
#include <fstream>

namespace velmaron::cli {
namespace {

// No profile comes anywhere near this size.
constexpr std::size_t MaxProfileBytes = 64 * 1024;

// The one connected Velmaron; nullopt, with the message said, when there is none or several.
std::optional<std::string> oneDevice(Context& context) {
    const ScanResult scan = ScanForDevices(*context.drives);
    if (scan.deviceCount == 1)
        return scan.deviceRoots.front();
    if (scan.deviceCount == 0) {
        context.err << context.tr(CliTexts::NoDevice) << "\n";
        return std::nullopt;
    }
    context.err << context.tr(CliTexts::SeveralDevices);
    for (const std::string& root : scan.deviceRoots)
        context.err << " " << root;
    context.err << "\n";
    return std::nullopt;
}

// Reads and decodes the version file UPDATES\digivers.ion on the drive; nothing is changed.
DeviceRead readDevice(const std::string& root) {
    return DeviceReadOf(ReadVersionFile(root));
}

const char* statusName(DeviceRead::Status status) {
    switch (status) {
    case DeviceRead::Status::Ok:
        return "ok";
    case DeviceRead::Status::NoConfiguration:
        return "no-configuration";
    case DeviceRead::Status::Missing:
        return "missing";
    case DeviceRead::Status::Broken:
        return "broken";
    case DeviceRead::Status::UnknownType:
        break;
    }
    return "unknown-type";
}

// Reads a whole file of at most a profile's size; nullopt, with the message said, otherwise.
std::optional<std::string> readProfileFile(Context& context, const std::string& file) {
    const ReadResult read = ReadRegularFile(file, MaxProfileBytes);
    if (read.ok())
        return read.content;
    context.err << file
                << (read.status == ReadStatus::TooLong ? context.tr(CliTexts::TooLargeForProfile)
                                                       : context.tr(CliTexts::CannotBeRead))
                << "\n";
    return std::nullopt;
}

} // namespace

std::string DriveLabel(Context& context, std::string root) {
    return VolumeLabelText(*context.drives, root);
}

bool WriteTextFile(Context& context, const std::string& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (out)
        return true;
    context.err << file << context.tr(CliTexts::CannotBeWritten) << "\n";
    return false;
}

std::string DeviceLine(const Context& context, const DeviceRead& read) {
    return read.deviceType + ", " + context.tr(CliTexts::SoftwareWord) +
           std::to_string(read.softwareVersion);
}

std::string ReadProblemText(const Context& context, const DeviceRead& read) {
    using Status = DeviceRead::Status;
    const std::string reconnect = " " + std::string(ReconnectText(context.language));
    switch (read.status) {
    case Status::Missing:
        return std::string(TextOf(VersionFileProblem::Missing, context.language)) + reconnect;
    case Status::Broken:
        return std::string(TextOf(VersionFileProblem::Broken, context.language)) + " (" +
               read.problem + ")" + reconnect;
    case Status::UnknownType:
        return context.tr(CliTexts::UnknownDeviceType) + read.deviceType + ".";
    case Status::NoConfiguration:
        return context.tr(CliTexts::NoConfiguration);
    case Status::Ok:
        break;
    }
    return {};
}

int ListDrives(Context& context, bool json) {
    const ScanResult scan = ScanForDevices(*context.drives);
    Json drives = Json::array();
    std::vector<std::vector<std::string>> rows = {{context.tr(CliTexts::DriveColumn),
                                                   context.tr(CliTexts::LabelColumn),
                                                   context.tr(CliTexts::KindColumn), "Velmaron"}};
    for (const std::string& root : scan.driveList) {
        const DriveKind type = context.drives->DriveType(root);
        // As the scan: only removable drives are asked for their label and the marker.
        const bool removable = type == DriveKind::Removable;
        const std::string label = removable ? DriveLabel(context, root) : "";
        const bool device = std::ranges::find(scan.deviceRoots, root) != scan.deviceRoots.end();
        drives.push_back({{"root", root},
                          {"type", DriveTypeText(type)},
                          {"label", removable ? Json(label) : Json()},
                          {"velmaron", device}});
        rows.push_back(
            {root, removable ? label : "-", DriveTypeWords(type, context.language),
             std::string(device ? context.tr(CliTexts::Yes) : context.tr(CliTexts::No))});
    }
    if (json)
        context.out << Json{{"drives", drives}, {"velmarons", scan.deviceCount}}.dump(2) << "\n";
    else
        context.out << Columns(rows);
    return ExitOk;
}

int ShowDevice(Context& context, bool json) {
    const auto root = oneDevice(context);
    if (!root)
        return ExitNoSingleDevice;
    const DeviceRead read = readDevice(*root);
    const ReportedSettings reported = SettingsReported(read.deviceType, read.softwareVersion);
    const std::string label = DriveLabel(context, *root);
    if (json) {
        Json shown = {
            {"drive", *root},
            {"label", label},
            {"status", statusName(read.status)},
            {"deviceType", read.deviceType.empty() ? Json() : Json(read.deviceType)},
            {"softwareVersion", read.deviceType.empty() ? Json() : Json(read.softwareVersion)},
            {"configurable", Configurable(read.deviceType, read.softwareVersion)},
            {"settings", read.settings ? SettingsJson(*read.settings, reported) : Json()},
            {"problem", read.settings ? Json() : Json(read.problem)}};
        context.out << shown.dump(2) << "\n";
    } else {
        std::vector<std::vector<std::string>> rows = {
            {context.tr(CliTexts::DriveRow), *root + " (" + label + ")"}};
        if (!read.deviceType.empty())
            rows.push_back({context.tr(CliTexts::DeviceRow), DeviceLine(context, read)});
        if (read.settings)
            for (const SettingRow& row :
                 SettingsInWords(*read.settings, reported, context.language))
                rows.push_back({row.name + ":", row.value});
        context.out << Columns(rows);
        if (!read.settings)
            context.err << ReadProblemText(context, read) << "\n";
        else if (!Configurable(read.deviceType, read.softwareVersion))
            context.out << context.tr(CliTexts::NotConfigurableHere) << "\n";
    }
    return read.settings || read.status == DeviceRead::Status::NoConfiguration ? ExitOk
                                                                               : ExitFailed;
}

int SaveProfile(Context& context, const std::string& file, bool overwrite) {
    const auto root = oneDevice(context);
    if (!root)
        return ExitNoSingleDevice;
    const DeviceRead read = readDevice(*root);
    if (!read.settings) {
        context.err << ReadProblemText(context, read) << "\n";
        return ExitFailed;
    }
    const SavedProfile saved =
        ProfileText(*read.settings, SettingsReported(read.deviceType, read.softwareVersion));
    for (const KeyProblem& problem : saved.leftOut)
        context.err << context.tr(CliTexts::NotInProfile) << problem.text(context.language) << "\n";
    const std::string& text = saved.text;
    if (file == "-") {
        context.out << text;
        return ExitOk;
    }
    std::error_code error;
    if (!overwrite && std::filesystem::exists(file, error)) {
        context.err << file << context.tr(CliTexts::ExistsAlready) << "\n";
        return ExitUsage;
    }
    if (!WriteTextFile(context, file, text))
        return ExitFailed;
    context.out << context.tr(CliTexts::ProfileSaved) << file << "\n";
    return ExitOk;
}

std::optional<Profile> LoadProfile(Context& context, const std::string& file) {
    const auto text = readProfileFile(context, file);
    if (!text)
        return std::nullopt;
    auto parsed = ParseProfile(*text);
    if (const auto* problem = std::get_if<KeyProblem>(&parsed)) {
        context.err << context.tr(CliTexts::ProfileRefused) << problem->text(context.language)
                    << "\n";
        return std::nullopt;
    }
    return std::get<Profile>(std::move(parsed));
}

int CheckProfile(Context& context, const std::string& file) {
    if (!LoadProfile(context, file))
        return ExitUsage;
    context.out << context.tr(CliTexts::ProfileSound) << "\n";
    return ExitOk;
}

} // namespace velmaron::cli
