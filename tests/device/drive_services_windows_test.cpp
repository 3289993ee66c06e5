// The Windows drive services on the drives scripts/test-windows sets up under wine, named in
// VELMARON_WINE_DRIVES (root|Windows type code|label;...) and VELMARON_WINE_VANISHED (a drive
// that is gone). Without them the tests are skipped.

#include "device/drive_services.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace velmaron {
namespace {

struct ExpectedDrive {
    std::string root;
    DriveKind type = DriveKind::Unknown;
    std::string label;
};

constexpr DriveKind KindOfCode[] = {DriveKind::Unknown, DriveKind::NoRootDir, DriveKind::Removable,
                                    DriveKind::Fixed,   DriveKind::Remote,    DriveKind::Cdrom,
                                    DriveKind::RamDisk};

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
            const auto code = static_cast<std::size_t>(std::stoi(entry.substr(type + 1)));
            ASSERT_LT(code, std::size(KindOfCode)) << entry;
            expected_.push_back({entry.substr(0, type), KindOfCode[code], entry.substr(label + 1)});
        }
        vanished_ = environment("VELMARON_WINE_VANISHED");
        services_ = MakeDriveServices();
    }

    std::vector<ExpectedDrive> expected_;
    std::string vanished_;
    std::unique_ptr<DriveServices> services_;
};

// "X:\" roots in letter order, short forms naming the same volume; a vanished drive none.
TEST_F(WindowsDrives, ListTypesAndLabels) {
    const auto roots = services_->GetDriveList();
    ASSERT_FALSE(roots.empty());
    EXPECT_TRUE(std::ranges::is_sorted(roots));
    for (const auto& root : roots)
        EXPECT_EQ(root.substr(1), ":\\") << root;
    EXPECT_EQ(std::ranges::find(roots, vanished_), roots.end());
    for (const auto& drive : expected_) {
        SCOPED_TRACE(drive.root);
        EXPECT_NE(std::ranges::find(roots, drive.root), roots.end());
        EXPECT_EQ(services_->DriveType(drive.root), drive.type);
        for (const std::string& root :
             {drive.root, drive.root.substr(0, 1), drive.root.substr(0, 2)}) {
            EXPECT_EQ(services_->VolumeName(root), drive.label) << root;
        }
    }
    EXPECT_EQ(services_->VolumeName(vanished_), std::nullopt);
    EXPECT_EQ(services_->DriveType(vanished_), DriveKind::NoRootDir);
}

} // namespace
} // namespace velmaron
