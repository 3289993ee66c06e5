// A thread keeps swapping UPDATES for a link out of the drive while saves and clean-ups run:
// nothing outside the drive may be created or deleted.

#include "config/config_file.h"
#include "device/cleanup.h"
#include "device/durable_save.h"
#include "support/sim_drives.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::namesIn, testing::readAll;

TEST(LinkRace, NothingOutsideTheDriveIsCreatedOrDeleted) {
    constexpr int Rounds = 1000;
    testing::TempDrive temp;
    const fs::path drive = temp.mkdir("drive");
    const fs::path outside = temp.mkdir("outside");
    for (const char* name : {"QX999000.HEX", "a.hex", "b.HEX", "keep.txt"})
        temp.write(fs::path("outside") / name, "decoy");
    const auto decoys = namesIn(outside);
    const fs::path updates = temp.mkdir("drive/UPDATES");
    const fs::path real = drive / "real";
    const ConfigFile file{"QX999000.HEX", {":00000001FF"}, {}};

    std::atomic<bool> stop{false};
    std::atomic<int> swaps{0};
    // Each state lasts a few microseconds, about as long as a step of a save.
    const auto hold = [](int microseconds) {
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::microseconds(microseconds);
        while (std::chrono::steady_clock::now() < until) {
        }
    };
    std::thread swapper([&] {
        while (!stop) {
            if (::rename(updates.c_str(), real.c_str()) != 0)
                continue;
            if (::symlink(outside.c_str(), updates.c_str()) == 0) {
                ++swaps;
                hold(20);
                ::unlink(updates.c_str());
            }
            ::rename(real.c_str(), updates.c_str());
            hold(60);
        }
    });
    int saved = 0;
    // On a busy machine the swapper may leave few rounds that can save: go on until some have.
    int rounds = 0;
    for (; rounds < Rounds || (saved < 20 && rounds < 50 * Rounds); ++rounds) {
        RemoveStaleUpdateFiles(drive.string() + "/");
        saved += SaveUpdateFile(drive.string() + "/", file.fileName, ConfigFileBytes(file)).ok();
    }
    stop = true;
    swapper.join();

    ASSERT_EQ(namesIn(outside), decoys);
    for (const std::string& name : decoys)
        EXPECT_EQ(readAll(outside / name), "decoy") << name;
    EXPECT_GT(saved, 0);
    EXPECT_GT(swaps, 0);
    std::cout << rounds << " rounds, " << saved << " saves, " << swaps << " swaps\n";
}

} // namespace
} // namespace velmaron
