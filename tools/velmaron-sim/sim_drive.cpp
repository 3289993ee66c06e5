#include "sim_drive.h"

#include "config/config_file_reader.h"
#include "config/device_settings.h"
#include "config/settings_block.h"
#include "config/hex_record.h"
#include "device/device_files.h"
#include "config/version_file.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace velmaron::sim {
namespace {

constexpr const char* UnpluggedSuffix = ".unplugged";

// A file in UPDATES as the emulator names it to the user.
std::string updatesName(std::string_view fileName) {
    return std::string(UpdatesDirectoryName) + "/" + std::string(fileName);
}

std::string rootOf(const fs::path& drive) {
    return (drive / "").string();
}

// At most limit + 1 bytes, so that a caller can tell a file that is too large.
std::optional<std::string> readAtMost(const fs::path& path, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string text(limit + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

void writeFile(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out)
        throw SimError("cannot write " + path.string());
}

// The value of key in key=value lines.
std::optional<std::string> valueOf(const std::string& lines, const std::string& key) {
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(key + "="))
            return line.substr(key.size() + 1);
    return std::nullopt;
}

std::string readText(const fs::path& path) {
    return readAtMost(path, 4096).value_or("");
}

} // namespace

char DriveLetter(const std::string& text) {
    if ((text.size() == 1 || (text.size() == 2 && text[1] == ':')) &&
        std::isalpha(static_cast<unsigned char>(text[0])))
        return static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    throw SimError("\"" + text + "\" is not a drive letter A to Z");
}

fs::path SimFolder::plugged(char letter) const {
    return dir_ / std::string(1, letter);
}

fs::path SimFolder::unplugged(char letter) const {
    return dir_ / (std::string(1, letter) + UnpluggedSuffix);
}

bool SimFolder::isPlugged(char letter) const {
    return fs::is_directory(plugged(letter));
}

std::optional<fs::path> SimFolder::where(char letter) const {
    for (const fs::path& path : {plugged(letter), unplugged(letter)})
        if (fs::is_directory(path))
            return path;
    return std::nullopt;
}

std::vector<char> SimFolder::letters() const {
    std::vector<char> found;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if (where(letter))
            found.push_back(letter);
    return found;
}

std::string SimFolder::properties(char letter) const {
    return readText(dir_ / (std::string(1, letter) + ".drive"));
}

std::optional<Device> SimFolder::device(char letter) const {
    const std::string text = readText(dir_ / (std::string(1, letter) + ".device"));
    const auto type = valueOf(text, "type");
    const auto version = valueOf(text, "version");
    const auto block = valueOf(text, "block");
    if (!type || !version || !block)
        return std::nullopt;
    Device device;
    device.type = *type;
    device.softwareVersion = std::atoi(version->c_str());
    const auto bytes = HexToBytes(*block);
    if (bytes.size() != device.block.size())
        return std::nullopt;
    std::copy(bytes.begin(), bytes.end(), device.block.begin());
    return device;
}

void SimFolder::saveDevice(char letter, const Device& device) const {
    std::string block;
    for (std::uint8_t byte : device.block)
        block += HexByte(byte);
    writeFile(dir_ / (std::string(1, letter) + ".device"),
              "type=" + device.type + "\nversion=" + std::to_string(device.softwareVersion) +
                  "\nblock=" + block + "\n");
}

void SimFolder::mustBeNew(char letter) const {
    if (where(letter))
        throw SimError("drive " + std::string(1, letter) + " exists already");
}

void SimFolder::addDevice(char letter, const Device& device, const std::string& label) const {
    mustBeNew(letter);
    const fs::path drive = plugged(letter);
    fs::create_directories(drive / "VELMARON" / "CARD");
    writeFile(drive / UpdatesDirectoryName / VersionFileBaseName,
              VersionFileOf(device.type, device.softwareVersion, device.block));
    addDrive(letter, "label=" + label + "\n");
    saveDevice(letter, device);
}

