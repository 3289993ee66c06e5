#include "cli/apply_plan.h"

#include "cli/cli_texts.h"
#include "config/version_file.h"

namespace velmaron::cli {
namespace {

class Planner {
public:
    Planner(const Profile& profile, const DeviceSettings& device)
        : profile_(profile), plan_{device, {}}, offered_(SettingsOffered(device.softwareVersion)) {}

    ApplyPlan run() {
        DeviceSettings& t = plan_.target;
        if (profile_.periodDays)
            t.periodDays = *profile_.periodDays;
        for (std::size_t i = 0; i < TrepDataSets.size(); ++i)
            set(i, true, 0);
        speedData();
        set(6, offered_.speed168h, SeparateSpeedDataVersion);
        if (profile_.fileNameFormat) {
            if (*profile_.fileNameFormat >= 2 && !offered_.moreFileNames)
                refuse("fileNameFormat", MoreFileNamesVersion);
            else
                t.fileNameFormat = *profile_.fileNameFormat;
        }
        if (profile_.velmaronPlus)
            t.velmaronPlus = *profile_.velmaronPlus;
        if (profile_.cardDate)
            t.cardDate = *profile_.cardDate;
        dateRange();
        return plan_;
    }

private:
    // Data set i of DataSetKeys, where offered; else a value other than the device's is refused.
    void set(std::size_t i, bool offered, int fromVersion) {
        const auto& wanted = profile_.dataSets[i];
        bool& value = plan_.target.data.*DataSetKeys[i].dataSet;
        if (!wanted || *wanted == value)
            return;
        if (offered)
            value = *wanted;
        else
            refuse("dataSets." + std::string(DataSetKeys[i].key), fromVersion);
    }

    // VDO-specific (5) and 4 Hz data (7): below 36 one box ticks the other.
    void speedData() {
        if (!offered_.speedData || !offered_.speedDataTogether) {
            set(5, offered_.speedData, SpeedDataVersion);
            set(7, offered_.speedData, SpeedDataVersion);
            return;
        }
        const auto& vdo = profile_.dataSets[5];
        const auto& fourHz = profile_.dataSets[7];
        if (vdo && fourHz && *vdo != *fourHz) {
            plan_.notTaken.push_back({"dataSets." + std::string(DataSetKeys[*vdo ? 7 : 5].key),
                                      std::string(CliTexts::SoftwareWord.german) + version() +
                                          std::string(CliTexts::SpeedDataTogether.german),
                                      std::string(CliTexts::SoftwareWord.english) + version() +
                                          std::string(CliTexts::SpeedDataTogether.english)});
            return;
        }
        if (const auto& wanted = vdo ? vdo : fourHz)
            plan_.target.data.vdoSpecific = plan_.target.data.fourHz = *wanted;
    }

    // Below 54 the date range stays as the device holds it.
    void dateRange() {
        if (!profile_.dateRange)
            return;
        const DateRangeChoice& range = *profile_.dateRange;
        DeviceSettings& t = plan_.target;
        const bool datesDiffer =
            range.from && (*range.from != t.rangeStart || *range.to != t.rangeEnd);
        if (!offered_.dateRange) {
            if (range.on != t.dateRangeOn || (range.on && datesDiffer))
                refuse("dateRange", DateRangeVersion);
            return;
        }
        t.dateRangeOn = range.on;
        if (range.from) {
            t.rangeStart = *range.from;
            t.rangeEnd = *range.to;
        }
    }

    void refuse(std::string key, int fromVersion) {
        const std::string from = std::to_string(fromVersion);
        plan_.notTaken.push_back({std::move(key),
                                  std::string(CliTexts::SoftwareWord.german) + version() +
                                      std::string(CliTexts::OnlyFromVersion.german) + from,
                                  std::string(CliTexts::SoftwareWord.english) + version() +
                                      std::string(CliTexts::OnlyFromVersion.english) + from});
    }

    std::string version() const { return std::to_string(plan_.target.softwareVersion); }

    const Profile& profile_;
    ApplyPlan plan_;
    OfferedSettings offered_;
};

} // namespace

ApplyPlan PlanFor(const Profile& profile, const DeviceSettings& device) {
    return Planner(profile, device).run();
}

} // namespace velmaron::cli
