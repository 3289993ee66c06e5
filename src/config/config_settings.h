#pragma once
// Everything the configuration writer reads from the main window, as plain values.

#include "config/date_codec.h"

#include <optional>
#include <string>

namespace velmaron {

struct ConfigSettings {
    // Check box values: 0 clear, 1 ticked, 2 greyed; only 1 counts as ticked.
    int Check2 = 0;             // TREP 02 "Tägliche Aktivitäten"
    int Check3 = 0;             // TREP 03 "Ereignisse && Störungen"
    int Check4 = 0;             // TREP 04 "Detaillierte Geschwindigkeit (24h)"
    int Check5 = 0;             // TREP 05 "Technische Daten"
    int Check6 = 0;             // TREP 06 driver card download
    int Check7 = 0;             // "Datum auf Karte schreiben"
    int Check8 = 0;             // "VDO spezifische Daten"
    int Check9 = 0;             // "Detaillierte Geschwindigkeit (168h)"
    int Check10 = 0;            // "4 Hz Daten"
    int Check11 = 0;            // "Von/Bis": download the date range
    std::optional<int> Option1; // the selected file-name format, 0 to 4, if any
    bool optVelmaron1 = false;  // "Velmaron Plus" selected
    std::string tbDays;         // the download period in days, as typed
    DateTime dtPickerStart{};
    DateTime dtPickerEnd{};
    int ConfigByte = 0; // the byte last read from the device; kept when no format is selected
    bool KeepBit1 = false;
    int SoftwareVersion = 0;
    std::string VersionText; // the device's version file; its first two characters name the type
};

inline bool Ticked(int checkBoxValue) {
    return checkBoxValue == 1;
}

} // namespace velmaron
