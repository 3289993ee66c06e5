// Only regular files in UPDATES, in any case, never through a link nor outside the drive.

#include "device/cleanup.h"
#include "support/sim_drives.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::makeSymlink, testing::TempDrive, testing::writeFile;

bool present(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

TEST(RemoveStaleUpdateFiles, RemovesEveryHexFileInAnyCaseAndNothingElse) {
    TempDrive drive;
    const fs::path updates = drive.path() / "Updates";
    for (const char* name :
         {"QX999000.HEX", "cr999000.hex", "old.Hex", ".hex", "a.b.hEx", "digivers.ion", "hex",
          "a.hexx", "a.he", "hex.txt", "QX999000.HEX.bak"})
        writeFile(updates / name, ":00000001FF\r\n");
    writeFile(updates / "x.hex" / "inner.hex");
    writeFile(drive.path() / "top.hex");

    RemoveStaleUpdateFiles(drive.root());

    EXPECT_EQ(testing::namesIn(updates),
              (std::vector<std::string>{"QX999000.HEX.bak", "a.he", "a.hexx", "digivers.ion", "hex",
                                        "hex.txt", "x.hex"}));
    EXPECT_TRUE(present(updates / "x.hex" / "inner.hex"));
    EXPECT_TRUE(present(drive.path() / "top.hex"));
}

// Neither removes a link on the device, to a file or to UPDATES, or anything behind one.
TEST(CleanUp, NeverFollowsOrRemovesALink) {
    TempDrive outside;
    writeFile(outside.path() / "QX999000.HEX");
    const std::pair<const char*, const char*> cases[] = {
        // the link on the drive, and its target below outside
        {"UPDATES/y.hex", "QX999000.HEX"},
        {"UPDATES/QX999000.HEX", "QX999000.HEX"},
        {"UPDATES", ""},
    };
    for (const auto& [name, target] : cases) {
        SCOPED_TRACE(name);
        TempDrive drive;
        const fs::path link = drive.path() / name;
        fs::create_directories(link.parent_path());
        if (!makeSymlink(outside.path() / target, link))
            GTEST_SKIP() << "symbolic links cannot be made here";
        RemoveStaleUpdateFiles(drive.root());
        RemoveConfigFile(drive.root());
        EXPECT_TRUE(present(link));
        EXPECT_TRUE(present(outside.path() / "QX999000.HEX"));
    }
}

TEST(CleanUp, NothingToDoIsNoError) {
    TempDrive drive;
    for (const std::string& root :
         {drive.root(), (drive.path() / "missing" / "").string(), std::string()}) {
        EXPECT_NO_THROW(RemoveStaleUpdateFiles(root));
        EXPECT_NO_THROW(RemoveConfigFile(root));
    }
}

TEST(RemoveConfigFile, RemovesOnlyThePlainConfigurationFile) {
    const struct {
        std::vector<const char*> files; // below UPDATES
        std::vector<std::string> left;
    } cases[] = {
        {{"QX999000.HEX", "CR999000.HEX", "digivers.ion"}, {"CR999000.HEX", "digivers.ion"}},
        {{"qx999000.hex"}, {}},
        {{"digivers.ion"}, {"digivers.ion"}},
        {{"QX999000.HEX/keep"}, {"QX999000.HEX"}}, // a directory of that name
    };
    for (const auto& c : cases) {
        TempDrive drive;
        const fs::path updates = drive.mkdir("UPDATES");
        for (const char* file : c.files)
            writeFile(updates / file);
        RemoveConfigFile(drive.root());
        EXPECT_EQ(testing::namesIn(updates), c.left) << c.files[0];
    }
}

} // namespace
} // namespace velmaron
