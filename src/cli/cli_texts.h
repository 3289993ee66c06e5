#pragma once
// What velmaron-cli tells its user, in German and in English, in one place: the commands'
// lines, the fleet run's and its summary's, and the drive types. The JSON output keeps the
// scan's English texts, which other programs read. What the workflow tells the user is in
// workflow/workflow_texts.h, the settings in words in config/settings_words.h.

#include "config/language.h"
#include "device/drive_services.h"

#include <string>
#include <string_view>

namespace velmaron::cli {

struct Words {
    std::string_view german;
    std::string_view english;
};

// A drive's type as the tool tells it.
std::string DriveTypeWords(DriveKind kind, Language language);

namespace CliTexts {

// The commands list, show and profile.
inline constexpr Words NoDevice = {"Kein Velmaron verbunden. Verbinden Sie einen per USB.",
                                   "No Velmaron connected. Connect one by USB."};
inline constexpr Words SeveralDevices = {"Mehrere Velmarons verbunden; verbinden Sie nur einen:",
                                         "Several Velmarons connected; connect only one:"};
inline constexpr Words TooLargeForProfile = {": zu groß für ein Profil.",
                                             ": too large for a profile."};
inline constexpr Words CannotBeRead = {": kann nicht gelesen werden.", ": cannot be read."};
inline constexpr Words CannotBeWritten = {": kann nicht geschrieben werden.",
                                          ": cannot be written."};
inline constexpr Words SoftwareWord = {"Software ", "software "};
inline constexpr Words UnknownDeviceType = {"Unbekannter Gerätetyp ", "Unknown device type "};
inline constexpr Words NoConfiguration = {"Keine Konfiguration verfügbar.",
                                          "No configuration available."};
inline constexpr Words DriveColumn = {"Laufwerk", "Drive"};
inline constexpr Words LabelColumn = {"Name", "Label"};
inline constexpr Words KindColumn = {"Art", "Type"};
inline constexpr Words Yes = {"ja", "yes"};
inline constexpr Words No = {"nein", "no"};
inline constexpr Words DriveRow = {"Laufwerk:", "Drive:"};
inline constexpr Words DeviceRow = {"Gerät:", "Device:"};
inline constexpr Words NotConfigurableHere = {
    "Dieser Velmaron kann hier nicht konfiguriert werden.",
    "This Velmaron cannot be configured here."};
inline constexpr Words NotInProfile = {"Nicht im Profil: ", "Not in the profile: "};
inline constexpr Words ExistsAlready = {": gibt es schon; --force überschreibt die Datei.",
                                        ": exists already; --force overwrites it."};
inline constexpr Words ProfileSaved = {"Profil gespeichert: ", "Profile saved: "};
inline constexpr Words ProfileRefused = {"Profil abgelehnt: ", "Profile refused: "};
inline constexpr Words ProfileSound = {"Profil in Ordnung.", "Profile is sound."};

// The fleet run's summary.
inline constexpr Words NumberColumn = {"Nr.", "No."};
inline constexpr Words TypeColumn = {"Typ", "Type"};
inline constexpr Words ResultColumn = {"Ergebnis", "Result"};
inline constexpr Words NotTakenInBrackets = {" (nicht übernommen: ", " (not taken: "};

// The fleet run.
inline constexpr Words ConnectOneAfterAnother = {
    "Velmarons nacheinander verbinden; Strg+C beendet.",
    "Connect the Velmarons one after another; Ctrl+C ends."};
inline constexpr Words OneAtATime = {"Mehrere Velmarons verbunden: bitte nur einen.",
                                     "Several Velmarons connected: one at a time, please."};
inline constexpr Words SettingsNotReported = {"der Velmaron meldet die Einstellungen nicht",
                                              "the Velmaron does not report the settings"};
inline constexpr Words CrNotConfigured = {"ein Velmaron CR wird nicht konfiguriert",
                                          "a Velmaron CR is not configured"};
inline constexpr Words NotTaken = {"nicht übernommen: ", "not taken: "};
inline constexpr Words Declined = {"nicht bestätigt vom Benutzer", "declined"};
inline constexpr Words ConfigurationWritten = {"Konfiguration geschrieben",
                                               "Configuration written"};
inline constexpr Words NothingSaved = {"nichts gespeichert", "nothing saved"};
inline constexpr Words ChangedNothingSaved = {
    "der Velmaron wurde getrennt oder ein weiterer verbunden; nichts gespeichert",
    "the Velmaron was disconnected or another one connected; nothing saved"};
inline constexpr Words SettingsTakenOver = {"Einstellungen übernommen (bestätigt)",
                                            "Settings taken over (confirmed)"};
inline constexpr Words NoChange = {"keine Änderung", "no change"};
inline constexpr Words ConfigureQuestion = {"Konfigurieren? [j/N] ", "Configure? [y/N] "};
inline constexpr Words Skipped = {"übersprungen", "skipped"};
inline constexpr Words Interrupted = {"Abgebrochen.", "Interrupted."};
inline constexpr Words FileOnDevice = {
    "die Konfigurationsdatei liegt auf dem Velmaron; er übernimmt sie beim nächsten Verbinden",
    "the configuration file is on the Velmaron; it takes it over when connected again"};
inline constexpr Words NotConfirmed = {"nicht bestätigt", "not confirmed"};
inline constexpr Words Summary = {"Zusammenfassung:", "Summary:"};

// Why a profile is refused: after the key, the reason and what follows it.
inline constexpr Words ExpectedBoolean = {"erwartet true oder false", "expected true or false"};
inline constexpr Words ExpectedWholeNumber = {"erwartet eine ganze Zahl",
                                              "expected a whole number"};
inline constexpr Words OutOfRange = {"außerhalb von ", "out of the range "};
inline constexpr Words ExpectedText = {"erwartet einen Text: ", "expected a text: "};
inline constexpr Words AllowedAre = {"erlaubt sind ", "allowed are "};
inline constexpr Words ExpectedObject = {"erwartet ein Objekt", "expected an object"};
inline constexpr Words ExpectedDate = {"erwartet ein Datum ", "expected a date "};
inline constexpr Words UnknownKey = {"unbekannter Schlüssel", "unknown key"};
inline constexpr Words Missing = {"fehlt", "is missing"};
inline constexpr Words BothDatesOrNone = {"fehlt: beide Daten oder keines",
                                          "is missing: both dates or none"};
inline constexpr Words LiesBeforeStart = {"liegt vor dateRange.from", "lies before dateRange.from"};
inline constexpr Words ExpectedJsonObject = {"erwartet ein JSON-Objekt", "expected a JSON object"};
inline constexpr Words NotAProfile = {"fehlt: kein Velmaron-Profil",
                                      "is missing: not a Velmaron profile"};
inline constexpr Words NotJson = {"kein gültiges JSON: ", "not valid JSON: "};

// What a device's software does not take of a profile: after "Software 30".
inline constexpr Words SpeedDataTogether = {" setzt VDO spezifische und 4 Hz Daten nur gemeinsam",
                                            " sets VDO-specific and 4 Hz data only together"};
inline constexpr Words OnlyFromVersion = {" kann das erst ab Version ",
                                          " takes this only from version "};

// A device's outcome in the fleet run's summary.
inline constexpr Words Confirmed = {"gespeichert, bestätigt", "saved, confirmed"};
inline constexpr Words SavedNotConfirmed = {"gespeichert, nicht bestätigt", "saved, not confirmed"};
inline constexpr Words Failed = {"nicht gespeichert", "not saved"};
inline constexpr Words Aborted = {"abgebrochen", "interrupted"};

} // namespace CliTexts
} // namespace velmaron::cli
