#include "device/durable_file.h"
#include "support/sim_drives.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include "device/posix_write.h"

#include <cerrno>
#endif

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::makeSymlink, testing::readAll, testing::TempDrive;

TEST(DurableFile, WritesEveryByte) {
    const std::string large(3 * 1024 * 1024 + 7, '\xA5');
    for (const std::string& bytes :
         {std::string(), std::string(":00000001FF\r\n"), std::string("\0\r\n\x1a", 4), large}) {
        SCOPED_TRACE(bytes.size());
        TempDrive drive;
        const FileResult result =
            WriteFileDurably(*DeviceDirectory::Open(drive.root(), ""), "QX999000.tmp", bytes);
        ASSERT_TRUE(result.ok()) << result.detail;
        EXPECT_EQ(readAll(drive.path() / "QX999000.tmp"), bytes);
    }
}

TEST(DurableFile, CreatesOnlyNewFiles) {
    TempDrive drive;
    const fs::path existing = drive.write("old.tmp", "old");
    const auto directory = DeviceDirectory::Open(drive.root(), "");
    FileResult result = WriteFileDurably(*directory, "old.tmp", "new");
    EXPECT_EQ(result.step, FileStep::Create);
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.detail.empty());
    EXPECT_EQ(readAll(existing), "old");

    const fs::path outside = drive.write("outside.txt", "outside");
    if (!makeSymlink(outside, drive.path() / "link.tmp"))
        GTEST_SKIP() << "symbolic links cannot be created here";
    EXPECT_FALSE(WriteFileDurably(*directory, "link.tmp", "new").ok());
    EXPECT_EQ(readAll(outside), "outside") << "a link is never followed";
}

// Every byte, around the sector-sized reads of Windows; only a regular file within the bound.
TEST(DurableFile, ReadsFromTheMediumWhatTheFileHolds) {
    TempDrive drive;
    const auto directory = DeviceDirectory::Open(drive.root(), "");
    for (const std::size_t size :
         std::initializer_list<std::size_t>{0, 1, 511, 512, 4095, 4096, 4097, MaxReadBytes}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7);
        drive.write("QX999000.HEX", bytes);
        EXPECT_EQ(ReadFromMedium(*directory, "QX999000.HEX"), (ReadResult{ReadStatus::Ok, bytes}))
            << size;
    }
    drive.write("over.hex", std::string(MaxReadBytes + 1, 'x'));
    EXPECT_EQ(ReadFromMedium(*directory, "over.hex").status, ReadStatus::TooLong);
    drive.mkdir("sub");
    EXPECT_FALSE(ReadFromMedium(*directory, "sub").ok());
    EXPECT_EQ(ReadFromMedium(*directory, "none.hex").status, ReadStatus::Missing);
    if (makeSymlink(drive.path() / "QX999000.HEX", drive.path() / "link.hex")) {
        EXPECT_FALSE(ReadFromMedium(*directory, "link.hex").ok()) << "a link is never followed";
    }
}

#ifndef _WIN32
// A write that takes nothing leaves errno as it was; the reason must not come from there.
TEST(DurableFile, AWriteThatTakesNothingHasARealReason) {
    errno = EACCES; // stale: would read as a write-protected device
    EXPECT_EQ(WriteAll(-1, "x", [](int, const void*, size_t) -> ssize_t { return 0; }), ENOSPC);
    static int calls = 0;
    const WriteCall interruptedThenOne = [](int, const void*, size_t) -> ssize_t {
        errno = EINTR;
        return calls++ == 0 ? -1 : 1;
    };
    EXPECT_EQ(WriteAll(-1, "ab", interruptedThenOne), 0);
    EXPECT_EQ(calls, 3);
}
#endif

} // namespace
} // namespace velmaron
