// The Windows drive services on the drives that scripts/test-windows sets up under wine.
// The script names the drives in environment variables:
//   VELMARON_WINE_DRIVES    root|type code|label entries separated by ';'
//   VELMARON_WINE_DEVICE    the removable drive that carries the marker directory (a fixed
//                           drive carries one too and must be ignored)
//   VELMARON_WINE_VANISHED  a drive that was connected and is gone
// Without them (an ordinary Windows machine) the tests are skipped.

#include "device/device_scan.h"
#include "device/sim_drives.h"
#include "workflow/cleanup.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace velmaron {
namespace {

namespace fs = std::filesystem;

struct ExpectedDrive {
    std::string root;
    int type = 0;
    std::string label;
};

std::string environment(const char* name) {
    return std::getenv(name) == nullptr ? std::string() : std::getenv(name);
}

class WindowsDrives : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string drives = environment("VELMARON_WINE_DRIVES");
        if (drives.empty())
            GTEST_SKIP() << "VELMARON_WINE_DRIVES is not set; scripts/test-windows sets it";
        std::istringstream entries(drives);
        for (std::string entry; std::getline(entries, entry, ';');) {
            const auto type = entry.find('|'), label = entry.find('|', type + 1);
            ASSERT_NE(label, std::string::npos) << entry;
            expected_.push_back({entry.substr(0, type), std::stoi(entry.substr(type + 1)),
                                 entry.substr(label + 1)});
        }
        device_ = environment("VELMARON_WINE_DEVICE");
        vanished_ = environment("VELMARON_WINE_VANISHED");
        services_ = MakeDriveServices();
    }

    std::vector<ExpectedDrive> expected_;
    std::string device_;
    std::string vanished_;
    std::unique_ptr<DriveServices> services_;
};

// The list holds "X:\" roots in letter order, ended by two NULs; short forms of a root are
// completed; a vanished drive has no root and no name.
TEST_F(WindowsDrives, ListTypesAndLabels) {
    const std::string list = services_->GetDriveList();
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list.substr(list.size() - 2), std::string(2, '\0'));
    const auto roots = SplitDriveList(list);
    EXPECT_TRUE(std::ranges::is_sorted(roots));
    for (const auto& root : roots)
        EXPECT_EQ(root.substr(1), ":\\") << root;
    EXPECT_EQ(std::ranges::find(roots, vanished_), roots.end());
    for (const auto& drive : expected_) {
        SCOPED_TRACE(drive.root);
        EXPECT_NE(std::ranges::find(roots, drive.root), roots.end());
        EXPECT_EQ(services_->DriveType(drive.root), drive.type);
        for (std::string root : {drive.root, drive.root.substr(0, 1), drive.root.substr(0, 2)}) {
            EXPECT_EQ(services_->VolumeName(root), drive.label);
            EXPECT_EQ(root, drive.root);
        }
    }
    std::string vanished = vanished_;
    EXPECT_EQ(services_->VolumeName(vanished), kNoVolumeName);
    EXPECT_EQ(services_->DriveType(vanished), kDriveNoRootDir);
}

TEST_F(WindowsDrives, ScanFindsTheDeviceOnTheRemovableDriveOnly) {
    for (const auto& result : {ScanForDevices(*services_), FindFirstDevice(*services_)}) {
        EXPECT_EQ(result.deviceCount, 1);
        ASSERT_TRUE(result.driveIndex.has_value());
        EXPECT_EQ(result.driveList.at(static_cast<std::size_t>(*result.driveIndex)), device_);
        std::string root = device_;
        const std::string line =
            device_ + '\t' + services_->VolumeName(root) + '\t' + "Removable drive";
        EXPECT_NE(std::ranges::find(result.listLines, line), result.listLines.end());
    }
}

TEST_F(WindowsDrives, CleanUpOnTheDevice) {
    const fs::path updates = fs::path(device_) / "UPDATES";
    for (const char* name : {"QX999000.HEX", "old.hex", "digivers.ion"})
        testing::writeFile(updates / name, "x");
    RemoveStaleUpdateFiles(device_);
    EXPECT_EQ(testing::namesIn(updates), std::vector<std::string>{"digivers.ion"});

    testing::writeFile(updates / "qx999000.hex");
    testing::writeFile(updates / "CR999000.HEX");
    RemoveConfigFile(device_);
    EXPECT_EQ(testing::namesIn(updates),
              (std::vector<std::string>{"CR999000.HEX", "digivers.ion"}));
    fs::remove_all(updates);
}

} // namespace
} // namespace velmaron
