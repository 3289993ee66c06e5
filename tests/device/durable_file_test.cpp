#include "device/durable_file.h"
#include "device/sim_drives.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::makeSymlink;
using testing::readAll;
using testing::TempDrive;

TEST(DurableFile, WritesEveryByte) {
    const std::string large(3 * 1024 * 1024 + 7, '\xA5');
    for (const std::string& bytes :
         {std::string(), std::string(":00000001FF\r\n"), std::string("\0\r\n\x1a", 4), large}) {
        SCOPED_TRACE(bytes.size());
        TempDrive drive;
        const FileResult result = WriteFileDurably(drive.path() / "QX999000.tmp", bytes);
        ASSERT_TRUE(result.ok()) << result.detail;
        EXPECT_EQ(readAll(drive.path() / "QX999000.tmp"), bytes);
    }
}

TEST(DurableFile, CreatesOnlyNewFiles) {
    TempDrive drive;
    const fs::path existing = drive.write("old.tmp", "old");
    FileResult result = WriteFileDurably(existing, "new");
    EXPECT_EQ(result.step, FileStep::Create);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(readAll(existing), "old");

    result = WriteFileDurably(drive.path() / "missing" / "new.tmp", "new");
    EXPECT_EQ(result.fault, FileFault::Failed);
    EXPECT_EQ(result.step, FileStep::Create);
    EXPECT_FALSE(result.detail.empty());

    const fs::path outside = drive.write("outside.txt", "outside");
    if (!makeSymlink(outside, drive.path() / "link.tmp"))
        GTEST_SKIP() << "symbolic links cannot be created here";
    EXPECT_FALSE(WriteFileDurably(drive.path() / "link.tmp", "new").ok());
    EXPECT_EQ(readAll(outside), "outside") << "a link is never followed";
}

} // namespace
} // namespace velmaron
