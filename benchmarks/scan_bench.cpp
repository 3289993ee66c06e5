// The device scan runs every 500 ms on the user-interface thread, so one scan must cost
// little next to what a tool pays that asks lsblk for the drives instead.

#include "device/device_scan.h"
#include "device/sim_drives.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace velmaron {
namespace {

void linuxScan(benchmark::State& state) {
    const auto drives = MakePlatformDriveServices();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScanForDevices(*drives));
    }
}

// Every letter taken: removable sticks, two of them Velmarons, and fixed, optical and
// network drives.
void simulatedScan26(benchmark::State& state) {
    testing::SimDrives sim;
    const char* types[] = {"type=removable\nlabel=STICK\n", "type=fixed\n", "type=cdrom\n",
                           "type=remote\n", ""};
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char* properties = types[(letter - 'A') % 5];
        if (letter == 'E' || letter == 'G') {
            sim.addDevice(letter, properties);
        } else {
            sim.addDrive(letter, properties);
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScanForDevices(sim.services()));
    }
}

// What a tool pays that spawns lsblk and reads its answer on every poll.
void lsblkSpawn(benchmark::State& state) {
    std::array<char, 4096> buffer{};
    for (auto _ : state) {
        std::FILE* pipe = popen("lsblk -J -o NAME,RM,HOTPLUG,LABEL,MOUNTPOINTS 2>/dev/null", "r");
        if (pipe == nullptr) {
            state.SkipWithError("lsblk cannot be started");
            break;
        }
        std::string output;
        std::size_t count = 0;
        while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
            output.append(buffer.data(), count);
        }
        if (pclose(pipe) != 0 || output.empty()) {
            state.SkipWithError("lsblk failed");
            break;
        }
        benchmark::DoNotOptimize(output);
    }
}

// Wall-clock time: the spawn spends most of its time in the child process. The median over
// repetitions is the figure that counts.
BENCHMARK(linuxScan)->UseRealTime()->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(simulatedScan26)->UseRealTime()->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(lsblkSpawn)->UseRealTime()->Repetitions(15)->ReportAggregatesOnly(true);

} // namespace
} // namespace velmaron

BENCHMARK_MAIN();
