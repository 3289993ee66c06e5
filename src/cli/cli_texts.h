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

// A wrong command line; "%s" is what it names.
inline constexpr Words UnknownOption = {"unbekannte Option %s", "unknown option %s"};
inline constexpr Words NeedsAValue = {"%s braucht einen Wert", "%s needs a value"};
inline constexpr Words CountNeedsANumber = {"--count braucht eine Zahl ab 1",
                                            "--count needs a number from 1"};
inline constexpr Words WrongArguments = {"falscher Aufruf", "wrong arguments"};
inline constexpr Words NoSuchFolder = {"den Ordner %s gibt es nicht", "there is no folder %s"};
// Followed by the reason.
inline constexpr Words LogRefused = {"das Protokoll %s kann nicht geöffnet werden: ",
                                     "the log %s cannot be opened: "};
inline constexpr Words LogOnDevice = {"es läge auf dem Velmaron", "it lies on a Velmaron"};

inline constexpr Words SeeHelp = {"; velmaron-cli --help sagt mehr.\n",
                                  "; velmaron-cli --help tells more.\n"};

// --help.
inline constexpr Words Help = {
R"(Aufruf: velmaron-cli BEFEHL [OPTIONEN]

Befehle:
  list [--json]           die Laufwerke, wie die Suche sie sieht, und welche Velmarons sind
  show [--json]           die Einstellungen des verbundenen Velmarons
  profile save DATEI [--force]
                          die Einstellungen des verbundenen Velmarons als Profil speichern
                          (DATEI - schreibt auf die Ausgabe)
  profile check DATEI     ein Profil prüfen
  apply DATEI [--count N] [--yes] [--report BERICHT.csv]
                          das Profil auf einen Velmaron nach dem anderen schreiben: je Gerät
                          "USB Kabel trennen" und "USB Kabel verbinden",
nach N Geräten oder
                          mit Strg+C Schluss; --yes fragt nicht vor jedem Gerät

Für alle Befehle:
  --drives ORDNER         simulierte Laufwerke (wie VELMARON_SIM_DRIVES)
  --log DATEI             jeden fehlgeschlagenen Schritt an DATEI anhängen (sonst aus)
  --help, --version

Die Sprache folgt LC_ALL, LC_MESSAGES oder LANG (en...: Englisch, sonst Deutsch).
VELMARON_POLL_INTERVAL_MS: Abstand der Blicke auf die Laufwerke (sonst 500 ms).
Rückgabe: 0 gut, 1 Fehler am Gerät, 2 falscher Aufruf oder Profil, 3 kein oder mehrere
Velmarons, 130 mit Strg+C abgebrochen.
)",
R"(Usage: velmaron-cli COMMAND [OPTIONS]

Commands:
  list [--json]           the drives as the search sees them, and which are Velmarons
  show [--json]           the connected Velmaron's settings
  profile save FILE [--force]
                          save the connected Velmaron's settings as a profile (FILE -
                          writes to the output)
  profile check FILE      check a profile
  apply FILE [--count N] [--yes] [--report REPORT.csv]
                          write the profile onto one Velmaron after another, each led
                          through pulling and plugging its USB cable; ends after N devices
                          or with Ctrl+C; --yes does not ask before each device

For every command:
  --drives FOLDER         simulated drives (as VELMARON_SIM_DRIVES)
  --log FILE              append every failed step to FILE (else off)
  --help, --version

The language follows LC_ALL, LC_MESSAGES or LANG (en...: English, else German).
VELMARON_POLL_INTERVAL_MS: how often the drives are looked at (else 500 ms).
Exit codes: 0 fine, 1 a device failed, 2 wrong arguments or profile, 3 no Velmaron or
several, 130 interrupted with Ctrl+C.
)"};

} // namespace CliTexts
} // namespace velmaron::cli
