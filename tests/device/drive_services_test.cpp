// The drive type texts and the simulated drives, whose folder layout is a contract that the
// demonstration and the emulator rely on.

#include "device/device_scan.h"
#include "device/drive_services.h"
#include "support/sim_drives.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::SimDrives;

TEST(DriveTypeText, CodesOutsideTheTableGiveNoText) {
    const std::pair<int, std::string> cases[] = {
        {-1, ""}, {0, "The drive type cannot be determined"}, {6, "RAM disk"}, {7, ""}};
    for (const auto& [code, text] : cases)
        EXPECT_EQ(DriveTypeText(code), text) << code;
}

TEST(SimulatedDrives, PropertiesFileGivesTypeLabelAndReadiness) {
    const struct {
        const char* properties;
        int type;
        std::string label;
    } cases[] = {
        {"", kDriveRemovable, ""},
        {"type=removable\nlabel=CARD01\n", kDriveRemovable, "CARD01"},
        {"type=fixed\n", kDriveFixed, ""},
        {"type=remote\n", kDriveRemote, ""},
        {"type=cdrom\nlabel=DVD\n", kDriveCdrom, "DVD"},
        {"type=ramdisk\n", kDriveRamDisk, ""},
        {"type=noroot\n", kDriveNoRootDir, ""},
        {"type=unknown\n", kDriveUnknown, ""},
        {"type=fixd\n", kDriveUnknown, ""},
        {"ready=no\nlabel=CARD01\n", kDriveRemovable, std::string(kNoVolumeName)},
        {"ready=yes\nlabel=CARD01\n", kDriveRemovable, "CARD01"},
        {"label=MY CARD \r\ntype=fixed\r\n", kDriveFixed, "MY CARD "},
        {"colour=blue\nno equals sign\nlabel=A=B\n", kDriveRemovable, "A=B"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.properties);
        SimDrives sim;
        sim.addDrive('E', c.properties);
        std::string root = sim.root('E');
        EXPECT_EQ(sim.services().DriveType(root), c.type);
        EXPECT_EQ(sim.services().VolumeName(root), c.label);
        EXPECT_EQ(root, sim.root('E'));
    }
}

// A FIFO as the properties file would block the poll for ever; it counts as no file.
TEST(SimulatedDrives, AFifoForPropertiesIsNoFile) {
    SimDrives sim;
    sim.addDrive('E');
    if (!testing::makeFifo(sim.folder() / "E.drive"))
        GTEST_SKIP() << "FIFOs cannot be made here";
    std::string root = sim.root('E');
    EXPECT_EQ(sim.services().DriveType(root), kDriveRemovable);
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
              sim.root('A') + '\0' + sim.root('c') + '\0' + sim.root('G') + '\0' + '\0');
    EXPECT_TRUE(fs::path(sim.root('A')).is_absolute());
    std::string lowerCase = sim.root('c'); // finds the upper-case properties file
    EXPECT_EQ(sim.services().DriveType(lowerCase), kDriveFixed);
    EXPECT_EQ(sim.services().VolumeName(lowerCase), "DATA");
}

// A scan lists the drives once and asks about them after: what changed since the last
// listing shows at the next one, and a drive pulled since is no drive.
TEST(SimulatedDrives, EachListingSeesTheDrivesAsTheyAreNow) {
    SimDrives sim;
    sim.addDrive('E', "label=CARD01\n");
    std::string root = SplitDriveList(sim.services().GetDriveList()).at(0);
    EXPECT_EQ(sim.services().VolumeName(root), "CARD01");
    testing::writeFile(sim.folder() / "E.drive", "type=fixed\nlabel=OTHER\n");
    root = SplitDriveList(sim.services().GetDriveList()).at(0);
    EXPECT_EQ(sim.services().DriveType(root), kDriveFixed);
    EXPECT_EQ(sim.services().VolumeName(root), "OTHER");
    fs::rename(sim.folder() / "E", sim.folder() / "away");
    EXPECT_EQ(sim.services().DriveType(root), kDriveNoRootDir);
    EXPECT_EQ(sim.services().VolumeName(root), kNoVolumeName);
}

// Short forms of a root are completed. Moving a drive's folder away pulls it: its root then
// names no drive, like a root that lies elsewhere.
TEST(SimulatedDrives, ShortFormsAreCompletedAndOtherRootsAreNoDrives) {
    SimDrives sim;
    sim.addDrive('E', "label=CARD01\n");
    for (const std::string shortForm : {"E", "E:", "e", "e:", "F:"}) {
        std::string drive = shortForm;
        const bool present = drive != "F:";
        EXPECT_EQ(sim.services().VolumeName(drive), present ? "CARD01" : kNoVolumeName);
        EXPECT_EQ(drive, sim.root(present ? 'E' : 'F'));
    }
    std::string bare = (sim.folder() / "E").string(); // without its trailing separator
    EXPECT_EQ(sim.services().DriveType(bare), kDriveRemovable);

    fs::create_directories(sim.folder() / "E" / "F");
    const std::string pulled = sim.root('E');
    fs::rename(sim.folder() / "E", sim.folder() / "away");
    EXPECT_EQ(sim.services().GetDriveList(), "");
    for (std::string root : {pulled, (sim.folder() / "away" / "F").string() + "/",
                             sim.folder().string(), std::string(), std::string("/")}) {
        EXPECT_EQ(sim.services().DriveType(root), kDriveNoRootDir) << root;
        EXPECT_EQ(sim.services().VolumeName(root), kNoVolumeName) << root;
    }
    fs::rename(sim.folder() / "away", sim.folder() / "E");
    EXPECT_EQ(sim.services().GetDriveList(), pulled + '\0' + '\0');
}

} // namespace
} // namespace velmaron
