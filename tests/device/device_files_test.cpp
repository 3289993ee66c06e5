#include "device/device_files.h"
#include "device/durable_file.h"
#include "support/sim_drives.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::makeSymlink, testing::namesIn, testing::readAll, testing::TempDrive;

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
    std::optional<fs::path> find(std::string_view relative, EntryKind kind) const {
        const auto parts = SplitDevicePath(relative);
        if (!parts || parts->empty())
            return kind == EntryKind::Directory && parts && DeviceDirectory::Open(root, "")
                       ? std::optional(fs::path(root))
                       : std::nullopt;
        const std::string last = parts->back();
        const auto parent = DeviceDirectory::Open(root, relative.substr(0, relative.rfind(last)));
        const auto name = parent ? parent->Find(last, kind) : std::nullopt;
        if (!name)
            return std::nullopt;
        EXPECT_EQ(HasDeviceDirectory(root, relative), kind == EntryKind::Directory);
        return parent->path() / *name;
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
        {"/UPDATES//digivers.ion", EntryKind::File, fs::path("UPDATES") / "digivers.ion"},
        {"UPDATES", EntryKind::Directory, fs::path("UPDATES")},
        {"velmaron\\card\\", EntryKind::Directory, fs::path("VELMARON") / "CARD"},
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
        const auto found = find(c.relative, c.kind);
        ASSERT_EQ(found.has_value(), c.expected.has_value());
        if (found) { // with the names as listed
            EXPECT_EQ(found->lexically_normal(), (drive / *c.expected).lexically_normal());
        }
    }
    EXPECT_FALSE(DeviceDirectory::Open((drive / "gone" / "").string(), "UPDATES"));
}

TEST_F(DeviceFilesTest, LinksCountAsMissingAtEveryStep) {
    temp.write("outside/UPDATES/digivers.ion", "foreign");
    if (!makeSymlink(temp.path() / "outside", drive / "LINKDIR") ||
        !makeSymlink(temp.path() / "outside" / "secret.txt", drive / "UPDATES" / "link.hex") ||
        !makeSymlink(drive / "UPDATES" / "digivers.ion", drive / "UPDATES" / "inside.ion"))
        GTEST_SKIP() << "symbolic links cannot be created here";
    EXPECT_FALSE(find("LINKDIR", EntryKind::Directory));
    EXPECT_FALSE(find("linkdir\\secret.txt", EntryKind::File));
    EXPECT_FALSE(HasDeviceDirectory(root, "LINKDIR\\UPDATES\\")) << "no marker through a link";
    EXPECT_EQ(ReadDeviceFile(root, "LINKDIR\\secret.txt").status, ReadStatus::Missing);
    EXPECT_FALSE(find("UPDATES\\link.hex", EntryKind::File));
    EXPECT_EQ(ReadDeviceFile(root, "UPDATES\\inside.ion").status, ReadStatus::Missing)
        << "even a link within the drive";
    EXPECT_EQ(DeviceDirectory::Open(root, "UPDATES")->Files(),
              (std::vector<std::string>{"digivers.ion"}));

    fs::remove_all(drive / "UPDATES");
    ASSERT_TRUE(makeSymlink(temp.path() / "outside" / "UPDATES", drive / "UPDATES"));
    EXPECT_FALSE(find("updates", EntryKind::Directory));
    EXPECT_FALSE(ReadDeviceFile(root, "UPDATES\\digivers.ion").ok());
}

