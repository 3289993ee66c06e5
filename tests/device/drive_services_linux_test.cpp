// The Linux drive services against fake /proc, /sys and /dev trees.

#include "support/fake_linux.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;

// A machine with a partitioned USB stick, a fixed disk, an optical drive and some pseudo
// and network file systems; the mount points live below the same temporary folder.
class FakeLinux : public ::testing::Test, protected testing::FakeLinuxTree {
protected:
    void SetUp() override {
        addBlockDevice("8:17", "pci0/usb1/host6/block/sdb/sdb1", "1", true);
        addBlockDevice("8:0", "pci0/ata1/host0/block/sda", "0");
        addBlockDevice("11:0", "pci0/ata2/host1/block/sr0", "1");
        addBlockDevice("1:0", "virtual/block/ram0", "0");
        addLabel("CARD\\x2001", "sdb1");
        addLabel("DVD\\x5cVOL", "sr0");
        addLabel("OTHER", "sdc1");
    }
};

TEST_F(FakeLinux, ListsRealVolumesInMountOrderWithTypesAndLabels) {
    writeMountInfo(
        "21 26 0:20 / /proc rw,relatime - proc proc rw\n" +
        mount("8:0", "data", "data", "ext4", " shared:1") +
        "30 26 0:27 / /sys/fs/cgroup rw - tmpfs tmpfs rw\n" +
        mount("8:17", "CARD 01", "CARD\\04001", "vfat", " shared:5 master:2") +
        mount("11:0", "cd\\rom", "cd\\134rom", "iso9660") +
        mount("0:50", "share", "share", "nfs4") + mount("0:51", "ssh", "ssh", "fuse.sshfs") +
        "44 26 8:2 /etc/hosts /etc/hosts rw - ext4 /dev/sda2 rw\n" +
        mount("1:0", "ram", "ram", "ext2") + mount("9:9", "odd", "odd", "ext4") + "broken line\n");
    const struct {
        std::string name;
        int type;
        std::string label;
    } expected[] = {
        {"data", kDriveFixed, ""},
        {"CARD 01", kDriveRemovable, "CARD 01"},
        {"cd\\rom", kDriveCdrom, "DVD\\VOL"},
        {"share", kDriveRemote, ""},
        {"ssh", kDriveRemote, ""},
        {"ram", kDriveRamDisk, ""},
        {"odd", kDriveUnknown, ""},
    };
    auto drives = services();
    std::string list;
    for (const auto& e : expected)
        list += root(e.name) + '\0';
    EXPECT_EQ(drives->GetDriveList(), list + '\0');
    for (const auto& e : expected) {
        std::string drive = root(e.name);
        EXPECT_EQ(drives->DriveType(drive), e.type) << e.name;
        EXPECT_EQ(drives->VolumeName(drive), e.label) << e.name;
    }
}

TEST_F(FakeLinux, TheRootFileSystemAndHiddenAndRepeatedMounts) {
    writeMountInfo(mount("8:0", "x", "x", "ext4") + mount("8:17", "x", "x", "vfat") +
                   mount("8:17", "y", "y", "vfat") + "26 1 8:0 / / rw - ext4 /dev/sda rw\n");
    auto drives = services();
    EXPECT_EQ(drives->GetDriveList(), root("x") + '\0' + "/" + '\0' + '\0');
    EXPECT_EQ(drives->DriveType(root("x")), kDriveRemovable);
}

TEST_F(FakeLinux, VanishedAndUnknownRootsAndMissingMountInfo) {
    writeMountInfo(mount("8:17", "card", "card", "vfat"));
    auto drives = services();
    // A root asked for before any listing is still found, and without its trailing '/'.
    std::string bare = (path() / "mnt" / "card").string();
    EXPECT_EQ(drives->DriveType(bare), kDriveRemovable);
    EXPECT_EQ(drives->VolumeName(bare), "CARD 01");
    EXPECT_EQ(bare, root("card"));

    std::string unknown = (path() / "elsewhere").string();
    EXPECT_EQ(drives->DriveType(unknown), kDriveNoRootDir);
    EXPECT_EQ(drives->VolumeName(unknown), kNoVolumeName);
    EXPECT_EQ(unknown.back(), '/');

    fs::remove(path() / "mnt" / "card");
    std::string vanished = root("card");
    EXPECT_EQ(drives->VolumeName(vanished), kNoVolumeName);

    fs::remove(path() / "proc" / "self" / "mountinfo");
    EXPECT_EQ(drives->GetDriveList(), "");
}

// The table, the volumes' facts and the labels are kept between listings, never beyond a
// change: each step is seen at the very next listing.
TEST_F(FakeLinux, ChangesAreSeenAtTheNextListing) {
    const std::string data = mount("8:0", "data", "data", "ext4");
    const std::string card = mount("8:17", "card", "card", "vfat");
    auto drives = services();
    const std::string NoName(kNoVolumeName);
    auto label = [&](const char* name) { return path() / "dev/disk/by-label" / name; };
    const struct {
        const char* name;
        std::function<void()> change;
        std::string list;
        int cardType;
        std::string cardLabel;
    } steps[] = {
        {"no stick", [&] { writeMountInfo(data); }, root("data"), kDriveNoRootDir, NoName},
        {"stick mounted", [&] { writeMountInfo(data + card); }, root("data") + '\0' + root("card"),
         kDriveRemovable, "CARD 01"},
        {"relabelled", [&] { fs::rename(label("CARD\\x2001"), label("NEW")); },
         root("data") + '\0' + root("card"), kDriveRemovable, "NEW"},
        {"unmounted", [&] { writeMountInfo(data); }, root("data"), kDriveNoRootDir, NoName},
        {"the disk mounted in its place",
         [&] { writeMountInfo(mount("8:0", "card", "card", "ext4")); }, root("card"), kDriveFixed,
         ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        EXPECT_EQ(drives->GetDriveList(), step.list + '\0' + '\0');
        std::string drive = root("card");
        EXPECT_EQ(drives->DriveType(drive), step.cardType);
        EXPECT_EQ(drives->VolumeName(drive), step.cardLabel);
    }
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
