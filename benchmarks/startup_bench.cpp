// Start-up: from the spawn of the process to the first paint of its window, for the real
// window and for a minimal Qt window in the same run, and for the real window with a device
// plugged in also the time from the first paint to the paint that shows the device's settings.
// The window probe runs on the platform QT_QPA_PLATFORM names (a virtual X display under
// xvfb-run, or offscreen).

#include "spawn.h"

#include <benchmark/benchmark.h>
#include <ctime>
#include <sstream>

namespace velmaron::bench {
namespace {

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

void startUp(benchmark::State& state, const char* scenario) {
    double settingsMs = 0;
    for (auto _ : state) {
        const long long spawned = monotonicNs();
        const auto output = spawnAndRead({VELMARON_WINDOW_PROBE, "startup", scenario});
        long long firstPaint = 0;
        long long shown = 0;
        if (!output || !(std::istringstream(*output) >> firstPaint >> shown)) {
            state.SkipWithError("the window probe failed");
            break;
        }
        state.SetIterationTime(static_cast<double>(firstPaint - spawned) / 1e9);
        settingsMs += static_cast<double>(shown - firstPaint) / 1e6;
    }
    // For the device: from the first paint to the paint that shows its settings.
    state.counters["to_settings_ms"] =
        benchmark::Counter(settingsMs, benchmark::Counter::kAvgIterations);
}

// Wall-clock time of the child, taken by hand; a few runs per repetition, the median counts.
void settings(benchmark::internal::Benchmark* benchmark) {
    benchmark->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

BENCHMARK_CAPTURE(startUp, minimalWindow, "bare")->Apply(settings);
BENCHMARK_CAPTURE(startUp, window, "none")->Apply(settings);
BENCHMARK_CAPTURE(startUp, windowWithDevice, "ready")->Apply(settings);

} // namespace
} // namespace velmaron::bench

BENCHMARK_MAIN();
