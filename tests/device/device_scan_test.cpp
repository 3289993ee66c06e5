// The poll's scan and the configure command's search, on simulated and on failing drives (the
// marker's case, kind and links: DeviceFilesTest, through HasDeviceDirectory).

#include "device/device_scan.h"
#include "support/sim_drives.h"

#include <gtest/gtest.h>
#include <map>
#include <stdexcept>

namespace velmaron {
namespace {

using testing::SimDrives;

std::string line(const std::string& root, const std::string& label) {
    return root + '\t' + label + '\t' + "Removable drive";
}

TEST(ScanForDevices, CountsRemovableDrivesWithTheMarker) {
    // A drive: its letter, '*' for the marker, its properties; a line: letter and label.
    struct Case {
        const char* name;
        std::vector<std::string> drives;
        int count;
        std::optional<int> index, firstIndex; // of the scan, of the configure search
        std::vector<std::string> lines;
        std::size_t firstLines; // lines of the configure search
    };
    // nine characters and three blanks
    const std::string noName = "(No name)   ";
    const Case cases[] = {
        {"no drives", {}, 0, {}, {}, {}, 0},
        {"not removable", {"C*type=fixed", "D*type=cdrom", "N*type=remote"}, 0, {}, {}, {}, 0},
        {"stick without marker", {"C type=fixed", "E label=S", "F*"}, 1, 2, 2, {"ES", "F"}, 2},
        // the scan takes the later device, the configure search the earlier
        {"two devices", {"E*label=ONE", "G*label=TWO"}, 2, 1, 0, {"EONE", "GTWO"}, 1},
        {"card reader without medium", {"R ready=no"}, 0, {}, {}, {"R" + noName}, 1},
        {"device at A", {"A*", "C type=fixed"}, 1, 0, 0, {"A"}, 1},
        // without a medium nothing on the drive can be read, its marker neither
        {"marker on an unreadable volume", {"E*ready=no"}, 0, {}, {}, {"E" + noName}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimDrives sim;
        std::vector<std::string> roots, lines;
        std::map<char, std::string> rootOf;
        for (const std::string& drive : c.drives) {
            const std::string properties = drive.size() > 2 ? drive.substr(2) : "";
            drive[1] == '*' ? sim.addDevice(drive[0], properties)
                            : sim.addDrive(drive[0], properties);
            rootOf[drive[0]] =
                properties == "ready=no" ? sim.noMediumRoot(drive[0]) : sim.root(drive[0]);
            roots.push_back(rootOf[drive[0]]);
        }
        for (const std::string& shown : c.lines)
            lines.push_back(line(rootOf[shown[0]], shown.substr(1)));

        const auto scan = ScanForDevices(sim.services());
        EXPECT_EQ(scan.driveList, roots);
        EXPECT_EQ(scan.deviceCount, c.count);
        EXPECT_EQ(scan.driveIndex, c.index);
        EXPECT_EQ(scan.listLines, lines);

        const auto first = FindFirstDevice(sim.services());
        EXPECT_EQ(first.driveList, roots);
        EXPECT_EQ(first.driveIndex, c.firstIndex);
        EXPECT_EQ(first.deviceCount, c.firstIndex ? 1 : 0);
        lines.resize(c.firstLines);
        EXPECT_EQ(first.listLines, lines);
    }
}

struct FailingDrives : DriveServices {
    explicit FailingDrives(std::optional<std::vector<std::string>> drives)
        : list(std::move(drives)) {}
    std::vector<std::string> GetDriveList() override {
        return list ? *list : throw std::runtime_error("no list");
    }
    DriveKind DriveType(const std::string& root) override {
        if (root.starts_with("bad-type"))
            throw std::runtime_error("no type");
        return root.starts_with("odd-type") ? static_cast<DriveKind>(99) : DriveKind::Removable;
    }
    std::optional<std::string> VolumeName(const std::string& root) override {
        return root.starts_with("bad-label") ? throw std::runtime_error("no label") : "L";
    }
    std::optional<std::vector<std::string>> list;
};

TEST(ScanForDevices, FailingStepsSkipTheDriveAndNeverThrow) {
    SimDrives sim;
    sim.addDevice('E');
    const std::string root = sim.root('E');
    FailingDrives drives(std::vector<std::string>{"bad-type", "bad-label", "odd-type", root});
    const auto scan = ScanForDevices(drives);
    EXPECT_EQ(scan.driveList.size(), 4u);
    EXPECT_EQ(scan.deviceCount, 1);
    EXPECT_EQ(scan.driveIndex, 3);
    EXPECT_EQ(scan.listLines, std::vector<std::string>{line(root, "L")});

    FailingDrives noList(std::nullopt);
    const auto empty = ScanForDevices(noList);
    EXPECT_TRUE(empty.driveList.empty() && empty.deviceCount == 0);
}

} // namespace
} // namespace velmaron
