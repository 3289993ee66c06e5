// velmaron-cli: the Velmaron configuration on the command line. It lists the drives, tells a
// device's settings, keeps them as profiles, and writes a profile onto one device after
// another, leading through pulling and plugging each one's cable as the window does.

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/fleet_run.h"
#include "device/diagnostic_log.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <iostream>
#include <map>
#include <utility>
#include <vector>

namespace velmaron::cli {
namespace {

constexpr const char* HelpGerman = R"(Aufruf: velmaron-cli BEFEHL [OPTIONEN]

Befehle:
  list [--json]           die Laufwerke, wie die Suche sie sieht, und welche Velmarons sind
  show [--json]           die Einstellungen des verbundenen Velmarons
  profile save DATEI [--force]
                          die Einstellungen des verbundenen Velmarons als Profil speichern
                          (DATEI - schreibt auf die Ausgabe)
  profile check DATEI     ein Profil prüfen
  apply DATEI [--count N] [--yes] [--report BERICHT.csv]
                          das Profil auf einen Velmaron nach dem anderen schreiben: je Gerät
                          "USB Kabel trennen" und "USB Kabel verbinden"; nach N Geräten oder
                          mit Strg+C Schluss; --yes fragt nicht vor jedem Gerät

Für alle Befehle:
  --drives ORDNER         simulierte Laufwerke (wie VELMARON_SIM_DRIVES)
  --log DATEI             jeden fehlgeschlagenen Schritt an DATEI anhängen (sonst aus)
  --help, --version

Die Sprache folgt LC_ALL, LC_MESSAGES oder LANG (en...: Englisch, sonst Deutsch).
VELMARON_POLL_INTERVAL_MS: Abstand der Blicke auf die Laufwerke (sonst 500 ms).
Rückgabe: 0 gut, 1 Fehler am Gerät, 2 falscher Aufruf oder Profil, 3 kein oder mehrere
Velmarons, 130 mit Strg+C abgebrochen.
)";

constexpr const char* HelpEnglish = R"(Usage: velmaron-cli COMMAND [OPTIONS]

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
)";

struct Arguments {
    std::vector<std::string> words;            // the command and its operands
    std::map<std::string, std::string> values; // options with a value
    std::map<std::string, bool> flags;
};

// The options each command takes; those with a value are marked true.
const std::map<std::string, std::map<std::string, bool>> Options = {
    {"list", {{"--json", false}}},
    {"show", {{"--json", false}}},
    {"profile", {{"--force", false}}},
    {"apply", {{"--count", true}, {"--yes", false}, {"--report", true}}},
};

struct UsageError {
    std::string german;
    std::string english;
};

Arguments parse(const std::vector<std::string>& args) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!arg.starts_with("--") || arg == "-") {
            parsed.words.push_back(arg);
            continue;
        }
        const std::string command = parsed.words.empty() ? "" : parsed.words[0];
        std::map<std::string, bool> known = {{"--drives", true}, {"--log", true}};
        if (Options.contains(command))
            known.insert(Options.at(command).begin(), Options.at(command).end());
        if (!known.contains(arg))
            throw UsageError{"unbekannte Option " + arg, "unknown option " + arg};
        if (!known.at(arg)) {
            parsed.flags[arg] = true;
        } else if (i + 1 < args.size()) {
            parsed.values[arg] = args[++i];
        } else {
            throw UsageError{arg + " braucht einen Wert", arg + " needs a value"};
        }
    }
    return parsed;
}

std::chrono::milliseconds pollInterval() {
    const char* text = std::getenv("VELMARON_POLL_INTERVAL_MS");
    const int ms = text ? std::atoi(text) : 0;
    return ms >= 1 && ms <= 10000 ? std::chrono::milliseconds(ms) : PollInterval;
}

int apply(Context& context, const Arguments& args) {
    auto profile = LoadProfile(context, args.words.at(1));
    if (!profile)
        return ExitUsage;
    FleetOptions options{std::move(*profile), std::nullopt, args.flags.contains("--yes"),
                         std::nullopt, pollInterval()};
    if (args.values.contains("--count")) {
        const std::string& count = args.values.at("--count");
        char* end = nullptr;
        const long n = std::strtol(count.c_str(), &end, 10);
        if (count.empty() || *end != '\0' || n < 1 || n > 100000)
            throw UsageError{"--count braucht eine Zahl ab 1", "--count needs a number from 1"};
        options.count = static_cast<int>(n);
    }
    if (args.values.contains("--report"))
        options.reportFile = args.values.at("--report");
    return RunFleet(context, options, std::cin);
}

int run(Context& context, const Arguments& args) {
    const std::vector<std::string>& w = args.words;
    const std::string command = w.empty() ? "" : w[0];
    const bool json = args.flags.contains("--json");
    if (command == "list" && w.size() == 1)
        return ListDrives(context, json);
    if (command == "show" && w.size() == 1)
        return ShowDevice(context, json);
    if (command == "profile" && w.size() == 3 && w[1] == "save")
        return SaveProfile(context, w[2], args.flags.contains("--force"));
    if (command == "profile" && w.size() == 3 && w[1] == "check")
        return CheckProfile(context, w[2]);
    if (command == "apply" && w.size() == 2)
        return apply(context, args);
    throw UsageError{"falscher Aufruf", "wrong arguments"};
}

} // namespace
} // namespace velmaron::cli

int main(int argc, char* argv[]) {
    using namespace velmaron;
    using namespace velmaron::cli;
    PrepareConsole();
    const Language language = UserLanguage();
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::cout << InLanguage(language, HelpGerman, HelpEnglish);
            return ExitOk;
        }
        if (arg == "--version") {
            std::cout << "velmaron-cli " VELMARON_VERSION "\n";
            return ExitOk;
        }
    }
    try {
        const Arguments parsed = parse(args);
        if (parsed.values.contains("--log")) {
            const std::string& file = parsed.values.at("--log");
            if (const auto reason = DiagnosticLog::Open(file)) {
                const bool onDevice = *reason == DiagnosticLog::OnDevice;
                throw UsageError{"das Protokoll " + file + " kann nicht geöffnet werden: " +
                                     (onDevice ? "es läge auf dem Velmaron" : *reason),
                                 "the log " + file + " cannot be opened: " + *reason};
            }
        }
        std::shared_ptr<DriveServices> drives;
        if (parsed.values.contains("--drives")) {
            const std::string& folder = parsed.values.at("--drives");
            std::error_code error;
            if (!std::filesystem::is_directory(folder, error))
                throw UsageError{"den Ordner " + folder + " gibt es nicht",
                                 "there is no folder " + folder};
            drives = MakeSimulatedDriveServices(folder);
        } else {
            drives = MakeDriveServices();
        }
        Context context{language, std::move(drives), std::cout, std::cerr};
        return run(context, parsed);
    } catch (const UsageError& error) {
        std::cerr << "velmaron-cli: " << InLanguage(language, error.german, error.english)
                  << InLanguage(language, "; velmaron-cli --help sagt mehr.\n",
                                "; velmaron-cli --help tells more.\n");
        return ExitUsage;
    }
}
