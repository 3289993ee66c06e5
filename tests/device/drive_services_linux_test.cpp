// The Linux drive services against fake /proc, /sys and /dev trees.

#include "device/device_scan.h"
#include "device/drive_services_linux.h"
#include "device/sim_drives.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::TempDrive;
using testing::writeFile;

// A machine with a partitioned USB stick, a fixed disk, an optical drive and some pseudo
// and network file systems; the mount points live below the same temporary folder.
class FakeLinux : public ::testing::Test {
protected:
    void SetUp() override {
        addBlockDevice("8:17", "pci0/usb1/host6/block/sdb/sdb1", "1");
        addBlockDevice("8:0", "pci0/ata1/host0/block/sda", "0");
        addBlockDevice("8:2", "pci0/ata1/host0/block/sda/sda2", "0");
        addBlockDevice("11:0", "pci0/ata2/host1/block/sr0", "1");
        addBlockDevice("1:0", "virtual/block/ram0", "0");
        addLabel("CARD\\x2001", "sdb1");
        addLabel("DVD\\x5cVOL", "sr0");
        addLabel("OTHER", "sdc1");
    }

    // A block device in sysfs: its directory below /sys/devices and the link to it from
    // /sys/dev/block. A partition's removable flag sits on its whole disk.
    void addBlockDevice(const std::string& device, const std::string& path,
                        const std::string& removable) {
        const fs::path directory = tree_.path() / "sys" / "devices" / path;
        fs::create_directories(directory);
        const bool partition = std::isdigit(static_cast<unsigned char>(path.back())) &&
                               path.find("/sd") != std::string::npos;
        if (partition) {
            writeFile(directory / "partition", "1\n");
            writeFile(directory.parent_path() / "removable", removable + "\n");
        } else {
            writeFile(directory / "removable", removable + "\n");
        }
        fs::create_directories(tree_.path() / "sys" / "dev" / "block");
        fs::create_symlink("../../devices/" + path,
                           tree_.path() / "sys" / "dev" / "block" / device);
    }

    void addLabel(const std::string& entry, const std::string& blockName) {
        fs::create_directories(tree_.path() / "dev" / "disk" / "by-label");
        fs::create_symlink("../../" + blockName,
                           tree_.path() / "dev" / "disk" / "by-label" / entry);
    }

    // A mount point below the temporary folder; returns its path as mountinfo writes it.
    std::string mountPoint(const std::string& name, const std::string& escaped) {
        fs::create_directories(tree_.path() / "mnt" / name);
        return (tree_.path() / "mnt").string() + "/" + escaped;
    }

    std::string root(const std::string& name) const {
        return (tree_.path() / "mnt" / name).string() + "/";
    }

    void writeMountInfo(const std::string& text) {
        writeFile(tree_.path() / "proc" / "self" / "mountinfo", text);
    }

    std::unique_ptr<DriveServices> services() const {
        return MakeLinuxDriveServices(
            {tree_.path() / "proc", tree_.path() / "sys", tree_.path() / "dev"});
    }

    TempDrive tree_;
};

TEST_F(FakeLinux, ListsRealVolumesInMountOrderWithTypesAndLabels) {
    const std::string text = "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
                             "26 1 8:0 / " +
                             mountPoint("data", "data") +
                             " rw shared:1 - ext4 /dev/sda rw\n"
                             "30 26 0:27 / /sys/fs/cgroup rw - tmpfs tmpfs rw\n"
                             "40 26 8:17 / " +
                             mountPoint("CARD 01", "CARD\\04001") +
                             " rw,nosuid shared:5 master:2 - vfat /dev/sdb1 rw,uid=1000\n"
                             "41 26 11:0 / " +
                             mountPoint("cd\\rom", "cd\\134rom") +
                             " ro - iso9660 /dev/sr0 ro\n"
                             "42 26 0:50 / " +
                             mountPoint("share", "share") +
                             " rw - nfs4 server:/export rw\n"
                             "43 26 0:51 / " +
                             mountPoint("ssh", "ssh") +
                             " rw - fuse.sshfs me@host: rw\n"
                             "44 26 8:2 /etc/hosts /etc/hosts rw - ext4 /dev/sda2 rw\n"
                             "45 26 1:0 / " +
                             mountPoint("ram", "ram") +
                             " rw - ext2 /dev/ram0 rw\n"
                             "46 26 9:9 / " +
                             mountPoint("odd", "odd") +
                             " rw - ext4 /dev/md9 rw\n"
                             "broken line\n";
    writeMountInfo(text);
    auto drives = services();

    struct Expected {
        std::string name;
        int type;
        std::string label;
    };
    const Expected expected[] = {
        {"data", kDriveFixed, ""},
        {"CARD 01", kDriveRemovable, "CARD 01"},
        {"cd\\rom", kDriveCdrom, "DVD\\VOL"},
        {"share", kDriveRemote, ""},
        {"ssh", kDriveRemote, ""},
        {"ram", kDriveRamDisk, ""},
        {"odd", kDriveUnknown, ""},
    };
    std::vector<std::string> roots;
    for (const auto& e : expected) {
        roots.push_back(root(e.name));
    }
    EXPECT_EQ(SplitDriveList(drives->GetDriveList()), roots);
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        std::string drive = root(e.name);
        EXPECT_EQ(drives->DriveType(drive), e.type);
        EXPECT_EQ(drives->VolumeName(drive), e.label);
    }
}

