// Ctrl+C while a configuration file is being written: a real SIGINT arrives in the middle of
// the write, and the save leaves nothing on the device, neither the temporary file nor the
// target.

#include "cli/console.h"
#include "config/config_file.h"
#include "support/sim_drives.h"

#include <csignal>
#include <gtest/gtest.h>

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

} // namespace
} // namespace velmaron::cli
