#include "config/save_config_file.h"
#include "config/temp_drive.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::makeSymlink;
using testing::readAll;
using testing::TempDrive;

const ConfigFile qxFile{
    "QX999000.HEX",
    {":103A00003F5158303030303037484558FFFFFFFFC6", ":023A100001FFB4", ":00000001FF"},
    "Konfigurationsdatei erstellt"};
const ConfigFile crFile{"CR999000.HEX",
                        {":103A00023F4352303030303037484558FFFFFFFFD8",
                         ":103A1002FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFB4", ":00000001FF"},
                        "Configuration file created"};
const std::string qxBytes = ":103A00003F5158303030303037484558FFFFFFFFC6\r\n:023A100001FFB4\r\n"
                            ":00000001FF\r\n";

// The names in a directory, in name order.
std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SaveConfigFile, WritesTheFileIntoUpdatesInAnyCase) {
    const struct {
        const char* updatesName;
        const ConfigFile* file;
    } cases[] = {{"UPDATES", &qxFile}, {"updates", &qxFile}, {"Updates", &crFile}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.updatesName);
        TempDrive drive;
        const fs::path updates = drive.mkdir(c.updatesName);
        drive.write(fs::path(c.updatesName) / "digivers.ion", "QX000054");
        const SaveResult result = SaveConfigFile(drive.root(), *c.file);
        ASSERT_TRUE(result.ok()) << result.detail;
        EXPECT_EQ(readAll(updates / c.file->fileName), ConfigFileBytes(*c.file));
        EXPECT_EQ(namesIn(updates), (std::vector<std::string>{c.file->fileName, "digivers.ion"}));
        EXPECT_EQ(namesIn(drive.path()), std::vector<std::string>{c.updatesName});
    }
}

TEST(SaveConfigFile, ReplacesAnExistingFileOfTheSameNameInAnyCase) {
    for (const char* existing : {"QX999000.HEX", "qx999000.hex", "QX999000.tmp"}) {
        SCOPED_TRACE(existing);
        TempDrive drive;
        const fs::path updates = drive.mkdir("UPDATES");
        drive.write(fs::path("UPDATES") / existing,
                    "old configuration, longer than the new one " + std::string(200, 'x'));
        ASSERT_TRUE(SaveConfigFile(drive.root(), qxFile).ok());
        const auto names = namesIn(updates);
        ASSERT_EQ(names.size(), 1u) << "no second file beside it";
        EXPECT_TRUE(names[0] == existing || names[0] == "QX999000.HEX");
        EXPECT_EQ(readAll(updates / names[0]), qxBytes);
    }
}

TEST(SaveConfigFile, WritingTwiceLeavesOnlyTheSecondConfiguration) {
    TempDrive drive;
    const fs::path updates = drive.mkdir("UPDATES");
    ConfigFile second = qxFile;
    second.lines[1] = ":073A1000010203040506FF9B";
    ASSERT_TRUE(SaveConfigFile(drive.root(), qxFile).ok());
    ASSERT_TRUE(SaveConfigFile(drive.root(), second).ok());
    EXPECT_EQ(namesIn(updates), std::vector<std::string>{"QX999000.HEX"});
    EXPECT_EQ(readAll(updates / "QX999000.HEX"), ConfigFileBytes(second));
}

TEST(SaveConfigFile, RefusesWhereTheFileCannotGo) {
    {
        TempDrive drive;
        EXPECT_EQ(SaveConfigFile(drive.root(), qxFile).error, SaveError::UpdatesMissing);
        EXPECT_TRUE(namesIn(drive.path()).empty()) << "UPDATES is never created";
    }
    {
        TempDrive drive;
        drive.write("UPDATES", "a file, not a directory");
        EXPECT_EQ(SaveConfigFile(drive.root(), qxFile).error, SaveError::UpdatesMissing);
    }
    {
        TempDrive drive;
        const std::string gone = (drive.path() / "unplugged" / "").string();
        EXPECT_EQ(SaveConfigFile(gone, qxFile).error, SaveError::DeviceGone);
        EXPECT_FALSE(fs::exists(drive.path() / "unplugged"));
    }
    {
        TempDrive drive;
        const fs::path target = drive.mkdir("UPDATES/qx999000.hex");
        drive.write("UPDATES/qx999000.hex/inside", "kept");
        EXPECT_EQ(SaveConfigFile(drive.root(), qxFile).error, SaveError::CannotCreate);
        EXPECT_EQ(readAll(target / "inside"), "kept");
        EXPECT_EQ(namesIn(drive.path() / "UPDATES"), std::vector<std::string>{"qx999000.hex"});
    }
}

