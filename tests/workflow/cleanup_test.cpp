// Removing update files from the device: only regular files in UPDATES, in any case, never
// through a link and never outside the drive.

#include "device/sim_drives.h"
#include "workflow/cleanup.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::makeSymlink;
using testing::TempDrive;
using testing::writeFile;

bool present(const fs::path& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

TEST(RemoveStaleUpdateFiles, RemovesEveryHexFileInAnyCaseAndNothingElse) {
    TempDrive drive;
    const fs::path updates = drive.path() / "Updates";
    const char* removed[] = {"QX999000.HEX", "cr999000.hex", "old.Hex", ".hex", "a.b.hEx"};
    const char* kept[] = {"digivers.ion", "hex", "a.hexx", "a.he", "hex.txt", "QX999000.HEX.bak"};
    for (const char* name : removed) {
        writeFile(updates / name, ":00000001FF\r\n");
    }
    for (const char* name : kept) {
        writeFile(updates / name, "keep");
    }
    fs::create_directories(updates / "x.hex" / "inner");
    writeFile(updates / "x.hex" / "inner.hex");
    writeFile(drive.path() / "top.hex");

    RemoveStaleUpdateFiles(drive.root());

    for (const char* name : removed) {
        EXPECT_FALSE(present(updates / name)) << name;
    }
    for (const char* name : kept) {
        EXPECT_TRUE(present(updates / name)) << name;
    }
    EXPECT_TRUE(present(updates / "x.hex" / "inner.hex"));
    EXPECT_TRUE(present(drive.path() / "top.hex"));
}

TEST(RemoveStaleUpdateFiles, NeverFollowsALink) {
    TempDrive drive;
    TempDrive outside;
    writeFile(outside.path() / "target.hex");
    fs::create_directories(drive.path() / "UPDATES");
    if (!makeSymlink(outside.path() / "target.hex", drive.path() / "UPDATES" / "y.hex")) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }
    RemoveStaleUpdateFiles(drive.root());
    EXPECT_TRUE(present(drive.path() / "UPDATES" / "y.hex"));
    EXPECT_TRUE(present(outside.path() / "target.hex"));

    // An UPDATES that is itself a link leads outside the drive: nothing there is touched.
    TempDrive linkedDrive;
    if (!makeSymlink(outside.path(), linkedDrive.path() / "UPDATES")) {
        GTEST_SKIP() << "symbolic links to directories cannot be made here";
    }
    RemoveStaleUpdateFiles(linkedDrive.root());
    EXPECT_TRUE(present(outside.path() / "target.hex"));
}

TEST(RemoveStaleUpdateFiles, NothingToDoIsNoError) {
    TempDrive drive;
    EXPECT_NO_THROW(RemoveStaleUpdateFiles(drive.root()));
    fs::create_directories(drive.path() / "UPDATES");
    EXPECT_NO_THROW(RemoveStaleUpdateFiles(drive.root()));
    EXPECT_NO_THROW(RemoveStaleUpdateFiles((drive.path() / "missing").string() + "/"));
    EXPECT_NO_THROW(RemoveStaleUpdateFiles(""));
}

TEST(RemoveConfigFile, RemovesOnlyThePlainConfigurationFile) {
    struct Case {
        const char* name;
        std::vector<const char*> files; // below UPDATES
        std::vector<const char*> left;
    };
    const Case cases[] = {
        {"present",
         {"QX999000.HEX", "CR999000.HEX", "digivers.ion"},
         {"CR999000.HEX", "digivers.ion"}},
        {"other case", {"qx999000.hex"}, {}},
        {"absent", {"digivers.ion"}, {"digivers.ion"}},
        {"a directory of that name", {"QX999000.HEX/keep"}, {"QX999000.HEX/keep"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDrive drive;
        const fs::path updates = drive.path() / "UPDATES";
        fs::create_directories(updates);
        for (const char* file : c.files) {
            writeFile(updates / file);
        }
        RemoveConfigFile(drive.root());
        std::vector<std::string> left;
        for (const auto& entry : fs::recursive_directory_iterator(updates)) {
            if (entry.is_regular_file()) {
                left.push_back(entry.path().lexically_relative(updates).generic_string());
            }
        }
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, std::vector<std::string>(c.left.begin(), c.left.end()));
    }
}

TEST(RemoveConfigFile, LeavesALinkAndItsTargetAlone) {
    TempDrive drive;
    TempDrive outside;
    writeFile(outside.path() / "QX999000.HEX");
    fs::create_directories(drive.path() / "UPDATES");
    if (!makeSymlink(outside.path() / "QX999000.HEX", drive.path() / "UPDATES" / "QX999000.HEX")) {
        GTEST_SKIP() << "symbolic links cannot be made here";
    }
    RemoveConfigFile(drive.root());
    EXPECT_TRUE(present(drive.path() / "UPDATES" / "QX999000.HEX"));
    EXPECT_TRUE(present(outside.path() / "QX999000.HEX"));
    EXPECT_NO_THROW(RemoveConfigFile(""));
}

} // namespace
} // namespace velmaron
