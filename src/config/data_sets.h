#pragma once
// The data sets a Velmaron downloads from the vehicle unit besides the overview (TREP 01,
// always), and everything that is a fact about each of them: the codes that name it in the
// device's lists, the window's check box and the words. The version file's decoder, the
// writer, the window and the words all loop over this one table.

#include <array>
#include <cstddef>
#include <string_view>

namespace velmaron {

struct DataSets {
    bool dailyActivities = false;   // TREP 02
    bool eventsAndFaults = false;   // TREP 03
    bool detailedSpeed24h = false;  // TREP 04
    bool technicalData = false;     // TREP 05
    bool driverCard = false;        // TREP 06
    bool vdoSpecific = false;       // extra data 12 to 16; TREP code 11 on older software
    bool detailedSpeed168h = false; // extra data 19
    bool fourHz = false;            // extra data 11
    bool operator==(const DataSets&) const = default;
};

// The list a data set's codes stand in: the TREP list, or a group of its own in the extra data.
enum class CodeList { Trep, Extra };

struct DataSet {
    bool DataSets::*member;
    int box; // the window's check box, Check2 to Check10
    CodeList list;
    int firstCode; // a code from first to last ticks the box; the writer writes them all
    int lastCode;
    std::string_view german; // the window's caption
    std::string_view english;
};

// In the order of the window's boxes.
inline constexpr std::array<DataSet, 8> DataSetTable = {{
    {&DataSets::dailyActivities, 2, CodeList::Trep, 0x02, 0x02,
     "Tägliche Aktivitäten", "daily activities"},
    {&DataSets::eventsAndFaults, 3, CodeList::Trep, 0x03, 0x03,
     "Ereignisse & Störungen", "events and faults"},
    {&DataSets::detailedSpeed24h, 4, CodeList::Trep, 0x04, 0x04,
     "Detaillierte Geschwindigkeit (24h)", "detailed speed (24 h)"},
    {&DataSets::technicalData, 5, CodeList::Trep, 0x05, 0x05,
     "Technische Daten", "technical data"},
    {&DataSets::driverCard, 6, CodeList::Trep, 0x06, 0x06,
     "Download der Fahrerkarte", "driver card"},
    {&DataSets::vdoSpecific, 8, CodeList::Extra, 0x12, 0x16,
     "VDO spezifische Daten", "VDO-specific data"},
    {&DataSets::detailedSpeed168h, 9, CodeList::Extra, 0x19, 0x19,
     "Detaillierte Geschwindigkeit (168h)", "detailed speed (168 h)"},
    {&DataSets::fourHz, 10, CodeList::Extra, 0x11, 0x11, "4 Hz Daten",
     "4 Hz data"},
}};

// The data set a code in the device's lists stands for; nullptr for any other byte.
constexpr const DataSet* DataSetForCode(int code) {
    for (const DataSet& set : DataSetTable)
        if (code >= set.firstCode && code <= set.lastCode)
            return &set;
    return nullptr;
}

// Below version 36 VDO-specific and 4 Hz data are one TREP code, the 4 Hz data's code.
inline constexpr int CombinedSpeedDataCode = DataSetTable[7].firstCode;
static_assert(DataSetTable[7].member == &DataSets::fourHz);

// The data sets of TREP 02 to 06, in the order of their codes.
inline constexpr std::array<bool DataSets::*, 5> TrepDataSets = [] {
    std::array<bool DataSets::*, 5> sets{};
    for (std::size_t i = 0; i < sets.size(); ++i)
        sets[i] = DataSetTable[i].member;
    return sets;
}();

} // namespace velmaron
