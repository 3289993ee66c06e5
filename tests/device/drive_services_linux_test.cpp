// The Linux drive services against fake /proc, /sys and /dev trees.

#include "support/fake_linux.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;

// A USB stick's partition, a fixed disk, an optical drive and a RAM disk.
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
    // Which mounts are drives at all is the mount table's own test.
    writeMountInfo(mount("8:0", "data", "data", "ext4") +
                   mount("8:17", "CARD 01", "CARD\\04001", "vfat", " shared:5 master:2") +
                   mount("11:0", "cd\\rom", "cd\\134rom", "iso9660") +
                   mount("0:50", "share", "share", "nfs4") + mount("1:0", "ram", "ram", "ext2") +
                   mount("9:9", "odd", "odd", "ext4"));
    const struct {
        std::string name;
        DriveKind type;
        std::string label;
    } expected[] = {
        {"data", DriveKind::Fixed, ""},
        {"CARD 01", DriveKind::Removable, "CARD 01"},
        {"cd\\rom", DriveKind::Cdrom, "DVD\\VOL"},
        {"share", DriveKind::Remote, ""},
        {"ram", DriveKind::RamDisk, ""},
        {"odd", DriveKind::Unknown, ""},
    };
    auto drives = services();
    std::vector<std::string> list;
    for (const auto& e : expected)
        list.push_back(root(e.name));
    EXPECT_EQ(drives->GetDriveList(), list);
    for (const auto& e : expected) {
        const std::string drive = root(e.name);
        EXPECT_EQ(drives->DriveType(drive), e.type) << e.name;
        EXPECT_EQ(drives->VolumeName(drive), e.label) << e.name;
    }
}

TEST_F(FakeLinux, VanishedAndUnknownRootsAndMissingMountInfo) {
    writeMountInfo(mount("8:17", "card", "card", "vfat"));
    auto drives = services();
    // A root asked for before any listing is still found, and without its trailing '/'.
    const std::string bare = (path() / "mnt" / "card").string();
    EXPECT_EQ(drives->DriveType(bare), DriveKind::Removable);
    EXPECT_EQ(drives->VolumeName(bare), "CARD 01");

    const std::string unknown = (path() / "elsewhere").string();
    EXPECT_EQ(drives->DriveType(unknown), DriveKind::NoRootDir);
    EXPECT_EQ(drives->VolumeName(unknown), std::nullopt);

    fs::remove(path() / "mnt" / "card");
    EXPECT_EQ(drives->VolumeName(root("card")), std::nullopt);

    fs::remove(path() / "proc" / "self" / "mountinfo");
    EXPECT_EQ(drives->GetDriveList(), std::vector<std::string>{});
}

// What is kept between listings never outlives a change: each shows at the next listing.
TEST_F(FakeLinux, ChangesAreSeenAtTheNextListing) {
    const std::string data = mount("8:0", "data", "data", "ext4");
    const std::string card = mount("8:17", "card", "card", "vfat");
    auto drives = services();
    auto label = [&](const char* name) { return path() / "dev/disk/by-label" / name; };
    using Roots = std::vector<std::string>;
    const struct {
        const char* name;
        std::function<void()> change;
        Roots list;
        DriveKind cardType;
        std::optional<std::string> cardLabel;
    } steps[] = {
        {"no stick", [&] { writeMountInfo(data); }, Roots{root("data")}, DriveKind::NoRootDir,
         std::nullopt},
        {"stick mounted", [&] { writeMountInfo(data + card); }, Roots{root("data"), root("card")},
         DriveKind::Removable, "CARD 01"},
        {"relabelled", [&] { fs::rename(label("CARD\\x2001"), label("NEW")); },
         Roots{root("data"), root("card")}, DriveKind::Removable, "NEW"},
        {"unmounted", [&] { writeMountInfo(data); }, Roots{root("data")}, DriveKind::NoRootDir,
         std::nullopt},
        {"the disk mounted in its place",
         [&] { writeMountInfo(mount("8:0", "card", "card", "ext4")); }, Roots{root("card")},
         DriveKind::Fixed, ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        EXPECT_EQ(drives->GetDriveList(), step.list);
        const std::string drive = root("card");
        EXPECT_EQ(drives->DriveType(drive), step.cardType);
        EXPECT_EQ(drives->VolumeName(drive), step.cardLabel);
    }
}

TEST(DriveServicesFactory, SimulatedDrivesWhenTheVariableIsSet) {
    testing::SimDrives sim;
    sim.addDrive('E', "label=SIM\n");
    ASSERT_EQ(setenv("VELMARON_SIM_DRIVES", sim.folder().c_str(), 1), 0);
    const auto simulated = MakeDriveServices()->GetDriveList();
    ASSERT_EQ(setenv("VELMARON_SIM_DRIVES", "", 1), 0);
    const auto emptyVariable = MakeDriveServices()->GetDriveList();
    unsetenv("VELMARON_SIM_DRIVES");
    EXPECT_EQ(simulated, std::vector{sim.root('E')});
    EXPECT_EQ(emptyVariable, MakePlatformDriveServices()->GetDriveList());
}

} // namespace
} // namespace velmaron
