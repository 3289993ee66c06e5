// velmaron-sim: emulated Velmaron devices on simulated drives, for trying the program without
// hardware, for its demonstration and for its tests.

#include "config/device_settings.h"
#include "config/download_period.h"
#include "config/settings_block.h"
#include "config/settings_words.h"
#include "describe.h"
#include "watch.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>

namespace velmaron::sim {
namespace {

using Args = std::vector<std::string>;

const std::map<std::string, std::string> Help = {
    {"", R"(usage: velmaron-sim COMMAND ARGUMENTS

Emulated Velmaron devices on simulated drives. DIR is the folder of drive folders that
velmaron-config reads with --drives DIR; each drive is a folder named by its letter.

commands:
  new DIR LETTER --type QX|CR --version N [--label TEXT] [SETTINGS]
                        a new Velmaron, plugged in
  stick DIR LETTER [--label TEXT]
                        a USB stick (removable, but no Velmaron)
  fixed DIR LETTER [--label TEXT]
                        a fixed drive
  unplug DIR LETTER     pull the device's cable
  plug DIR LETTER       plug it in again: the device takes a sound configuration file over
  show DIR [LETTER]     the drives, the device's settings and any waiting configuration file
  watch DIR             interactive: pull, plug and break the device with keys, and see
                        what the program does to it

"velmaron-sim COMMAND --help" tells more about a command.
)"},
    {"new", R"(usage: velmaron-sim new DIR LETTER --type QX|CR --version N [--label TEXT] [SETTINGS]

Makes drive LETTER in DIR an emulated Velmaron, plugged in: the folders VELMARON/CARD and
UPDATES, the status file UPDATES/digivers.ion in the form the type and software version
call for (21 bytes up to version 27, 25 up to 35, 80 from 36 on and for a CR), the drive's
properties in LETTER.drive and the device's own memory in LETTER.device.

  --type QX|CR          QX: Velmaron, Velmaron Plus or Blue; CR: Velmaron CR
  --version N           software version, 1 to 9999 (23 or later can be configured)
  --label TEXT          volume label (default VELMARON)

SETTINGS (what the device reports it holds; as far as its status file has room):
  --days N              download period in days (default: since the last download)
  --since-last-download download everything since the last download
  --trep LIST           TREP data sets besides the overview, e.g. 2,3,5 (02 to 06)
  --extra LIST          extra data: vdo, 168h, 4hz, e.g. vdo,4hz
  --config-byte HEX     the configuration byte, e.g. 37: file-name format, model, card date
  --range FROM TO       download date range, e.g. 2024-01-01 2024-06-30
  --range-on            switch the date range on
)"},
    {"stick", "usage: velmaron-sim stick DIR LETTER [--label TEXT]\n\nMakes drive LETTER a "
              "USB stick: removable, but without VELMARON/CARD.\n"},
    {"fixed", "usage: velmaron-sim fixed DIR LETTER [--label TEXT]\n\nMakes drive LETTER a "
              "fixed drive, which the program never takes for a Velmaron.\n"},
    {"unplug", "usage: velmaron-sim unplug DIR LETTER\n\nPulls the cable: the drive's folder "
               "becomes LETTER.unplugged, which the program does not see.\n"},
    {"plug", R"(usage: velmaron-sim plug DIR LETTER

Plugs the cable in again. An emulated Velmaron first looks for its configuration file,
UPDATES/QX999000.HEX or UPDATES/CR999000.HEX: a sound one it takes over and leaves where it
is; a broken one it refuses, says why and keeps its settings. Then it writes its status
file UPDATES/digivers.ion again from its settings, also when that file was deleted or
broken, and its drive appears.
)"},
    {"show", "usage: velmaron-sim show DIR [LETTER]\n\nTells, for every drive or for LETTER, "
             "what it is and, for a Velmaron, the settings its status file reports and the "
             "configuration file waiting for it.\n"},
    {"watch", R"(usage: velmaron-sim watch DIR

Interactive, for trying the program: the first emulated Velmaron in DIR is the device.
  u   pull its cable            p   plug it in again (it takes a configuration file over)
  b   break its status file     a   add a second Velmaron, then pull and plug it
  s   show the drives           q   quit
Whatever the program writes or deletes on a device is told as it happens.
)"},
};

int usage(const std::string& command) {
    std::cerr << Help.at(command);
    return 2;
}

int fail(const std::string& message) {
    std::cerr << "velmaron-sim: " << message << "\n";
    return 1;
}

int number(const std::string& text, int low, int high, const std::string& what) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < low || value > high)
        throw SimError(what + " must be a whole number from " + std::to_string(low) + " to " +
                       std::to_string(high) + ", not \"" + text + "\"");
    return static_cast<int>(value);
}

