// The drive type texts, and the simulated drives' layout that the demo and the emulator use.

#include "device/drive_services.h"
#include "support/sim_drives.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::SimDrives;

TEST(DriveTypeText, ValuesOutsideTheEnumerationGiveNoText) {
    const std::pair<int, std::string> cases[] = {
        {-1, ""}, {0, "The drive type cannot be determined"}, {6, "RAM disk"}, {7, ""}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(DriveTypeText(static_cast<DriveKind>(value)), text) << value;
    EXPECT_EQ(DriveTypeText(DriveKind::Removable), "Removable drive");
}

TEST(SimulatedDrives, PropertiesFileGivesTypeLabelAndReadiness) {
    const struct {
        const char* properties;
        DriveKind type;
        std::optional<std::string> label;
    } cases[] = {
        {"", DriveKind::Removable, ""},
        {"type=removable\nlabel=CARD01\n", DriveKind::Removable, "CARD01"},
        {"type=fixed\n", DriveKind::Fixed, ""},
        {"type=remote\n", DriveKind::Remote, ""},
        {"type=cdrom\nlabel=DVD\n", DriveKind::Cdrom, "DVD"},
        {"type=ramdisk\n", DriveKind::RamDisk, ""},
        {"type=noroot\n", DriveKind::NoRootDir, ""},
        {"type=unknown\n", DriveKind::Unknown, ""},
        {"type=fixd\n", DriveKind::Unknown, ""},
        {"ready=no\nlabel=CARD01\n", DriveKind::Removable, std::nullopt},
        {"ready=yes\nlabel=CARD01\n", DriveKind::Removable, "CARD01"},
        {"label=MY CARD \r\ntype=fixed\r\n", DriveKind::Fixed, "MY CARD "},
        {"colour=blue\nno equals sign\nlabel=A=B\n", DriveKind::Removable, "A=B"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.properties);
        SimDrives sim;
        sim.addDrive('E', c.properties);
        const std::string root = sim.root('E');
        EXPECT_EQ(sim.services().DriveType(root), c.type);
        EXPECT_EQ(sim.services().VolumeName(root), c.label);
    }
}

// A FIFO as the properties file would block the poll for ever; it counts as no file.
TEST(SimulatedDrives, AFifoForPropertiesIsNoFile) {
    SimDrives sim;
    sim.addDrive('E');
    if (!testing::makeFifo(sim.folder() / "E.drive"))
        GTEST_SKIP() << "FIFOs cannot be made here";
    const std::string root = sim.root('E');
    EXPECT_EQ(sim.services().DriveType(root), DriveKind::Removable);
    EXPECT_EQ(sim.services().VolumeName(root), "");
}

TEST(SimulatedDrives, ListsLetterDirectoriesInLetterOrder) {
    SimDrives sim;
    sim.addDrive('G');
    sim.addDrive('c');
    sim.addDrive('A');
    fs::create_directories(sim.folder() / "AB");
    fs::create_directories(sim.folder() / "1");
    testing::writeFile(sim.folder() / "D");
    testing::writeFile(sim.folder() / "F.drive", "type=fixed\n");
    testing::writeFile(sim.folder() / "C.drive", "type=fixed\nlabel=DATA\n");
    EXPECT_EQ(sim.services().GetDriveList(),
              (std::vector{sim.root('A'), sim.root('c'), sim.root('G')}));
    EXPECT_TRUE(fs::path(sim.root('A')).is_absolute());
    const std::string lowerCase = sim.root('c'); // finds the upper-case properties file
    EXPECT_EQ(sim.services().DriveType(lowerCase), DriveKind::Fixed);
    EXPECT_EQ(sim.services().VolumeName(lowerCase), "DATA");
}

// Short forms of a root name its drive. A drive pulled by moving its folder away is every
// window test's; there its root names no drive.
TEST(SimulatedDrives, ShortFormsNameTheDrive) {
    SimDrives sim;
    sim.addDrive('E', "label=CARD01\n");
    for (const std::string drive : {"E", "E:", "e", "e:", "F:"}) {
        const bool present = drive != "F:";
        EXPECT_EQ(sim.services().VolumeName(drive),
                  present ? std::optional<std::string>("CARD01") : std::nullopt)
            << drive;
    }
    const std::string bare = (sim.folder() / "E").string(); // without its trailing separator
    EXPECT_EQ(sim.services().DriveType(bare), DriveKind::Removable);
    for (const std::string& root : {sim.folder().string(), std::string(), std::string("/")})
        EXPECT_EQ(sim.services().DriveType(root), DriveKind::NoRootDir) << root;
}

} // namespace
} // namespace velmaron
