// velmaron-cli: the Velmaron configuration on the command line. It lists the drives, tells a
// device's settings, keeps them as profiles, and writes a profile onto one device after
// another, leading through pulling and plugging each one's cable as the window does.

#include "cli/cli_texts.h"
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

// The words with what they name put in at their "%s".
UsageError usageError(const Words& words, const std::string& named = {}) {
    const auto fill = [&](std::string_view text) {
        std::string filled(text);
        if (const auto at = filled.find("%s"); at != std::string::npos)
            filled.replace(at, 2, named);
        return filled;
    };
    return {fill(words.german), fill(words.english)};
}

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
            throw usageError(CliTexts::UnknownOption, arg);
        if (!known.at(arg)) {
            parsed.flags[arg] = true;
        } else if (i + 1 < args.size()) {
            parsed.values[arg] = args[++i];
        } else {
            throw usageError(CliTexts::NeedsAValue, arg);
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
            throw usageError(CliTexts::CountNeedsANumber);
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
    throw usageError(CliTexts::WrongArguments);
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
            std::cout << InLanguage(language, CliTexts::Help.german, CliTexts::Help.english);
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
                UsageError error = usageError(CliTexts::LogRefused, file);
                error.german += onDevice ? std::string(CliTexts::LogOnDevice.german) : *reason;
                error.english += *reason;
                throw error;
            }
        }
        std::shared_ptr<DriveServices> drives;
        if (parsed.values.contains("--drives")) {
            const std::string& folder = parsed.values.at("--drives");
            std::error_code error;
            if (!std::filesystem::is_directory(folder, error))
                throw usageError(CliTexts::NoSuchFolder, folder);
            drives = MakeSimulatedDriveServices(folder);
        } else {
            drives = MakeDriveServices();
        }
        Context context{language, std::move(drives), std::cout, std::cerr};
        return run(context, parsed);
    } catch (const UsageError& error) {
        std::cerr << "velmaron-cli: " << InLanguage(language, error.german, error.english)
                  << InLanguage(language, CliTexts::SeeHelp.german, CliTexts::SeeHelp.english);
        return ExitUsage;
    }
}