std::vector<std::string> listOf(const std::string& text) {
    std::vector<std::string> items;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');)
        if (!item.empty())
            items.push_back(item);
    return items;
}

std::chrono::sys_days dayOf(const std::string& text) {
    using std::chrono::year;
    if (const auto day = ParseDay(text);
        day && *day >= year{1970} / 1 / 1 && *day <= year{2105} / 12 / 31)
        return *day;
    throw SimError("\"" + text + "\" is not a date from 1970-01-01 to 2105-12-31 (YYYY-MM-DD)");
}

// The options after the positional arguments: each name with the values it takes.
std::map<std::string, Args> optionsOf(const Args& args, std::size_t from,
                                      const std::map<std::string, int>& known) {
    std::map<std::string, Args> options;
    for (std::size_t i = from; i < args.size(); ++i) {
        const auto option = known.find(args[i]);
        if (option == known.end())
            throw SimError("unknown argument \"" + args[i] + "\"");
        if (i + static_cast<std::size_t>(option->second) >= args.size())
            throw SimError(args[i] + " needs " + std::to_string(option->second) + " value(s)");
        options[args[i]] = Args(args.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                args.begin() + static_cast<std::ptrdiff_t>(i + 1 + option->second));
        i += static_cast<std::size_t>(option->second);
    }
    return options;
}

void applySettings(const std::map<std::string, Args>& options, DeviceSettings& s) {
    if (options.contains("--days") && !options.contains("--since-last-download"))
        s.periodDays = number(options.at("--days")[0], -MaxPeriodDays, MaxPeriodDays, "--days");
    for (const std::string& item :
         options.contains("--trep") ? listOf(options.at("--trep")[0]) : Args{}) {
        s.data.*TrepDataSets.at(static_cast<std::size_t>(number(item, 2, 6, "a TREP code") - 2)) =
            true;
    }
    const std::map<std::string, bool DataSets::*> extras = {{"vdo", &DataSets::vdoSpecific},
                                                            {"168h", &DataSets::detailedSpeed168h},
                                                            {"4hz", &DataSets::fourHz}};
    for (const std::string& item :
         options.contains("--extra") ? listOf(options.at("--extra")[0]) : Args{}) {
        if (!extras.contains(item))
            throw SimError("extra data are vdo, 168h and 4hz, not \"" + item + "\"");
        s.data.*extras.at(item) = true;
    }
    if (options.contains("--config-byte")) {
        const std::string& text = options.at("--config-byte")[0];
        char* end = nullptr;
        const long byte = std::strtol(text.c_str(), &end, 16);
        if (text.empty() || *end != '\0' || byte < 0 || byte > 255)
            throw SimError("--config-byte takes two hex digits, not \"" + text + "\"");
        TakeConfigByte(s, static_cast<int>(byte));
    }
    if (options.contains("--range")) {
        s.rangeStart = dayOf(options.at("--range")[0]);
        s.rangeEnd = dayOf(options.at("--range")[1]);
    }
    s.dateRangeOn = options.contains("--range-on");
}

