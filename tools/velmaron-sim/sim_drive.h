#pragma once
// Emulated Velmarons and other drives in a folder of simulated drives, the folder the program
// reads with --drives (or VELMARON_SIM_DRIVES):
//
//   DIR/E            drive E while it is plugged in
//   DIR/E.unplugged  the same drive while its cable is pulled; not a drive to the program
//   DIR/E.drive      its type and volume label
//   DIR/E.device     the device's own memory, which its drive does not show: type, software
//                    version and settings block; only emulated Velmarons have one
//
// Like a real one, an emulated Velmaron acts when it is plugged in: it takes a sound
// configuration file in UPDATES over and writes its version file from its settings.

#include "config/settings_block.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmaron::sim {

namespace fs = std::filesystem;

// A command that cannot be carried out; the text says why.
struct SimError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Device {
    std::string type = "QX"; // "QX" or "CR"
    int softwareVersion = 54;
    SettingsBlockBytes block{};
};

class SimFolder {
public:
    explicit SimFolder(fs::path dir) : dir_(std::move(dir)) {}
    const fs::path& dir() const { return dir_; }

    fs::path plugged(char letter) const;
    fs::path unplugged(char letter) const;
    bool isPlugged(char letter) const;
    // Where the drive is now, plugged in or not; nullopt when there is no such drive.
    std::optional<fs::path> where(char letter) const;
    // The drives, plugged in or not, in letter order.
    std::vector<char> letters() const;
    // The drive's properties file as text, and the emulated device, when it is one.
    std::string properties(char letter) const;
    std::optional<Device> device(char letter) const;

    // A new drive, plugged in: an emulated Velmaron, or another drive with these properties.
    void addDevice(char letter, const Device& device, const std::string& label) const;
    void addDrive(char letter, const std::string& properties) const;
    // Pulling and plugging the cable; each returns what happened, one line a step.
    std::vector<std::string> unplug(char letter) const;
    std::vector<std::string> plug(char letter) const;

private:
    void mustBeNew(char letter) const;
    void saveDevice(char letter, const Device& device) const;
    std::vector<std::string> takeOver(char letter, Device& device) const;

    fs::path dir_;
};

// The real path of a file in the drive's UPDATES directory, found as the device finds it
// (in any case, no links); nullopt when it is not there.
std::optional<fs::path> UpdatesFileOnDrive(const fs::path& drive, std::string_view fileName);
// The device's version file as its drive holds it; nullopt when it is missing.
std::optional<std::string> VersionFileOnDrive(const fs::path& drive);
// The configuration file waiting in UPDATES for a device of this type, and its name.
std::optional<std::pair<std::string, std::string>> PendingConfigFile(const fs::path& drive,
                                                                     const std::string& type);

// "E", "e" or "E:" as the drive letter E.
char DriveLetter(const std::string& text);

} // namespace velmaron::sim
