#include "device/durable_save.h"
#include "support/save_faults.h"
#include "support/sim_drives.h"

#include <gtest/gtest.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::failAt, testing::namesIn, testing::readAll, testing::TempDrive;
using Names = std::vector<std::string>;

const std::string qxBytes = ":103A00003F5158303030303037484558FFFFFFFFC6\r\n"
                            ":023A100001FFB4\r\n"
                            ":00000001FF\r\n";

SaveResult save(const std::string& driveRoot, const SaveSteps& steps = {}) {
    return SaveUpdateFile(driveRoot, "QX999000.HEX", qxBytes, steps);
}

// Into UPDATES in any case, over an older file in any case or a left temporary file, alone.
TEST(SaveConfigFile, WritesTheFileIntoUpdatesInAnyCase) {
    const struct {
        const char* updatesName;
        const char* existing;
    } cases[] = {
        {"UPDATES", nullptr}, {"updates", "QX999000.HEX"},
        {"Updates", "qx999000.hex"}, {"UPDATES", "QX999000.tmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.updatesName) + " " + (c.existing ? c.existing : ""));
        TempDrive drive;
        const fs::path updates = drive.mkdir(c.updatesName);
        drive.write(fs::path(c.updatesName) / "digivers.ion", "QX000054");
        if (c.existing)
            drive.write(fs::path(c.updatesName) / c.existing, "older" + std::string(200, 'x'));
        const SaveResult result = save(drive.root());
        ASSERT_TRUE(result.ok()) << result.detail;
        const auto names = namesIn(updates);
        ASSERT_EQ(names.size(), 2u) << "no second file beside it";
        const std::string& written = names[names[0] == "digivers.ion" ? 1 : 0];
        EXPECT_TRUE(written == "QX999000.HEX" || written == "qx999000.hex") << written;
        EXPECT_EQ(readAll(updates / written), qxBytes);
        EXPECT_EQ(namesIn(drive.path()), Names{c.updatesName});
    }
}

TEST(SaveConfigFile, RefusesWhereTheFileCannotGo) {
    {
        TempDrive drive;
        EXPECT_EQ(save(drive.root()).error, SaveError::UpdatesMissing);
        EXPECT_TRUE(namesIn(drive.path()).empty()) << "UPDATES is never created";
        drive.write("UPDATES", "a file, not a directory");
        EXPECT_EQ(save(drive.root()).error, SaveError::UpdatesMissing);
        const std::string gone = (drive.path() / "unplugged" / "").string();
        EXPECT_EQ(save(gone).error, SaveError::DeviceGone);
        EXPECT_FALSE(fs::exists(drive.path() / "unplugged"));
    }
    // Never through a link: LinkRace.NothingOutsideTheDriveIsCreatedOrDeleted.
    TempDrive drive;
    const fs::path target = drive.mkdir("UPDATES/qx999000.hex");
    drive.write("UPDATES/qx999000.hex/inside", "kept");
    EXPECT_EQ(save(drive.root()).error, SaveError::CannotCreate);
    EXPECT_EQ(readAll(target / "inside"), "kept");
    EXPECT_EQ(namesIn(drive.path() / "UPDATES"), Names{"qx999000.hex"});
}

using Dir = const DeviceDirectory&;
using Name = const std::string&;

// Each step fails in turn; neither the temporary file nor the target may stay, not even a
// complete one: the user is told that nothing was saved.
TEST(SaveConfigFile, AFailureAtAnyStepLeavesNothingBehind) {
    using enum FileStep;
    using F = FileFault;
    using E = SaveError;
    const std::string half = qxBytes.substr(0, qxBytes.size() / 2);
    fs::path drivePath; // the drive of the case being run
    SaveSteps torn, differs, unreadable, vanishes, pulledAfterRename;
    torn.replace = [&](Dir dir, Name from, Name to) {
        dir.Remove(to);
        WriteFileDurably(dir, to, half);
        dir.Remove(from);
        return FileResult{};
    };
    differs.readBack = [&](Dir, Name) { return ReadResult{ReadStatus::Ok, half}; };
    unreadable.readBack = [](Dir, Name) { return ReadResult{ReadStatus::Failed, {}}; };
    // Where the system holds the open directory in place, the drive's folder stays in part.
    std::error_code held;
    vanishes.writeDurably = [&](Dir, Name, std::string_view) {
        fs::remove_all(drivePath, held);
        return FileResult{F::DeviceGone, Flush, "injected"};
    };
    // The complete file is in place; the device is pulled before it is read back.
    pulledAfterRename.readBack = [&](Dir, Name) {
        fs::rename(drivePath, drivePath.string() + "-pulled", held);
        return ReadResult{ReadStatus::Failed, {}};
    };
    const struct {
        const char* name;
        SaveSteps steps;
        SaveError expected;
    } cases[] = {
        {"create refused", failAt(Create, F::Failed), E::CannotCreate},
        {"create on a write-protected device", failAt(Create, F::WriteProtected),
         E::WriteProtected},
        {"write breaks off", failAt(Write, F::Failed, half), E::WriteFailed},
        {"flush fails", failAt(Flush, F::Failed, qxBytes), E::WriteFailed},
        {"device gone while writing", failAt(Write, F::DeviceGone, half), E::PulledWhileSaving},
        {"rename fails", failAt(Rename, F::Failed), E::WriteFailed},
        {"rename leaves a torn target", torn, E::ReadBackMismatch},
        {"directory flush fails", failAt(FlushDirectory, F::Failed), E::WriteFailed},
        {"read back differs", differs, E::ReadBackMismatch},
        {"read back impossible", unreadable, E::ReadBackMismatch},
        {"drive vanishes during the flush", vanishes, E::PulledWhileSaving},
        {"pulled after the rename", pulledAfterRename, E::PulledWhileSaving},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDrive drive;
        drivePath = drive.path();
        const fs::path updates = drive.mkdir("UPDATES");
        drive.write("UPDATES/digivers.ion", "QX000054");
        drive.write("UPDATES/QX999000.HEX", "an older configuration");
        EXPECT_EQ(save(drive.root(), c.steps).error, c.expected);
        for (const std::string& name : namesIn(updates))
            EXPECT_EQ(name, "digivers.ion");
        fs::remove_all(drivePath.string() + "-pulled", held);
    }
}

} // namespace
} // namespace velmaron
