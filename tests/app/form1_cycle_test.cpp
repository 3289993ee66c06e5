// The whole cycle through the real window on simulated drives.

#include "app_fixture.h"
#include "support/hex_check.h"
#include "support/save_faults.h"

#include <functional>

namespace velmaron::test {
namespace {

using CycleTest = WindowTest;

// QX 54 with TREP 02 03 05, card date, Velmaron Plus and Europa/VDO (byte 37), 4 Hz and
// VDO-specific data, 92 days and the range 2023-01-01 to 2023-02-01 switched on.
const std::string Qx54 =
    qx(54, {{12, {0, 0x4A, 0x79, 0}},
            {16, {1, 2, 3, 5, 0xFF, 0xFF}},
            {32, {0x37}},
            {33, {0x01, 0x11, 0xFF, 0x01, 0x12, 0x13, 0x14, 0x15, 0x16, 0xFF, 0xFF}},
            {72, {'U', 0x63, 0xB0, 0xCD, 0x00, 0x63, 0xD9, 0xAB, 0x80}}});

const char* const Qx54Config = ":103A0000375158303030303037484558004A790007\r\n"
                               ":053A100001020305FFA7\r\n"
                               ":0B3A20000111FF011213141516FFFF27\r\n"
                               ":093A470063B0CD0063D9AB8055DA\r\n"
                               ":00000001FF\r\n";

enum Action { Tick, Plug, Pull, Configure };

// What the user sees, the arrow (nullptr: out of sight), whether the file is on the device.
const std::tuple<const char*, Action, const char*, const char*, bool> CompleteRun[] = {
    {"no device", Tick, "0 0 off Gerät per USB verbinden | normal", nullptr, false},
    {"plugged in", Plug, "1 0 on Konfiguration gelesen | normal", nullptr, false},
    {"ready", Tick, "1 1 on Konfiguration gelesen | normal", nullptr, false},
    {"pulled while ready", Pull, "0 1 off Konfiguration gelesen | normal", nullptr, false},
    {"back in", Plug, "1 0 on Konfiguration gelesen | normal", nullptr, false},
    {"configured", Configure, "2 0 off  | USB Kabel trennen", "blank", true},
    {"waiting for the pull", Tick, "2 2 off  | USB Kabel trennen", "out@32", true},
    {"still waiting", Tick, "2 2 off  | USB Kabel trennen", "out@0", true},
    {"cable pulled", Pull, "3 2 off  | USB Kabel verbinden", "in@32", true},
    {"waiting for the plug", Tick, "3 3 off  | USB Kabel verbinden", "in@0", true},
    {"plugged in again", Plug, "4 3 off Erfolgreich Gespeichert! | normal", "blank", false},
    {"saved", Tick, "4 4 off Erfolgreich Gespeichert! | normal", "hidden", false},
    {"pulled again", Pull, "0 4 off Erfolgreich Gespeichert! | normal", "hidden", false},
    {"waiting again", Tick, "0 0 off Gerät per USB verbinden | normal", nullptr, false},
};

TEST_F(CycleTest, CompleteRunTwiceWithoutRestart) {
    plugIn('E', Qx54);
    pull('E');
    for (int run = 1; run <= 2; ++run) {
        for (const auto& [name, action, user, arrow, configFile] : CompleteRun) {
            SCOPED_TRACE(std::string("run ") + std::to_string(run) + ": " + name);
            if (action == Plug)
                replug('E');
            if (action == Pull)
                pull('E');
            timerStarted = false;
            action == Configure ? configure() : tick();
            EXPECT_EQ(timerStarted, action == Configure);
            EXPECT_EQ(seen(), user);
            if (arrow) {
                EXPECT_EQ(arrowShown(), arrow);
            }
            // While pulled the drive's folder is away.
            if (fs::exists(drive('E'))) {
                EXPECT_EQ(testing::readAll(updates() / "QX999000.HEX"),
                          configFile ? Qx54Config : "");
            }
        }
    }
    EXPECT_TRUE(messages.isEmpty());
}

// Removed: asked for a device, while the window stays tall with the last instruction.
TEST_F(CycleTest, Version22IsNotSuitableAndAlternates) {
    plugIn('E', qx(22));
    for (int i = 0; i < 5; ++i) {
        tick();
        const std::string states = i % 2 ? "0 5" : "5 0";
        EXPECT_EQ(seen(), states + " off Nicht geeignet | USB Kable trennen");
        EXPECT_EQ(arrowShown(), i % 4 < 2 ? "out@32" : "out@0");
    }
    pull('E');
    tick();
    tick();
    EXPECT_EQ(seen(), "0 0 off Gerät per USB verbinden | USB Kable trennen");
}

// Without a device nothing is written; of two the first, its stale hex files gone first.
TEST_F(CycleTest, ConfigureTakesTheFirstDevice) {
    sim.addDrive('D');
    const std::string removable = "\t\tRemovable drive";
    configure();
    EXPECT_EQ(form->WorkflowState(), 0);
    EXPECT_FALSE(form->cmdConfigure->isEnabled());
    EXPECT_EQ(listLines(form->List1), std::vector<std::string>{sim.root('D') + removable});

    plugIn('E', Qx54);
    for (const char* name : {"QX999000.HEX", "old.hex", "CR999000.Hex", "notes.txt"})
        testing::writeFile(updates() / name, "stale");
    tick();
    plugIn('G', Qx54);
    testing::writeFile(updates('G') / "old.hex", "keep");
    tick();
    ASSERT_EQ(form->WorkflowState(), 1);
    configure();
    EXPECT_EQ(testing::readAll(updates() / "QX999000.HEX"), Qx54Config);
    EXPECT_EQ(testing::namesIn(updates()),
              (std::vector<std::string>{"QX999000.HEX", "digivers.ion", "notes.txt"}));
    EXPECT_EQ(testing::namesIn(updates('G')),
              (std::vector<std::string>{"digivers.ion", "old.hex"}));
    EXPECT_EQ(listLines(form->List1),
              (std::vector<std::string>{sim.root('D') + removable, sim.root('E') + removable,
                                        "Velmaron found", "Konfigurationsdatei erstellt"}));
}

// A configuration not saved is reported, starts no reconnect, is never announced later and
// leaves no file; one that cannot be built leaves the device as it was.
TEST_F(CycleTest, WriterFailuresAreReportedAndStartNoRun) {
    using Dir = const DeviceDirectory&;
    const auto failing = [this](FileStep step, FileFault fault, std::optional<std::string> left) {
        return [=, this] { form->saveSteps = testing::failAt(step, fault, left); };
    };
    const auto pulledAfter = [this](FileStep step) {
        return [this, step](Dir) {
            pull('E');
            return FileResult{FileFault::DeviceGone, step, "gone"};
        };
    };
    const QString notSaved = "Konfiguration konnte nicht gespeichert werden.\r\n";
    const QString pulled = "Das Speichern wurde unterbrochen.\r\nDer Velmaron wurde beim "
                           "Speichern getrennt und muss erneut konfiguriert werden.";
    const struct {
        const char* name;
        std::function<void()> arrange;
        QString message;
        bool built; // false: nothing on the device may change
    } cases[] = {
        {"days beyond 32 bits", [this] { form->tbDays->setText("99999"); },
         notSaved + "Die Anzahl der Tage ist zu groß.", false},
        {"range ends before it starts",
         [this] { form->DTPickerEnd->setDate(form->DTPickerStart->date().addDays(-1)); },
         notSaved + "Das Enddatum liegt vor dem Startdatum.", false},
        {"unknown device type", [this] { plugIn('E', versionFile("AB000054HEX", 80)); },
         "Unknown Velmaron type", false},
        {"write-protected", failing(FileStep::Create, FileFault::WriteProtected, {}),
         notSaved + "Der Velmaron ist schreibgeschützt.", true},
        {"partly written", failing(FileStep::Write, FileFault::Failed, ":103A0000"),
         notSaved + "Die Datei konnte nicht vollständig geschrieben werden.", true},
        {"pulled after the rename",
         [&] { form->saveSteps.flushDirectory = pulledAfter(FileStep::FlushDirectory); }, pulled,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(drive('E'));
        newWindow();
        messages.clear();
        plugIn('E', Qx54);
        testing::writeFile(updates() / "old.hex", "pending");
        tick();
        ASSERT_EQ(form->WorkflowState(), 1);
        form->Check11->setValue(1);
        c.arrange();
        const auto before = testing::namesIn(updates());
        configure();
        EXPECT_EQ(messages, QStringList(c.message));
        EXPECT_EQ(seen(), "1 0 on Velmaron gefunden | normal");
        EXPECT_FALSE(timerStarted);
        if (!fs::exists(drive('E')))
            replug('E');
        std::vector<std::string> names = testing::namesIn(updates());
        // A device pulled while saving may keep the whole file, never a part of one.
        if (c.message == pulled && std::erase(names, "QX999000.HEX") > 0) {
            EXPECT_TRUE(
                testing::IsValidConfigHex(testing::readAll(updates() / "QX999000.HEX"), false));
        }
        EXPECT_EQ(names, c.built ? std::vector<std::string>{"digivers.ion"} : before);
        for (const char step : {'-', '+', '='}) {
            if (step != '=')
                step == '-' ? pull('E') : replug('E');
            tick();
            EXPECT_NE(form->lblMessage->text(), "Erfolgreich Gespeichert!");
        }
    }
}

// Ticks due while a message box runs the event loop must not run inside its handler.
TEST_F(CycleTest, TicksDueWhileAnotherHandlerRunsAreSkipped) {
    bool inBox = false;
    int nestedTicks = 0;
    MessageBoxes::setHook([&](const QString& message) {
        messages << message;
        if (inBox)
            return;
        inBox = true;
        form->lblState->setText(QStringLiteral("-"));
        form->Timer1->start(5);
        QTest::qWait(50);
        form->Timer1->stop();
        nestedTicks += form->lblState->text() != "-";
        inBox = false;
    });
    plugIn('E', Qx54);
    fs::remove(versionPath()); // a tick that finds no version file
    tick();
    EXPECT_EQ(messages.size(), 1);
    plugIn('E', Qx54);
    tick(); // 5 to 0
    tick(); // read: a QX
    fs::remove_all(updates()); // the configure command failing to write
    configure();
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(nestedTicks, 0);
    EXPECT_EQ(form->handlersRunning, 0);
}

} // namespace
} // namespace velmaron::test