// Every operation works in the directory once opened: a link swapped in leads nowhere.
TEST_F(DeviceFilesTest, AnOpenDirectoryStaysTheOneOnTheDrive) {
    temp.write("outside/old.hex", "keep");
    temp.write("drive/UPDATES/old.hex", "stale");
    auto updates = DeviceDirectory::Open(root, "updates");
    ASSERT_TRUE(updates);
    std::error_code moving;
    fs::rename(drive / "UPDATES", drive / "moved", moving);
#ifdef _WIN32
    // Held open, the directory cannot be moved away at all, so nothing can take its place.
    EXPECT_TRUE(moving);
    EXPECT_EQ(updates->Files(), (std::vector<std::string>{"digivers.ion", "old.hex"}));
    return;
#endif
    ASSERT_FALSE(moving);
    if (!makeSymlink(temp.path() / "outside", drive / "UPDATES"))
        GTEST_SKIP() << "symbolic links cannot be created here";
    EXPECT_EQ(updates->Files(), (std::vector<std::string>{"digivers.ion", "old.hex"}));
    EXPECT_EQ(updates->Read("DIGIVERS.ION").content, "QX000054");
    EXPECT_TRUE(updates->Remove("old.hex"));
    EXPECT_TRUE(WriteFileDurably(*updates, "new.tmp", "new").ok());
    EXPECT_TRUE(RenameReplacing(*updates, "new.tmp", "QX999000.HEX").ok());
    EXPECT_TRUE(FlushDirectory(*updates).ok());
    EXPECT_EQ(namesIn(temp.path() / "outside"),
              (std::vector<std::string>{"old.hex", "secret.txt"}));
    EXPECT_EQ(readAll(drive / "moved" / "QX999000.HEX"), "new");
}

TEST_F(DeviceFilesTest, ReadsOnlyRegularFilesWithinTheBound) {
    const std::string content("QX000054\r\n\0\xff\x1a end", 16);
    temp.write("drive/UPDATES/digivers.ion", content);
    temp.write("drive/UPDATES/empty.ion", "");
    temp.write("drive/UPDATES/full.ion", std::string(MaxReadBytes, 'x'));
    temp.write("drive/UPDATES/over.ion", std::string(MaxReadBytes + 1, 'x'));
    fs::resize_file(temp.write("drive/UPDATES/huge.ion", "QX000054HEX"), std::uintmax_t{2} << 30);
    const std::tuple<const char*, ReadStatus, std::size_t> cases[] = {
        {"updates\\DIGIVERS.ION", ReadStatus::Ok, content.size()},
        {"UPDATES\\empty.ion", ReadStatus::Ok, 0},
        {"UPDATES\\full.ion", ReadStatus::Ok, MaxReadBytes},
        {"UPDATES\\over.ion", ReadStatus::TooLong, 0},
        {"UPDATES\\huge.ion", ReadStatus::TooLong, 0},
        {"UPDATES\\sub", ReadStatus::NotRegular, 0},
        {"UPDATES\\none.ion", ReadStatus::Missing, 0},
        {"UPDATES\\", ReadStatus::NotRegular, 0},
    };
    for (const auto& [relative, status, size] : cases) {
        SCOPED_TRACE(relative);
        const ReadResult read = ReadDeviceFile(root, relative);
        EXPECT_EQ(read.status, status);
        EXPECT_EQ(read.content.size(), size);
    }
    EXPECT_EQ(ReadDeviceFile(root, "UPDATES\\digivers.ion").content, content);
    EXPECT_EQ(ReadRegularFile(drive / "UPDATES" / "over.ion", MaxReadBytes + 1).content.size(),
              MaxReadBytes + 1);
}

// A FIFO put where a file is expected would block a plain open or read for ever.
TEST_F(DeviceFilesTest, AFifoIsNeverWaitedFor) {
    const fs::path fifo = drive / "UPDATES" / "digivers.ion";
    fs::remove(fifo);
    if (!testing::makeFifo(fifo))
        GTEST_SKIP() << "FIFOs cannot be made here";
    EXPECT_EQ(ReadDeviceFile(root, "UPDATES\\digivers.ion").status, ReadStatus::NotRegular);
    EXPECT_EQ(ReadRegularFile(fifo).status, ReadStatus::NotRegular);
    EXPECT_TRUE(DeviceDirectory::Open(root, "UPDATES")->Files().empty());
}

} // namespace
} // namespace velmaron
