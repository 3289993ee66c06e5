// Simulated drives, for tests, the demonstration and the emulator. The layout is a contract:
//
//   <folder>/E/          a directory named by one letter A..Z (either case) is a drive; the
//                        drives are listed in letter order, and a drive's root is the
//                        directory's absolute path with a trailing separator
//   <folder>/E.drive     optional key=value lines: type=removable (default) | fixed | remote
//                        | cdrom | ramdisk | noroot | unknown, label=<volume label> (default
//                        none), ready=no (no medium: the drive is listed with its type but
//                        without a label, at a root that does not exist, so nothing on it
//                        can be read or written); other keys are ignored
//
// A drive whose directory is missing is not connected: moving the directory away pulls the
// cable, moving it back plugs the device in again.

#include "device/device_files.h"
#include "device/drive_services.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <optional>
#include <sstream>
#include <vector>

namespace velmaron {
namespace {

namespace fs = std::filesystem;

constexpr char Separator = static_cast<char>(fs::path::preferred_separator);
// Drives without a medium are listed at roots inside this folder, which is never created.
constexpr const char* NoMediumFolder = ".no-medium";
constexpr std::size_t Letters = 26;
constexpr std::string_view PropertiesExtension = ".drive";

struct DriveProperties {
    DriveKind kind = DriveKind::Removable;
    std::string label;
    bool ready = true;
};

std::string lowerCase(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

DriveKind kindOf(const std::string& name) {
    static constexpr auto names = std::to_array<std::pair<std::string_view, DriveKind>>({
        {"removable", DriveKind::Removable},
        {"fixed", DriveKind::Fixed},
        {"remote", DriveKind::Remote},
        {"cdrom", DriveKind::Cdrom},
        {"ramdisk", DriveKind::RamDisk},
        {"noroot", DriveKind::NoRootDir},
        {"unknown", DriveKind::Unknown},
    });
    for (const auto& [text, kind] : names) {
        if (name == text) {
            return kind;
        }
    }
    // A misspelt type should not pass for a removable drive.
    return DriveKind::Unknown;
}

std::optional<int> letterIndex(std::string_view name) {
    if (name.size() != 1 || !std::isalpha(static_cast<unsigned char>(name[0]))) {
        return std::nullopt;
    }
    return std::toupper(static_cast<unsigned char>(name[0])) - 'A';
}

DriveProperties parseProperties(const std::string& content) {
    DriveProperties properties;
    std::istringstream file(content);
    std::string line;
    while (std::getline(file, line)) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string key = lowerCase(trimmed(line.substr(0, equals)));
        std::string value = line.substr(equals + 1);
        if (!value.empty() && value.back() == '\r') {
            value.pop_back();
        }
        if (key == "type") {
            properties.kind = kindOf(lowerCase(trimmed(value)));
        } else if (key == "label") {
            properties.label = value;
        } else if (key == "ready") {
            properties.ready = lowerCase(trimmed(value)) != "no";
        }
    }
    return properties;
}

// Read without blocking and within a bound, like every file the tool reads; a missing file
// gives the defaults.
DriveProperties readProperties(const fs::path& file) {
    return parseProperties(ReadRegularFile(file).content);
}

char otherCase(char letter) {
    const auto c = static_cast<unsigned char>(letter);
    return static_cast<char>(std::isupper(c) ? std::tolower(c) : std::toupper(c));
}

class SimulatedDriveServices final : public DriveServices {
public:
    explicit SimulatedDriveServices(const std::string& folder) {
        std::error_code error;
        folder_ = fs::absolute(fs::path(folder), error).lexically_normal();
        if (error) {
            folder_ = fs::path(folder).lexically_normal();
        }
        // "sim/" normalises to "sim/" with an empty file name; drop the trailing separator
        // so that parent paths compare equal.
        if (!folder_.has_filename() && folder_.has_parent_path()) {
            folder_ = folder_.parent_path();
        }
    }

    // A scan starts here: the folder is listed once and each drive's properties file read
    // once; the scan's questions about the listed drives are answered from that. A question
    // about another root lists the folder afresh.
    std::vector<std::string> GetDriveList() override {
        listed_ = listDrives();
        std::vector<std::string> roots;
        for (const Drive& drive : listed_) {
            roots.push_back(drive.root);
        }
        return roots;
    }

    DriveKind DriveType(const std::string& root) override {
        const Drive* drive = findDrive(root);
        return drive ? drive->properties.kind : DriveKind::NoRootDir;
    }

