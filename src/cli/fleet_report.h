#pragma once
// What became of each device of a fleet run: the summary table at the end and the CSV report.

#include "cli/context.h"

#include <string>
#include <vector>

namespace velmaron::cli {

enum class Outcome {
    Confirmed,    // saved, and the device reports the new settings
    NotConfirmed, // saved, but the device's version file does not show them
    Skipped,      // not configured: unsuitable, a CR, or declined
    Failed,       // not saved
    Interrupted,  // Ctrl+C while this device was handled
};

struct DeviceRow {
    int number = 0;
    std::string root;
    std::string label;
    std::string deviceType;
    int softwareVersion = 0;
    Outcome outcome = Outcome::Skipped;
    std::string detail;                // in the user's language
    std::vector<std::string> notTaken; // the profile's keys the device does not take
};

// "gespeichert, bestätigt", "saved, confirmed", ...
std::string OutcomeText(const Context& context, Outcome outcome);

std::string SummaryTable(const Context& context, const std::vector<DeviceRow>& rows);

// One line a device under a header line; the result as a fixed word (confirmed,
// not-confirmed, skipped, failed, interrupted), the detail in the user's language.
std::string CsvReport(const std::vector<DeviceRow>& rows);

} // namespace velmaron::cli
