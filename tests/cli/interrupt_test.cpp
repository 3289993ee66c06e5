// Ctrl+C in the middle of a write leaves nothing on the device; while a drive does not answer
// it ends the run, the drive services kept alive until the drive answers.

#include "cli/console.h"
#include "cli/fleet_run.h"
#include "config/config_file.h"
#include "support/gate.h"
#include "support/sim_drives.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace velmaron::cli {
namespace {

TEST(InterruptTest, SignalDuringTheWriteLeavesNothingPartial) {
    PrepareConsole();
    testing::SimDrives sim;
    sim.addDevice('E');
    const auto updates = sim.folder() / "E" / "UPDATES";
    std::filesystem::create_directories(updates);
    ConfigBuildResult built = BuildConfigFile(DeviceSettings{});
    ASSERT_TRUE(built.file);

    SaveSteps halfThenSignal;
    halfThenSignal.writeDurably = [](const DeviceDirectory& dir, const std::string& name,
                                     std::string_view bytes) {
        WriteFileDurably(dir, name, bytes.substr(0, bytes.size() / 2));
        std::raise(SIGINT); // ends the program unless the tool notes it
        return FileResult{};
    };
    const SaveResult saved =
        SaveUpdateFile(sim.root('E'), built.file->fileName, ConfigFileBytes(*built.file),
                       InterruptibleSaveSteps(halfThenSignal));
    EXPECT_TRUE(Interrupted());
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(std::filesystem::is_empty(updates));
    // Once interrupted, nothing more is written.
    EXPECT_FALSE(SaveUpdateFile(sim.root('E'), built.file->fileName,
                                ConfigFileBytes(*built.file), InterruptibleSaveSteps()).ok());
    EXPECT_TRUE(std::filesystem::is_empty(updates));
}

TEST(InterruptTest, AnOperationGivenUpOnFindsTheDriveServicesAlive) {
    PrepareConsole();
    testing::SimDrives sim;
    sim.addDevice('E');
    auto gate = std::make_shared<testing::Gate>();
    gate->shut();
    std::ostringstream out;
    std::istringstream answers;
    Context context{Language::English,
                    std::make_shared<testing::GatedDrives>(
                        MakeSimulatedDriveServices(sim.folder().string()), gate),
                    out, out};
    const std::weak_ptr<DriveServices> drives = context.drives;
    std::jthread ctrlC([&gate] {
        while (gate->waiting() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::raise(SIGINT);
    });
    FleetOptions options;
    options.count = 1;
    options.yes = true;
    EXPECT_EQ(RunFleet(context, options, answers), ExitInterrupted);
    context.drives.reset(); // as the tool's main does when the command has ended

    // The worker still waits on the drive; under AddressSanitizer a freed backend is a report.
    EXPECT_FALSE(drives.expired());
    gate->open();
    for (int i = 0; i < 500 && !drives.expired(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(drives.expired()) << "the drive services were never let go";
}

} // namespace
} // namespace velmaron::cli
