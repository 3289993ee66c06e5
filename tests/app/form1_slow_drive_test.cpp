// A drive that does not answer: the window keeps taking events; the poll waits alone,
// names the drive after two seconds; a hanging save ends as usual. No drive call on its thread.

#include "app_fixture.h"
#include "support/gate.h"

#include <QApplication>
#include <thread>

namespace velmaron::test {
namespace {

using testing::Gate, testing::GatedDrives;

class SlowDriveTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form->setDriveServices(
            std::make_unique<GatedDrives>(MakeSimulatedDriveServices(sim.folder().string()), gate));
    }
    void TearDown() override {
        gate->open();
        saveGate->open();
        WindowTest::TearDown();
    }

    static bool holdsACall(Gate& gate) {
        return QTest::qWaitFor([&gate] { return gate.waiting() > 0; }, 5000);
    }
    // A timer's event comes.
    static bool eventsFlow() {
        bool fired = false;
        QTimer::singleShot(10, [&fired] { fired = true; });
        return QTest::qWaitFor([&fired] { return fired; }, 2000);
    }

    std::shared_ptr<Gate> gate = std::make_shared<Gate>();     // the drives
    std::shared_ptr<Gate> saveGate = std::make_shared<Gate>(); // the steps of the save
};

const std::string Qx54 = qx(54);

template <class Step> Step gated(std::shared_ptr<Gate> gate, Step step) {
    return [gate, step](const auto&... arguments) {
        gate->pass();
        return step(arguments...);
    };
}

TEST_F(SlowDriveTest, APollWaitsAloneAndNamesTheDriveAfterTwoSeconds) {
    sim.addDrive('D');
    plugIn('E', Qx54);
    gate->shut();
    form->Timer1_Timer();
    ASSERT_TRUE(holdsACall(*gate));
    EXPECT_TRUE(eventsFlow());
    const std::string drive = sim.root('D');
    for (int poll = 0; poll < 4; ++poll) { // 500 ms apart
        form->Timer1_Timer(); // no second poll while the first one waits
        const bool named = !listLines(form->List1).empty() &&
                           listLines(form->List1).back() == drive + "\tnot responding";
        EXPECT_EQ(named, poll >= 3) << poll; // after two seconds
    }
    gate->open();
    settle();
    EXPECT_EQ(gate->mostAtOnce(), 1);
    EXPECT_FALSE(gate->calledOn(std::this_thread::get_id()));
    EXPECT_EQ(seen(), "1 0 on Konfiguration gelesen | normal");
    for (const std::string& line : listLines(form->List1))
        EXPECT_EQ(line.find("not responding"), std::string::npos) << line;
}

// A save that hangs: the button off, the status line says so meanwhile, then the run as usual;
// every step of it behind the gate, none on the window's thread.
TEST_F(SlowDriveTest, ASaveThatHangsEndsAsUsual) {
    plugIn('E', Qx54);
    WindowTest::tick();
    ASSERT_EQ(seen(), "1 0 on Konfiguration gelesen | normal");
    SaveSteps& s = form->saveSteps;
    s.writeDurably = gated(saveGate, s.writeDurably);
    s.replace = gated(saveGate, s.replace);
    s.flushDirectory = gated(saveGate, s.flushDirectory);
    s.readBack = gated(saveGate, s.readBack);
    saveGate->shut();
    form->cmdConfigure_Click();
    ASSERT_TRUE(holdsACall(*saveGate));
    EXPECT_TRUE(eventsFlow());
    EXPECT_EQ(seen(), "1 0 off Konfiguration wird gespeichert … | normal");
    form->Timer1_Timer(); // no poll while the command runs
    saveGate->open();
    settle();
    form->Timer1->stop();
    EXPECT_EQ(seen(), "2 1 off  | USB Kabel trennen"); // lblState: the tick during the save showed 1
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(saveGate->calledOn(std::this_thread::get_id()));
}

} // namespace
} // namespace velmaron::test