int newDevice(const Args& args) {
    const auto options = optionsOf(args, 3,
                                   {{"--type", 1},
                                    {"--version", 1},
                                    {"--label", 1},
                                    {"--days", 1},
                                    {"--since-last-download", 0},
                                    {"--trep", 1},
                                    {"--extra", 1},
                                    {"--config-byte", 1},
                                    {"--range", 2},
                                    {"--range-on", 0}});
    if (!options.contains("--type") || !options.contains("--version"))
        throw SimError("new needs --type and --version");
    DeviceSettings s;
    s.deviceType = options.at("--type")[0];
    for (char& c : s.deviceType)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (s.deviceType != "QX" && s.deviceType != "CR")
        throw SimError("--type is QX or CR, not \"" + options.at("--type")[0] + "\"");
    s.softwareVersion = number(options.at("--version")[0], 1, 9999, "--version");
    applySettings(options, s);
    const char letter = DriveLetter(args[2]);
    const SimFolder folder(args[1]);
    const std::string label = options.contains("--label") ? options.at("--label")[0] : "VELMARON";
    const auto layout = LayOutSettings(s);
    // The options are checked above to lie within what the device's counts hold.
    if (!std::holds_alternative<SettingsLayout>(layout))
        throw SimError("the settings do not fit the device's settings block");
    folder.addDevice(letter, {s.deviceType, s.softwareVersion, std::get<SettingsLayout>(layout).block},
                     label);
    for (const std::string& line : DescribeDrive(folder, letter))
        std::cout << line << "\n";
    return 0;
}

int newDrive(const Args& args, const std::string& type, const std::string& defaultLabel) {
    const auto options = optionsOf(args, 3, {{"--label", 1}});
    const std::string label = options.contains("--label") ? options.at("--label")[0] : defaultLabel;
    const SimFolder folder(args[1]);
    const char letter = DriveLetter(args[2]);
    folder.addDrive(letter, "type=" + type + "\nlabel=" + label + "\n");
    std::cout << DescribeDrive(folder, letter).front() << "\n";
    return 0;
}

int cable(const Args& args, bool plugIn) {
    optionsOf(args, 3, {});
    const SimFolder folder(args[1]);
    const char letter = DriveLetter(args[2]);
    for (const std::string& line : plugIn ? folder.plug(letter) : folder.unplug(letter))
        std::cout << letter << ": " << line << "\n";
    return 0;
}

int show(const Args& args) {
    const SimFolder folder(args[1]);
    std::vector<char> letters = folder.letters();
    if (args.size() > 2) {
        letters = {DriveLetter(args[2])};
        optionsOf(args, 3, {});
        if (!folder.where(letters[0]))
            throw SimError("there is no drive " + args[2] + " in " + args[1]);
    }
    for (char letter : letters)
        for (const std::string& line : DescribeDrive(folder, letter))
            std::cout << line << "\n";
    return 0;
}

int run(const Args& args) {
    const std::string command = args.empty() ? "" : args[0];
    if (args.empty() || command == "--help" || command == "-h") {
        std::cout << Help.at("");
        return args.empty() ? 2 : 0;
    }
    if (!Help.contains(command) || command.empty())
        return fail("unknown command \"" + command + "\"; see velmaron-sim --help");
    for (const std::string& arg : args)
        if (arg == "--help" || arg == "-h") {
            std::cout << Help.at(command);
            return 0;
        }
    const std::map<std::string, std::pair<std::size_t, std::function<int()>>> commands = {
        {"new", {3, [&] { return newDevice(args); }}},
        {"stick", {3, [&] { return newDrive(args, "removable", "USB-STICK"); }}},
        {"fixed", {3, [&] { return newDrive(args, "fixed", "SYSTEM"); }}},
        {"unplug", {3, [&] { return cable(args, false); }}},
        {"plug", {3, [&] { return cable(args, true); }}},
        {"show", {2, [&] { return show(args); }}},
        {"watch", {2, [&] { return Watch(SimFolder(args[1])); }}},
    };
    const auto& [needed, action] = commands.at(command);
    if (args.size() < needed)
        return usage(command);
    try {
        return action();
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}

} // namespace
} // namespace velmaron::sim

int main(int argc, char* argv[]) {
    return velmaron::sim::run(velmaron::sim::Args(argv + 1, argv + argc));
}