TEST_F(FakeLinux, DriveListStringEndsEveryRootWithNulAndOneMore) {
    writeMountInfo("40 26 8:17 / " + mountPoint("a b", "a\\040b") +
                   " rw - vfat /dev/sdb1 rw\n"
                   "26 1 8:0 / / rw - ext4 /dev/sda rw\n");
    EXPECT_EQ(services()->GetDriveList(), root("a b") + '\0' + "/" + '\0' + '\0');
}

TEST_F(FakeLinux, HiddenAndRepeatedMountsGiveOneDriveEach) {
    writeMountInfo("40 26 8:0 / " + mountPoint("x", "x") +
                   " rw - ext4 /dev/sda rw\n"
                   "41 26 8:17 / " +
                   mountPoint("x", "x") +
                   " rw - vfat /dev/sdb1 rw\n"
                   "42 26 8:17 / " +
                   mountPoint("y", "y") + " rw - vfat /dev/sdb1 rw\n");
    auto drives = services();
    EXPECT_EQ(SplitDriveList(drives->GetDriveList()), std::vector<std::string>{root("x")});
    EXPECT_EQ(drives->DriveType(root("x")), kDriveRemovable);
}

TEST_F(FakeLinux, VanishedMountPointGivesNoName) {
    writeMountInfo("40 26 8:17 / " + mountPoint("card", "card") + " rw - vfat /dev/sdb1 rw\n");
    auto drives = services();
    ASSERT_EQ(SplitDriveList(drives->GetDriveList()), std::vector<std::string>{root("card")});
    fs::remove(tree_.path() / "mnt" / "card");
    std::string drive = root("card");
    EXPECT_EQ(drives->VolumeName(drive), kNoVolumeName);
}

TEST_F(FakeLinux, UnknownRootsAndMissingMountInfo) {
    writeMountInfo("40 26 8:17 / " + mountPoint("card", "card") + " rw - vfat /dev/sdb1 rw\n");
    auto drives = services();
    std::string unknown = (tree_.path() / "elsewhere").string();
    EXPECT_EQ(drives->DriveType(unknown), kDriveNoRootDir);
    EXPECT_EQ(drives->VolumeName(unknown), kNoVolumeName);
    EXPECT_EQ(unknown.back(), '/');

    // A root asked for before any listing is still found, and without its trailing '/'.
    std::string bare = (tree_.path() / "mnt" / "card").string();
    EXPECT_EQ(drives->DriveType(bare), kDriveRemovable);
    EXPECT_EQ(drives->VolumeName(bare), "CARD 01");
    EXPECT_EQ(bare, root("card"));

    fs::remove(tree_.path() / "proc" / "self" / "mountinfo");
    EXPECT_EQ(drives->GetDriveList(), "");
}

TEST_F(FakeLinux, ScanFindsTheDeviceOnTheRemovablePartitionOnly) {
    writeMountInfo("26 1 8:0 / " + mountPoint("data", "data") +
                   " rw - ext4 /dev/sda rw\n"
                   "40 26 8:17 / " +
                   mountPoint("CARD 01", "CARD\\04001") + " rw - vfat /dev/sdb1 rw\n");
    fs::create_directories(tree_.path() / "mnt" / "data" / "VELMARON" / "CARD");
    fs::create_directories(tree_.path() / "mnt" / "CARD 01" / "Velmaron" / "card");
    auto drives = services();
    const auto result = ScanForDevices(*drives);
    EXPECT_EQ(result.deviceCount, 1);
    EXPECT_EQ(result.driveIndex, 1);
    EXPECT_EQ(result.listLines,
              std::vector<std::string>{root("CARD 01") + "\tCARD 01\tRemovable drive"});
}

TEST(DriveServicesFactory, SimulatedDrivesWhenTheVariableIsSet) {
    testing::SimDrives sim;
    sim.addDrive('E', "label=SIM\n");
    ASSERT_EQ(setenv("VELMARON_SIM_DRIVES", sim.folder().c_str(), 1), 0);
    const std::string simulated = MakeDriveServices()->GetDriveList();
    ASSERT_EQ(setenv("VELMARON_SIM_DRIVES", "", 1), 0);
    const std::string emptyVariable = MakeDriveServices()->GetDriveList();
    unsetenv("VELMARON_SIM_DRIVES");
    EXPECT_EQ(simulated, sim.root('E') + '\0' + '\0');
    EXPECT_EQ(emptyVariable, MakePlatformDriveServices()->GetDriveList());
}

} // namespace
} // namespace velmaron
