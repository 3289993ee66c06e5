#include "watch.h"

#include "config/config_file_reader.h"
#include "describe.h"
#include "device/device_files.h"
#include "config/version_file.h"
#include "terminal.h"

#include <chrono>
#include <ctime>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>

namespace velmaron::sim {
namespace {

constexpr const char* Keys = "Keys: u pull the cable, p plug it in, b break the status file, "
                             "a add a second Velmaron or pull and plug it, s show the drives, "
                             "q quit.";

void say(const std::string& line) {
    const std::time_t now = std::time(nullptr);
    char clock[16];
    std::strftime(clock, sizeof clock, "%H:%M:%S", std::localtime(&now));
    std::cout << clock << "  " << line << std::endl;
}

void sayAll(char letter, const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        say(std::string(1, letter) + ": " + line);
}

// The files in UPDATES of every plugged-in drive, with their size and time.
using Snapshot = std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>>;

Snapshot snapshotOf(const SimFolder& folder) {
    Snapshot files;
    for (char letter : folder.letters()) {
        std::error_code error;
        for (const auto& entry :
             fs::directory_iterator(folder.plugged(letter) / UpdatesDirectoryName, error)) {
            std::error_code statError;
            const auto size = entry.file_size(statError);
            files[std::string(1, letter) + "/UPDATES/" + entry.path().filename().string()] = {
                statError ? 0 : size, entry.last_write_time(statError)};
        }
    }
    return files;
}

// What the program did to the devices since the last snapshot.
void tellChanges(const SimFolder& folder, const Snapshot& before, const Snapshot& after) {
    for (const auto& [name, stamp] : after) {
        const auto old = before.find(name);
        if (old != before.end() && old->second == stamp)
            continue;
        say(name.substr(0, 1) + ": the program wrote " + name.substr(2));
        const auto device = folder.device(name[0]);
        const auto pending =
            device ? PendingConfigFile(folder.plugged(name[0]), device->type) : std::nullopt;
        if (pending && pending->first == name.substr(2)) {
            const ConfigFileRead read = ReadConfigFile(pending->second);
            say(read.ok() ? "   sound; the device takes it over at the next plug-in"
                          : "   broken: " + read.problem);
        }
    }
    for (const auto& [name, stamp] : before)
        if (!after.contains(name) && fs::is_directory(folder.plugged(name[0])))
            say(name.substr(0, 1) + ": the program deleted " + name.substr(2));
}

class Watcher {
public:
    explicit Watcher(const SimFolder& folder) : folder_(folder) {
        for (char letter : folder.letters())
            if (folder.device(letter)) {
                main_ = letter;
                break;
            }
        second_ = static_cast<char>(main_ + 1);
        while (second_ < 'Z' && folder.where(second_) && !folder.device(second_))
            ++second_;
    }

    int run() {
        if (main_ == 0) {
            std::cerr << "velmaron-sim: no emulated Velmaron in " << folder_.dir().string()
                      << "; make one with velmaron-sim new\n";
            return 1;
        }
        say("Watching " + folder_.dir().string() + "; the device is drive " +
            std::string(1, main_) + ".");
        say(Keys);
        KeyInput keys;
        Snapshot seen = snapshotOf(folder_);
        for (;;) {
            const auto key = keys.next(200);
            const Snapshot now = snapshotOf(folder_);
            tellChanges(folder_, seen, now);
            seen = now;
            if (!key)
                continue;
            if (*key == 'q')
                return 0;
            act(*key);
            seen = snapshotOf(folder_); // the emulator's own changes are not the program's
        }
    }

private:
    void act(char key) {
        const std::map<char, std::function<void()>> actions = {
            {'u', [&] { sayAll(main_, folder_.unplug(main_)); }},
            {'p', [&] { sayAll(main_, folder_.plug(main_)); }},
            {'b', [&] { breakStatusFile(); }},
            {'a', [&] { secondDevice(); }},
            {'s', [&] { show(); }},
            {'h', [&] { say(Keys); }},
        };
        const auto action = actions.find(key);
        if (action == actions.end())
            return;
        try {
            action->second();
        } catch (const std::exception& error) {
            say(std::string("cannot: ") + error.what());
        }
    }

    void breakStatusFile() {
        const auto status = VersionFileOnDrive(folder_.plugged(main_));
        if (!folder_.isPlugged(main_) || !status)
            throw SimError("drive " + std::string(1, main_) + " has no status file to break");
        const auto path = UpdatesFileOnDrive(folder_.plugged(main_), VersionFileBaseName);
        std::ofstream(*path, std::ios::binary | std::ios::trunc) << status->substr(0, 20);
        sayAll(main_, {"status file broken: cut to 20 bytes"});
    }

    void secondDevice() {
        if (!folder_.where(second_)) {
            const Device device = folder_.device(main_).value();
            folder_.addDevice(second_, device, "VELMARON2");
            sayAll(second_, {"a second Velmaron " + device.type + ", plugged in"});
        } else if (folder_.isPlugged(second_)) {
            sayAll(second_, folder_.unplug(second_));
        } else {
            sayAll(second_, folder_.plug(second_));
        }
    }

    void show() {
        for (char letter : folder_.letters())
            for (const std::string& line : DescribeDrive(folder_, letter))
                say(line);
    }

    const SimFolder& folder_;
    char main_ = 0;
    char second_ = 0;
};

} // namespace

int Watch(const SimFolder& folder) {
    return Watcher(folder).run();
}

} // namespace velmaron::sim
