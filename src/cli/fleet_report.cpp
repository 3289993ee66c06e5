#include "cli/fleet_report.h"

#include "cli/table.h"

namespace velmaron::cli {
namespace {

struct OutcomeWords {
    const char* code;
    const char* german;
    const char* english;
};

OutcomeWords wordsOf(Outcome outcome) {
    switch (outcome) {
    case Outcome::Confirmed:
        return {"confirmed", "gespeichert, bestätigt", "saved, confirmed"};
    case Outcome::NotConfirmed:
        return {"not-confirmed", "gespeichert, nicht bestätigt", "saved, not confirmed"};
    case Outcome::Skipped:
        return {"skipped", "übersprungen", "skipped"};
    case Outcome::Failed:
        return {"failed", "nicht gespeichert", "not saved"};
    case Outcome::Interrupted:
        break;
    }
    return {"interrupted", "abgebrochen", "interrupted"};
}

std::string joined(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : separator) + item;
    return text;
}

} // namespace

std::string OutcomeText(const Context& context, Outcome outcome) {
    const OutcomeWords words = wordsOf(outcome);
    return context.tr(words.german, words.english);
}

std::string SummaryTable(const Context& context, const std::vector<DeviceRow>& rows) {
    std::vector<std::vector<std::string>> table = {
        {context.tr("Nr.", "No."), context.tr("Laufwerk", "Drive"), context.tr("Typ", "Type"),
         "Software", context.tr("Ergebnis", "Result")}};
    for (const DeviceRow& row : rows) {
        std::string result = OutcomeText(context, row.outcome);
        if (!row.detail.empty())
            result += ": " + row.detail;
        if (!row.notTaken.empty())
            result += context.tr(" (nicht übernommen: ", " (not taken: ") +
                      joined(row.notTaken, ", ") + ")";
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
