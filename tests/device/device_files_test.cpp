#include "device/device_files.h"
#include "device/sim_drives.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::makeSymlink;
using testing::TempDrive;

// The drive lies one level below the temporary folder so that "outside" sits beside it.
class DeviceFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        drive = temp.mkdir("drive");
        root = (drive / "").string();
        temp.write("outside/secret.txt", "secret");
        temp.write("drive/UPDATES/digivers.ion", "QX000054");
        temp.mkdir("drive/UPDATES/sub");
        temp.mkdir("drive/VELMARON/CARD");
    }
    TempDrive temp;
    fs::path drive;
    std::string root;
};

TEST_F(DeviceFilesTest, FindsEntriesByPathInAnyCaseAndRefusesEverythingElse) {
    struct Case {
        std::string_view relative;
        EntryKind kind;
        std::optional<fs::path> expected; // relative to the drive; nullopt: missing
    };
    const Case cases[] = {
        {"UPDATES\\digivers.ion", EntryKind::File, fs::path("UPDATES") / "digivers.ion"},
        {"updates/DIGIVERS.ION", EntryKind::File, fs::path("UPDATES") / "digivers.ion"},
        {"Updates\\Digivers.Ion\\", EntryKind::File, fs::path("UPDATES") / "digivers.ion"},
        {"/UPDATES//digivers.ion", EntryKind::File, fs::path("UPDATES") / "digivers.ion"},
        {"UPDATES", EntryKind::Directory, fs::path("UPDATES")},
        {"velmaron\\card", EntryKind::Directory, fs::path("VELMARON") / "CARD"},
        // wrong kind at the end or on the way
        {"UPDATES", EntryKind::File, std::nullopt},
        {"UPDATES\\digivers.ion", EntryKind::Directory, std::nullopt},
        {"UPDATES\\digivers.ion\\x", EntryKind::File, std::nullopt},
        // missing, or only a prefix of a name
        {"NOPE", EntryKind::Directory, std::nullopt},
        {"UPDATES\\digivers.io", EntryKind::File, std::nullopt},
        {"UPDATES\\digivers.ion2", EntryKind::File, std::nullopt},
        // steps out of the drive or in place
        {"..\\outside\\secret.txt", EntryKind::File, std::nullopt},
        {"UPDATES\\..\\UPDATES\\digivers.ion", EntryKind::File, std::nullopt},
        {".\\UPDATES", EntryKind::Directory, std::nullopt},
        // the root itself
        {"", EntryKind::Directory, fs::path()},
        {"", EntryKind::File, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.relative));
        const auto found = FindOnDevice(root, c.relative, c.kind);
        ASSERT_EQ(found.has_value(), c.expected.has_value());
        if (found) { // with the names as listed
            EXPECT_EQ(found->lexically_normal(), (drive / *c.expected).lexically_normal());
        }
    }
}

TEST_F(DeviceFilesTest, LinksCountAsMissingAtEveryStep) {
    temp.write("outside/UPDATES/digivers.ion", "foreign");
    if (!makeSymlink(temp.path() / "outside", drive / "LINKDIR") ||
        !makeSymlink(temp.path() / "outside" / "secret.txt", drive / "UPDATES" / "link.hex") ||
        !makeSymlink(drive / "UPDATES" / "digivers.ion", drive / "UPDATES" / "inside.ion"))
        GTEST_SKIP() << "symbolic links cannot be created here";
    EXPECT_FALSE(FindOnDevice(root, "LINKDIR", EntryKind::Directory));
    EXPECT_FALSE(FindOnDevice(root, "linkdir\\secret.txt", EntryKind::File));
    EXPECT_FALSE(ReadDeviceFile(root, "LINKDIR\\secret.txt"));
    EXPECT_TRUE(ListDeviceFiles(root, "LINKDIR").empty());
    EXPECT_FALSE(FindOnDevice(root, "UPDATES\\link.hex", EntryKind::File));
    EXPECT_FALSE(ReadDeviceFile(root, "UPDATES\\inside.ion")) << "even a link within the drive";

    fs::remove_all(drive / "UPDATES");
    ASSERT_TRUE(makeSymlink(temp.path() / "outside" / "UPDATES", drive / "UPDATES"));
    EXPECT_FALSE(FindOnDevice(root, "updates", EntryKind::Directory));
    EXPECT_FALSE(ReadDeviceFile(root, "UPDATES\\digivers.ion"));
}

TEST_F(DeviceFilesTest, ReadsTheWholeFileByteForByte) {
    const std::string content("QX000054\r\n\0\xff\x1a end", 16);
    temp.write("drive/UPDATES/digivers.ion", content);
    temp.write("drive/UPDATES/empty.ion", "");
    EXPECT_EQ(ReadDeviceFile(root, "updates\\DIGIVERS.ION"), content);
    EXPECT_EQ(ReadDeviceFile(root, "UPDATES\\empty.ion"), std::string());
    EXPECT_FALSE(ReadDeviceFile(root, "UPDATES\\sub"));
    EXPECT_FALSE(ReadDeviceFile(root, "UPDATES\\none.ion"));
    EXPECT_FALSE(ReadDeviceFile((drive / "gone" / "").string(), "UPDATES\\digivers.ion"));
}

} // namespace
} // namespace velmaron
