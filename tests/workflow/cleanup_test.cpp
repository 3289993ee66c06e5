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

// Links on the device, to files or to UPDATES itself, lead outside the drive: neither
// operation removes a link or anything behind one.
TEST(CleanUp, NeverFollowsOrRemovesALink) {
    TempDrive outside;
    writeFile(outside.path() / "QX999000.HEX");
    struct Case {
        const char* link;   // on the drive
        const char* target; // below outside
    };
    const Case cases[] = {
        {"UPDATES/y.hex", "QX999000.HEX"},
        {"UPDATES/QX999000.HEX", "QX999000.HEX"},
        {"UPDATES", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        TempDrive drive;
        const fs::path link = drive.path() / c.link;
        fs::create_directories(link.parent_path());
        if (!makeSymlink(outside.path() / c.target, link)) {
            GTEST_SKIP() << "symbolic links cannot be made here";
        }
        RemoveStaleUpdateFiles(drive.root());
        RemoveConfigFile(drive.root());
        EXPECT_TRUE(present(link));
        EXPECT_TRUE(present(outside.path() / "QX999000.HEX"));
    }
}

TEST(RemoveStaleUpdateFiles, NothingToDoIsNoError) {
    TempDrive drive;
    EXPECT_NO_THROW(RemoveStaleUpdateFiles(drive.root()));
    fs::create_directories(drive.path() / "UPDATES");
    EXPECT_NO_THROW(RemoveStaleUpdateFiles(drive.root()));
    EXPECT_NO_THROW(RemoveStaleUpdateFiles((drive.path() / "missing").string() + "/"));
    EXPECT_NO_THROW(RemoveStaleUpdateFiles(""));
    EXPECT_NO_THROW(RemoveConfigFile(""));
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

} // namespace
} // namespace velmaron
