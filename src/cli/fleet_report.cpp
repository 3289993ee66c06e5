#include "cli/fleet_report.h"

#include "cli/cli_texts.h"
#include "cli/table.h"

namespace velmaron::cli {
namespace {

// The report's code for an outcome, and its words.
struct OutcomeWords {
    const char* code;
    Words words;
};

OutcomeWords wordsOf(Outcome outcome) {
    switch (outcome) {
    case Outcome::Confirmed:
        return {"confirmed", CliTexts::Confirmed};
    case Outcome::NotConfirmed:
        return {"not-confirmed", CliTexts::SavedNotConfirmed};
    case Outcome::Skipped:
        return {"skipped", CliTexts::Skipped};
    case Outcome::Failed:
        return {"failed", CliTexts::Failed};
    case Outcome::Interrupted:
        break;
    }
    return {"interrupted", CliTexts::Aborted};
}

std::string joined(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : separator) + item;
    return text;
}

} // namespace

std::string OutcomeText(const Context& context, Outcome outcome) {
    return context.tr(wordsOf(outcome).words);
}

std::string SummaryTable(const Context& context, const std::vector<DeviceRow>& rows) {
    std::vector<std::vector<std::string>> table = {
        {context.tr(CliTexts::NumberColumn), context.tr(CliTexts::DriveColumn),
         context.tr(CliTexts::TypeColumn), "Software", context.tr(CliTexts::ResultColumn)}};
    for (const DeviceRow& row : rows) {
        std::string result = OutcomeText(context, row.outcome);
        if (!row.detail.empty())
            result += ": " + row.detail;
        if (!row.notTaken.empty())
            result += context.tr(CliTexts::NotTakenInBrackets) + joined(row.notTaken, ", ") + ")";
        table.push_back({std::to_string(row.number), row.root, row.deviceType,
                         row.deviceType.empty() ? "" : std::to_string(row.softwareVersion),
                         result});
    }
    return Columns(table);
}

std::string CsvReport(const std::vector<DeviceRow>& rows) {
    std::string csv = "number,drive,label,type,software,result,detail,not_taken\r\n";
    for (const DeviceRow& row : rows) {
        const std::vector<std::string> fields = {
            std::to_string(row.number),
            row.root,
            row.label,
            row.deviceType,
            row.deviceType.empty() ? "" : std::to_string(row.softwareVersion),
            wordsOf(row.outcome).code,
            row.detail,
            joined(row.notTaken, " ")};
        for (std::size_t i = 0; i < fields.size(); ++i)
            csv += (i ? "," : "") + CsvField(fields[i]);
        csv += "\r\n";
    }
    return csv;
}

} // namespace velmaron::cli