TEST(SaveConfigFile, NeverWritesThroughALinkedUpdatesDirectory) {
    TempDrive drive;
    const fs::path elsewhere = drive.mkdir("elsewhere");
    const fs::path device = drive.mkdir("device");
    if (!makeSymlink(elsewhere, device / "UPDATES"))
        GTEST_SKIP() << "symbolic links cannot be created here";
    EXPECT_EQ(SaveConfigFile((device / "").string(), qxFile).error, SaveError::UpdatesMissing);
    EXPECT_TRUE(namesIn(elsewhere).empty());
}

// Each step of the write fails in turn, the way a real failure leaves things; afterwards
// neither the temporary file nor anything but the complete new file may remain.
TEST(SaveConfigFile, AFailureAtAnyStepLeavesNothingPartial) {
    using Path = const fs::path&;
    const FileResult failed{FileFault::Failed, FileStep::Create, "injected"};
    auto failAt = [&](FileStep step, FileFault fault = FileFault::Failed) {
        return FileResult{fault, step, "injected"};
    };
    struct Case {
        const char* name;
        std::function<void(SaveSteps&, const TempDrive&)> inject;
        SaveError expected;
    };
    const std::string half = qxBytes.substr(0, qxBytes.size() / 2);
    const std::vector<Case> cases = {
        {"create refused",
         [&](SaveSteps& s, const TempDrive&) {
             s.writeDurably = [&](Path, std::string_view) { return failed; };
         },
         SaveError::CannotCreate},
        {"create on a write-protected device",
         [&](SaveSteps& s, const TempDrive&) {
             s.writeDurably = [&](Path, std::string_view) {
                 return failAt(FileStep::Create, FileFault::WriteProtected);
             };
         },
         SaveError::WriteProtected},
        {"write breaks off",
         [&](SaveSteps& s, const TempDrive&) {
             s.writeDurably = [&](Path p, std::string_view) {
                 WriteFileDurably(p, half);
                 return failAt(FileStep::Write);
             };
         },
         SaveError::WriteFailed},
        {"flush fails",
         [&](SaveSteps& s, const TempDrive&) {
             s.writeDurably = [&](Path p, std::string_view bytes) {
                 WriteFileDurably(p, bytes);
                 return failAt(FileStep::Flush);
             };
         },
         SaveError::WriteFailed},
        {"device gone while writing",
         [&](SaveSteps& s, const TempDrive&) {
             s.writeDurably = [&](Path p, std::string_view) {
                 WriteFileDurably(p, half);
                 return failAt(FileStep::Write, FileFault::DeviceGone);
             };
         },
         SaveError::DeviceGone},
        {"rename fails",
         [&](SaveSteps& s, const TempDrive&) {
             s.replace = [&](Path, Path) { return failAt(FileStep::Rename); };
         },
         SaveError::WriteFailed},
        {"rename leaves a torn target",
         [&](SaveSteps& s, const TempDrive&) {
             s.replace = [&](Path from, Path to) {
                 fs::remove(to);
                 WriteFileDurably(to, half);
                 fs::remove(from);
                 return FileResult{};
             };
         },
         SaveError::ReadBackMismatch},
        {"directory flush fails",
         [&](SaveSteps& s, const TempDrive&) {
             s.flushDirectory = [&](Path) { return failAt(FileStep::FlushDirectory); };
         },
         SaveError::WriteFailed},
        {"read back differs",
         [&](SaveSteps& s, const TempDrive&) {
             s.readBack = [&](Path) { return std::optional<std::string>(half); };
         },
         SaveError::ReadBackMismatch},
        {"read back impossible",
         [&](SaveSteps& s, const TempDrive&) {
             s.readBack = [&](Path) { return std::optional<std::string>(); };
         },
         SaveError::ReadBackMismatch},
        {"drive vanishes during the flush",
         [&](SaveSteps& s, const TempDrive& d) {
             s.writeDurably = [&](Path, std::string_view) {
                 fs::remove_all(d.path() / "UPDATES");
                 fs::remove_all(d.path());
                 return failAt(FileStep::Flush);
             };
         },
         SaveError::DeviceGone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDrive drive;
        const fs::path updates = drive.mkdir("UPDATES");
        drive.write("UPDATES/digivers.ion", "QX000054");
        drive.write("UPDATES/QX999000.HEX", "an older configuration");
        SaveSteps steps;
        c.inject(steps, drive);
        const SaveResult result = SaveConfigFile(drive.root(), qxFile, steps);
        EXPECT_EQ(result.error, c.expected);
        if (!fs::exists(updates))
            continue;
        for (const std::string& name : namesIn(updates)) {
            EXPECT_NE(name, "QX999000.tmp") << "temporary file left";
            if (name == "QX999000.HEX") {
                EXPECT_EQ(readAll(updates / name), qxBytes) << "only the whole new file may stay";
            }
        }
        EXPECT_EQ(readAll(updates / "digivers.ion"), "QX000054");
    }
}

} // namespace
} // namespace velmaron
