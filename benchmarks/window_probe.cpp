// The real window, or a minimal Qt window beside it, run in a chosen state and measured from
// outside: under callgrind for the instructions of idle ticks and of start-up, and by
// startup_bench for the time from process start to the first paint and to the settings shown.
//
//   window_probe tick <scenario> [ticks]   idle ticks; callgrind collects only around them
//   window_probe startup <scenario>        prints CLOCK_MONOTONIC (ns) at the first paint
//                                          and, with a device, at the first paint that
//                                          shows its settings; then ends at once
//
// Scenarios: bare (a minimal window: one label and a 500 ms QTimer that does nothing), none (no
// simulated drive), ready (one QX device, read once), cr (one CR device, read on every
// tick), sim26 (26 simulated drives), native (the machine's own drives).

#include "app/form1.h"
#include "app/message_boxes.h"
#include "every_letter.h"
#include "support/version_files.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <valgrind/callgrind.h>

namespace velmaron {
namespace {

// The drives a scenario runs on; none for the machine's own.
std::unique_ptr<testing::SimDrives> drivesFor(const std::string& scenario) {
    if (scenario == "native" || scenario == "bare")
        return nullptr;
    auto sim = std::make_unique<testing::SimDrives>();
    if (scenario == "ready" || scenario == "cr") {
        sim->addDevice('E');
        sim->write("E/UPDATES/digivers.ion", testing::versionFile(testing::header(scenario == "cr" ? "CR" : "QX", 54), 80));
    } else if (scenario == "sim26") {
        bench::takeEveryLetter(*sim);
    }
    return sim;
}

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// Watches the paints of every widget: the first one, and the first once `shown` holds.
class PaintWatch : public QObject {
public:
    // atExit: what must not outlive the probe (the simulated drives' folder), done before the
    // process ends without tearing the window down.
    PaintWatch(std::function<bool()> shown, std::function<void()> atExit)
        : shown_(std::move(shown)), atExit_(std::move(atExit)) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && object->isWidgetType()) {
            if (firstPaint_ == 0)
                firstPaint_ = monotonicNs();
            if (!shown_ || shown_()) {
                std::printf("%lld %lld\n", firstPaint_, monotonicNs());
                std::fflush(stdout);
                atExit_();
                std::_Exit(0);
            }
        }
        return false;
    }

private:
    std::function<bool()> shown_;
    std::function<void()> atExit_;
    long long firstPaint_ = 0;
};

int run(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const std::string scenario = argc > 2 ? argv[2] : "";
    const int ticks = argc > 3 ? std::atoi(argv[3]) : 10;
    const bool known = scenario == "bare" || scenario == "none" || scenario == "ready" ||
                       scenario == "cr" || scenario == "sim26" || scenario == "native";
    if ((mode != "tick" && mode != "startup") || !known || ticks < 1) {
        std::fprintf(stderr, "usage: window_probe tick|startup "
                             "bare|none|ready|cr|sim26|native [ticks]\n");
        return 2;
    }
    auto sim = drivesFor(scenario);
    // The window takes the simulated drives from the environment, as the demonstration does.
    if (sim)
        qputenv("VELMARON_SIM_DRIVES", sim->folder().string().c_str());
    else
        qunsetenv("VELMARON_SIM_DRIVES");

    QApplication application(argc, argv);
    // A state that needs the user is not an idle one.
    MessageBoxes::setHook([](const QString& text) {
        std::fprintf(stderr, "window_probe: message box: %s\n", qPrintable(text));
        std::_Exit(3);
    });
    std::unique_ptr<QWidget> window;
    QTimer* timer = nullptr;
    std::function<bool()> settingsShown;
    if (scenario == "bare") {
        // Any window that shows text pays for the font set-up; so does this one.
        window = std::make_unique<QWidget>();
        window->resize(313, 492);
        new QLabel(QStringLiteral("Velmaron Configuration"), window.get());
        timer = new QTimer(window.get());
        timer->setInterval(500);
        QObject::connect(timer, &QTimer::timeout, [] {});
        timer->start();
    } else {
        auto form = std::make_unique<Form1>();
        timer = form->Timer1;
        if (scenario == "ready" || scenario == "cr") {
            Form1* shown = form.get();
            settingsShown = [shown] {
                return shown->lblMessage->text() == QStringLiteral("Konfiguration gelesen");
            };
        }
        window = std::move(form);
    }

    PaintWatch watch(settingsShown, [&sim] { sim.reset(); });
    if (mode == "startup")
        application.installEventFilter(&watch);

    // Ends at the end of the last tick after four to warm up. With VELMARON_PROBE_COLLECT set,
    // the window's thread is counted from the end of the fourth tick to the end of the last
    // one, so that everything a tick causes later (layouts, paints) is counted once per tick;
    // callgrind's switch counts that thread alone. The other threads, the device worker's
    // among them, are told by the difference between two runs of different lengths
    // (benchmarks/count-instructions).
    constexpr int WarmUpTicks = 4;
    const bool collect = qEnvironmentVariableIsSet("VELMARON_PROBE_COLLECT");
    int seen = 0;
    QObject::connect(timer, &QTimer::timeout, [&] {
        ++seen;
        if (collect && (seen == WarmUpTicks || seen == WarmUpTicks + ticks))
            CALLGRIND_TOGGLE_COLLECT;
        if (seen == WarmUpTicks + ticks)
            application.quit();
    });
    window->show();
    return application.exec();
}

} // namespace
} // namespace velmaron

int main(int argc, char** argv) {
    return velmaron::run(argc, argv);
}
