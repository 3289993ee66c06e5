#pragma once
// Fake /proc, /sys and /dev trees for the Linux drive services, with the volumes below them.

#include "device/drive_services_linux.h"
#include "support/sim_drives.h"

#include <string>

namespace velmaron::testing {

class FakeLinuxTree : public TempDrive {
public:
    // A block device in sysfs, linked from /sys/dev/block; a partition's flag is its disk's.
    void addBlockDevice(const std::string& device, const std::string& sysPath,
                        const std::string& removable, bool partition = false) const {
        const std::filesystem::path directory = mkdir("sys/devices/" + sysPath);
        if (partition)
            writeFile(directory / "partition", "1\n");
        writeFile((partition ? directory.parent_path() : directory) / "removable",
                  removable + "\n");
        std::filesystem::create_symlink("../../devices/" + sysPath,
                                        mkdir("sys/dev/block") / device);
    }

    void addLabel(const std::string& entry, const std::string& blockName) const {
        std::filesystem::create_symlink("../../" + blockName, mkdir("dev/disk/by-label") / entry);
    }

    // A mountinfo line of a volume mounted at name, written escaped; extra: optional fields.
    std::string mount(const std::string& device, const std::string& name,
                      const std::string& escaped, const std::string& type,
                      const std::string& extra = "") const {
        mkdir("mnt/" + name);
        return "40 26 " + device + " / " + (path() / "mnt").string() + "/" + escaped + " rw" +
               extra + " - " + type + " /dev/x rw\n";
    }

    std::string root(const std::string& name) const {
        return (path() / "mnt" / name).string() + "/";
    }

    void writeMountInfo(const std::string& text) const { write("proc/self/mountinfo", text); }

    std::unique_ptr<DriveServices> services() const {
        return MakeLinuxDriveServices({path() / "proc", path() / "sys", path() / "dev"});
    }
};

} // namespace velmaron::testing