void SimFolder::addDrive(char letter, const std::string& properties) const {
    if (!fs::exists(plugged(letter)))
        mustBeNew(letter);
    fs::create_directories(plugged(letter));
    writeFile(dir_ / (std::string(1, letter) + ".drive"), properties);
}

std::vector<std::string> SimFolder::unplug(char letter) const {
    if (!isPlugged(letter))
        throw SimError("drive " + std::string(1, letter) + " is not plugged in");
    fs::rename(plugged(letter), unplugged(letter));
    return {"cable pulled"};
}

std::vector<std::string> SimFolder::plug(char letter) const {
    if (isPlugged(letter))
        throw SimError("drive " + std::string(1, letter) + " is plugged in already");
    if (!fs::is_directory(unplugged(letter)))
        throw SimError("there is no drive " + std::string(1, letter) + " in " + dir_.string());
    std::vector<std::string> lines = {"cable plugged in"};
    // The device does its work before its drive shows up on the computer.
    if (auto device = this->device(letter)) {
        const auto done = takeOver(letter, *device);
        lines.insert(lines.end(), done.begin(), done.end());
    }
    fs::rename(unplugged(letter), plugged(letter));
    return lines;
}

std::vector<std::string> SimFolder::takeOver(char letter, Device& device) const {
    std::vector<std::string> lines;
    const fs::path drive = unplugged(letter);
    if (const auto pending = PendingConfigFile(drive, device.type)) {
        const auto& [name, text] = *pending;
        const TakeOver taken = TakeOverConfigFile(text, device.type, device.block);
        switch (taken.outcome) {
        case TakeOver::Outcome::Refused:
            lines.push_back("refused " + name + ": " + taken.read.problem + "; the settings stay");
            break;
        case TakeOver::Outcome::OtherType:
            lines.push_back("refused " + name + ": it is meant for a " + taken.read.deviceType +
                            " device; the settings stay");
            break;
        case TakeOver::Outcome::Unchanged:
            lines.push_back("found " + name + " again: the settings are those already");
            break;
        case TakeOver::Outcome::Taken:
            device.block = taken.block;
            saveDevice(letter, device);
            lines.push_back("took " + name + " over; the file stays where it is");
            break;
        }
    }
    const std::string status = VersionFileOf(device.type, device.softwareVersion, device.block);
    if (VersionFileOnDrive(drive) != status) {
        const auto existing = UpdatesFileOnDrive(drive, VersionFileBaseName);
        writeFile(existing.value_or(drive / UpdatesDirectoryName / VersionFileBaseName), status);
        lines.push_back("wrote " + updatesName(VersionFileBaseName) + " (" +
                        std::to_string(status.size()) + " bytes)");
    }
    return lines;
}

std::optional<fs::path> UpdatesFileOnDrive(const fs::path& drive, std::string_view fileName) {
    const auto updates = DeviceDirectory::Open(rootOf(drive), UpdatesDirectoryName);
    if (!updates)
        return std::nullopt;
    const auto listed = updates->Find(fileName, EntryKind::File);
    if (!listed)
        return std::nullopt;
    return updates->path() / *listed;
}

std::optional<std::string> VersionFileOnDrive(const fs::path& drive) {
    const auto path = UpdatesFileOnDrive(drive, VersionFileBaseName);
    return path ? readAtMost(*path, 4096) : std::nullopt;
}

std::optional<std::pair<std::string, std::string>> PendingConfigFile(const fs::path& drive,
                                                                     const std::string& type) {
    const std::string fileName = ConfigFileName(type);
    const std::string name = updatesName(fileName);
    const auto path = UpdatesFileOnDrive(drive, fileName);
    if (!path)
        return std::nullopt;
    auto text = readAtMost(*path, MaxConfigFileSize);
    if (!text)
        return std::nullopt;
    return std::pair{name, std::move(*text)};
}

} // namespace velmaron::sim