    std::optional<std::string> VolumeName(const std::string& root) override {
        const Drive* found = findDrive(completeShortForm(root));
        if (!found || !found->properties.ready) {
            return std::nullopt;
        }
        return found->properties.label;
    }

private:
    struct Drive {
        std::string name; // the directory's name, as listed
        DriveProperties properties;
        std::string root;
    };

    // The connected drives in letter order. An upper-case directory wins over a lower-case
    // one of the same letter, and so does the properties file named in the directory's case.
    std::vector<Drive> listDrives() const {
        std::array<std::string, Letters> names;
        std::array<std::vector<std::string>, Letters> propertyFiles;
        std::error_code error;
        for (fs::directory_iterator it(folder_, error), end; !error && it != end;
             it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (name.size() == 1 + PropertiesExtension.size() &&
                name.ends_with(PropertiesExtension)) {
                if (const auto index = letterIndex(name.substr(0, 1)))
                    propertyFiles[static_cast<std::size_t>(*index)].push_back(name);
                continue;
            }
            const auto index = letterIndex(name);
            std::error_code typeError;
            if (!index || !it->is_directory(typeError)) {
                continue;
            }
            auto& slot = names[static_cast<std::size_t>(*index)];
            if (slot.empty() || std::isupper(static_cast<unsigned char>(name[0]))) {
                slot = name;
            }
        }
        std::vector<Drive> drives;
        for (std::size_t index = 0; index < names.size(); ++index) {
            const std::string& name = names[index];
            if (name.empty()) {
                continue;
            }
            const auto& files = propertyFiles[index];
            const auto has = [&files](const std::string& file) {
                return std::ranges::find(files, file) != files.end();
            };
            DriveProperties properties;
            for (const std::string& file :
                 {name + std::string(PropertiesExtension),
                  std::string(1, otherCase(name[0])) + std::string(PropertiesExtension)}) {
                if (has(file)) {
                    properties = readProperties(folder_ / file);
                    break;
                }
            }
            std::string root = rootOf(name, properties);
            drives.push_back({name, std::move(properties), std::move(root)});
        }
        return drives;
    }

    // The drive with this root: from the last listing while its directory is still there,
    // else from a listing made now. There a root names its drive by the directory's letter,
    // also without the trailing separator or as the root of a drive without a medium.
    const Drive* findDrive(const std::string& root) {
        for (const Drive& drive : listed_) {
            if (drive.root == root) {
                std::error_code error;
                if (fs::is_directory(folder_ / drive.name, error)) {
                    return &drive;
                }
                break;
            }
        }
        const auto index = letterOfRoot(root);
        if (!index) {
            return nullptr;
        }
        listed_ = listDrives();
        for (const Drive& drive : listed_) {
            if (letterIndex(drive.name) == index) {
                return &drive;
            }
        }
        return nullptr;
    }

    std::string rootOf(const std::string& name, const DriveProperties& properties) const {
        fs::path root = folder_ / name;
        if (!properties.ready) {
            root = folder_ / NoMediumFolder / name;
        }
        return root.make_preferred().string() + Separator;
    }

    // E or E: names the simulated drive E, as it would on Windows.
    std::string completeShortForm(const std::string& drive) {
        const bool shortForm = drive.size() == 1 || (drive.size() == 2 && drive[1] == ':');
        const auto index = shortForm ? letterIndex(drive.substr(0, 1)) : std::nullopt;
        if (!index) {
            return drive;
        }
        listed_ = listDrives();
        for (const Drive& listed : listed_) {
            if (letterIndex(listed.name) == index) {
                return listed.root;
            }
        }
        return rootOf(std::string(1, static_cast<char>('A' + *index)), {});
    }

    // The letter of the drive directory that root names, whether or not it is there.
    std::optional<int> letterOfRoot(const std::string& root) const {
        std::string trimmedRoot = root;
        while (trimmedRoot.size() > 1 &&
               (trimmedRoot.back() == '/' || trimmedRoot.back() == Separator)) {
            trimmedRoot.pop_back();
        }
        fs::path directory = fs::path(trimmedRoot).lexically_normal();
        if (directory.parent_path() == folder_ / NoMediumFolder) {
            directory = folder_ / directory.filename();
        }
        if (directory.parent_path() != folder_) {
            return std::nullopt;
        }
        return letterIndex(directory.filename().string());
    }

    fs::path folder_;
    std::vector<Drive> listed_;
};

} // namespace

std::unique_ptr<DriveServices> MakeSimulatedDriveServices(const std::string& folder) {
    return std::make_unique<SimulatedDriveServices>(folder);
}

} // namespace velmaron
