// The device scan runs every 500 ms on the user-interface thread, so one scan must cost
// little next to what a tool pays that asks lsblk for the drives instead.

#include "device/device_scan.h"
#include "support/fake_linux.h"
#include "every_letter.h"
#include "spawn.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <string>

namespace velmaron {
namespace {

namespace fs = std::filesystem;
using testing::FakeLinuxTree;

void linuxScan(benchmark::State& state) {
    const auto drives = MakePlatformDriveServices();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScanForDevices(*drives));
    }
}

enum class Machine { NoDevice, Device, DeviceAndLabels };

// The mount table of a small machine: pseudo file systems and one fixed disk holding "/".
std::string pseudoMounts() {
    std::string lines = "21 26 0:20 / /proc rw - proc proc rw\n"
                        "22 26 0:21 / /sys rw - sysfs sysfs rw\n"
                        "23 26 0:6 / /dev rw - devtmpfs devtmpfs rw\n"
                        "24 23 0:22 / /dev/shm rw - tmpfs tmpfs rw\n"
                        "25 23 0:23 / /dev/pts rw - devpts devpts rw\n"
                        "26 1 254:0 / / rw - ext4 /dev/vda rw\n"
                        "27 22 0:27 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n";
    for (int i = 0; i < 12; ++i)
        lines += "3" + std::to_string(i) + " 26 0:" + std::to_string(30 + i) + " / /run/user/" +
                 std::to_string(1000 + i) + " rw - tmpfs tmpfs rw\n";
    return lines;
}

// The same scan on fake /proc, /sys and /dev trees: no removable drive; one USB partition
// that carries the device; and that with ten more labelled volumes. With servicesOnly, only
// the drive services' part: the listing, the types and the labels, without the look for the
// marker directory on the device.
void fakeScan(benchmark::State& state, Machine machine, bool servicesOnly) {
    FakeLinuxTree tree;
    tree.addBlockDevice("254:0", "pci0/virtio1/block/vda", "0");
    std::string mounts = pseudoMounts();
    if (machine != Machine::NoDevice) {
        tree.addBlockDevice("8:17", "pci0/usb1/host6/block/sdb/sdb1", "1", true);
        tree.addLabel("VELMARON", "sdb1");
        mounts += tree.mount("8:17", "VELMARON", "VELMARON", "vfat");
        tree.mkdir("mnt/VELMARON/VELMARON/CARD");
    }
    if (machine == Machine::DeviceAndLabels) {
        for (char disk = 'c'; disk < 'c' + 10; ++disk)
            tree.addLabel(std::string("DATA_") + disk, std::string("sd") + disk + "1");
    }
    tree.writeMountInfo(mounts);
    // udev wrote the labels when the volumes appeared, not just now.
    const auto labels = tree.mkdir("dev/disk/by-label");
    fs::last_write_time(labels, fs::last_write_time(labels) - std::chrono::hours(1));
    const auto drives = tree.services();
    const int expected = machine == Machine::NoDevice ? 0 : 1;
    for (auto _ : state) {
        if (servicesOnly) {
            for (const std::string& root : drives->GetDriveList())
                if (drives->DriveType(root) == DriveKind::Removable)
                    benchmark::DoNotOptimize(drives->VolumeName(root));
            continue;
        }
        const ScanResult result = ScanForDevices(*drives);
        if (result.deviceCount != expected) {
            state.SkipWithError("the fake machine is not seen as built");
            break;
        }
        benchmark::DoNotOptimize(result);
    }
}

void simulatedScan26(benchmark::State& state) {
    testing::SimDrives sim;
    bench::takeEveryLetter(sim);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScanForDevices(sim.services()));
    }
}

// What a tool pays that starts lsblk (without a shell) and reads its answer on every poll.
void lsblkSpawn(benchmark::State& state) {
    for (auto _ : state) {
        const auto output =
            bench::spawnAndRead({"lsblk", "-J", "-o", "NAME,RM,HOTPLUG,LABEL,MOUNTPOINTS"});
        if (!output || output->empty()) {
            state.SkipWithError("lsblk failed");
            break;
        }
        benchmark::DoNotOptimize(output);
    }
}

// Wall-clock time: the spawn spends most of its time in the child process. The median over
// repetitions is the figure that counts.
void settings(benchmark::internal::Benchmark* benchmark) {
    benchmark->UseRealTime()->Repetitions(15)->ReportAggregatesOnly(true);
}

BENCHMARK(linuxScan)->Apply(settings);
BENCHMARK_CAPTURE(fakeScan, noDevice, Machine::NoDevice, false)->Apply(settings);
BENCHMARK_CAPTURE(fakeScan, device, Machine::Device, false)->Apply(settings);
BENCHMARK_CAPTURE(fakeScan, deviceAnd10Labels, Machine::DeviceAndLabels, false)->Apply(settings);
BENCHMARK_CAPTURE(fakeScan, deviceAnd10LabelsServicesOnly, Machine::DeviceAndLabels, true)
    ->Apply(settings);
BENCHMARK(simulatedScan26)->Apply(settings);
BENCHMARK(lsblkSpawn)->Apply(settings);

} // namespace
} // namespace velmaron

BENCHMARK_MAIN();
