// The whole cycle through the real window on simulated drives: the poll timer's workflow, the
// configure command, the reconnect procedure and the arrow.

#include "app/clickable_label.h"
#include "cycle_fixture.h"
#include "device/durable_file.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace velmaron::test {
namespace {

std::string text(const QLabel* label) {
    return label->text().toStdString();
}

std::vector<std::string> listLines(const QListWidget* list) {
    std::vector<std::string> lines;
    for (int row = 0; row < list->count(); ++row)
        lines.push_back(list->item(row)->text().toStdString());
    return lines;
}

// QX 54 with TREP 02 03 05, card date, Velmaron Plus and Europa/VDO (byte 37), 4 Hz and
// VDO-specific data, 92 days and the range 2023-01-01 to 2023-02-01 switched on.
VersionFile qx54() {
    VersionFile file;
    file.trep = {0x01, 0x02, 0x03, 0x05, 0xFF, 0xFF};
    file.configByte = 0x37;
    file.extra = {0x01, 0x11, 0xFF, 0x01, 0x12, 0x13, 0x14, 0x15, 0x16, 0xFF, 0xFF};
    file.rangeStart = 1672531200;
    file.rangeEnd = 1675209600;
    return file;
}

// What the window makes of qx54() unchanged.
const char* const Qx54Config = ":103A0000375158303030303037484558004A790007\r\n"
                               ":053A100001020305FFA7\r\n"
                               ":0B3A20000111FF011213141516FFFF27\r\n"
                               ":093A470063B0CD0063D9AB8055DA\r\n"
                               ":00000001FF\r\n";

enum class Action { Tick, PlugAndTick, PullAndTick, Configure };

struct Moment {
    const char* name;
    Action action;
    int state;
    const char* lblState;
    bool tall;
    const char* message;
    const char* instruction; // looked at only in the tall layout, where it can be seen
    bool buttonEnabled;
    const char* arrow; // what the display shows, or "hidden"; nullptr: out of sight, not looked at
    bool configFile;   // UPDATES\QX999000.HEX on the device
};

// What the user sees through one complete run.
const Moment CompleteRun[] = {
    {"no device", Action::Tick, 0, "0", false, "Gerät per USB verbinden", nullptr, false, nullptr,
     false},
    {"plugged in", Action::PlugAndTick, 1, "0", false, "Konfiguration gelesen", nullptr, true,
     nullptr, false},
    {"ready", Action::Tick, 1, "1", false, "Konfiguration gelesen", nullptr, true, nullptr, false},
    {"pulled while ready", Action::PullAndTick, 0, "1", false, "Konfiguration gelesen", nullptr,
     false, nullptr, false},
    {"plugged in once more", Action::PlugAndTick, 1, "0", false, "Konfiguration gelesen", nullptr,
     true, nullptr, false},
    {"configure pressed", Action::Configure, 2, "0", true, "", "USB Kabel trennen", false, "blank",
     true},
    {"waiting for the pull", Action::Tick, 2, "2", true, "", "USB Kabel trennen", false, "out@32",
     true},
    {"still waiting", Action::Tick, 2, "2", true, "", "USB Kabel trennen", false, "out@0", true},
    {"cable pulled", Action::PullAndTick, 3, "2", true, "", "USB Kabel verbinden", false, "in@32",
     true},
    {"waiting for the plug", Action::Tick, 3, "3", true, "", "USB Kabel verbinden", false, "in@0",
     true},
    {"plugged in again", Action::PlugAndTick, 4, "3", false, "Erfolgreich Gespeichert!", nullptr,
     false, "blank", false},
    {"saved", Action::Tick, 4, "4", false, "Erfolgreich Gespeichert!", nullptr, false, "hidden",
     false},
    {"pulled after success", Action::PullAndTick, 0, "4", false, "Erfolgreich Gespeichert!",
     nullptr, false, "hidden", false},
    {"waiting again", Action::Tick, 0, "0", false, "Gerät per USB verbinden", nullptr, false,
     nullptr, false},
};

TEST_F(CycleTest, CompleteRunTwiceWithoutRestart) {
    const fs::path configFile = updates('E') / "QX999000.HEX";
    plugIn('E', qx54());
    pull('E');
    for (int run = 1; run <= 2; ++run) {
        for (const Moment& m : CompleteRun) {
            SCOPED_TRACE(std::string("run ") + std::to_string(run) + ": " + m.name);
            switch (m.action) {
            case Action::Tick:
                tick();
                break;
            case Action::PlugAndTick:
                replug('E');
                tick();
                break;
            case Action::PullAndTick:
                pull('E');
                tick();
                break;
            case Action::Configure:
                configure();
                EXPECT_TRUE(timerStarted);
                EXPECT_EQ(velmaron::testing::readAll(configFile), Qx54Config);
                break;
            }
            EXPECT_EQ(form->WorkflowState, m.state);
            EXPECT_EQ(text(form->lblState), m.lblState);
            EXPECT_EQ(form->isTallLayout(), m.tall);
            EXPECT_EQ(text(form->lblMessage), m.message);
            if (m.tall) {
                EXPECT_EQ(text(form->lblInstruction), m.instruction);
            }
            EXPECT_EQ(form->cmdConfigure->isEnabled(), m.buttonEnabled);
            if (m.arrow) {
                const bool hidden = form->picArrowDisplay->isHidden();
                EXPECT_EQ(hidden ? "hidden" : arrowShown(), m.arrow);
            }
            // While pulled the drive's folder is away; the file is looked for when it is back.
            if (fs::exists(drive('E'))) {
                EXPECT_EQ(fs::exists(configFile), m.configFile);
            }
        }
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(CycleTest, CrDeviceIsReadOnEveryTickAndNeverReady) {
    VersionFile cr;
    cr.type = "CR";
    cr.version = 12;
    plugIn('E', cr);
    for (int version : {12, 12, 13}) {
        SCOPED_TRACE(version);
        cr.version = version;
        velmaron::testing::writeFile(updates('E') / "digivers.ion", cr.bytes());
        tick();
        EXPECT_EQ(form->WorkflowState, 0);
        EXPECT_EQ(text(form->lblMessage), "Konfiguration gelesen");
        EXPECT_EQ(text(form->lblSWVersion), "SW Version - CR " + std::to_string(version));
        EXPECT_FALSE(form->cmdConfigure->isEnabled());
        EXPECT_FALSE(form->isTallLayout());
    }
}

TEST_F(CycleTest, Version22IsNotSuitableAndAlternates) {
    VersionFile old;
    old.version = 22;
    plugIn('E', old);
    const struct {
        int state;
        const char* arrow;
    } ticks[] = {{5, "out@32"}, {0, "out@32"}, {5, "out@0"}, {0, "out@0"}, {5, "out@32"}};
    for (const auto& t : ticks) {
        tick();
        EXPECT_EQ(form->WorkflowState, t.state);
        EXPECT_EQ(text(form->lblMessage), "Nicht geeignet");
        EXPECT_EQ(text(form->lblInstruction), "USB Kable trennen");
        EXPECT_TRUE(form->isTallLayout());
        EXPECT_FALSE(form->picArrowDisplay->isHidden());
        EXPECT_EQ(arrowShown(), t.arrow);
        EXPECT_FALSE(form->cmdConfigure->isEnabled());
    }
    // Removed: asked for a device, while the window stays tall with the last instruction.
    pull('E');
    tick();
    tick();
    EXPECT_EQ(form->WorkflowState, 0);
    EXPECT_EQ(text(form->lblMessage), "Gerät per USB verbinden");
    EXPECT_TRUE(form->isTallLayout());
    EXPECT_EQ(text(form->lblInstruction), "USB Kable trennen");
}

TEST_F(CycleTest, Version23IsSuitableAndGetsTheShortConfiguration) {
    VersionFile v23;
    v23.version = 23;
    plugIn('E', v23);
    tick();
    EXPECT_EQ(form->WorkflowState, 1);
    EXPECT_TRUE(form->cmdConfigure->isEnabled());
    configure();
    EXPECT_EQ(form->WorkflowState, 2);
    EXPECT_EQ(velmaron::testing::readAll(updates('E') / "QX999000.HEX"),
              ":103A0000FF5158303030303037484558004A79003F\r\n"
              ":033A10000102FFB1\r\n"
              ":00000001FF\r\n");
}

// The command looks for the device itself: without one it writes nothing, and of two it takes
// the first in drive order. The removable drives up to it are listed.
TEST_F(CycleTest, ConfigureTakesTheFirstDevice) {
    sim.addDrive('D');
    const std::string removable = "\t\tRemovable drive";
    configure();
    EXPECT_EQ(form->WorkflowState, 0);
    EXPECT_FALSE(form->cmdConfigure->isEnabled());
    EXPECT_EQ(text(form->lblMessage), "");
    EXPECT_EQ(listLines(form->List1), std::vector<std::string>{sim.root('D') + removable});

    plugIn('E', qx54());
    tick();
    plugIn('G', qx54());
    velmaron::testing::writeFile(updates('G') / "old.hex", "keep");
    tick();
    ASSERT_EQ(form->WorkflowState, 1);
    configure();
    EXPECT_EQ(velmaron::testing::readAll(updates('E') / "QX999000.HEX"), Qx54Config);
    EXPECT_EQ(updateFiles('G'), (std::vector<std::string>{"digivers.ion", "old.hex"}));
    EXPECT_EQ(listLines(form->List1),
              (std::vector<std::string>{sim.root('D') + removable, sim.root('E') + removable,
                                        "Velmaron found", "Konfigurationsdatei erstellt"}));
}

// With two devices states 0 to 3 leave everything as it was; state 4 hides the arrow display;
// state 5 and values that are no state return to 0 whatever is connected.
TEST_F(CycleTest, TicksThatMoveNothingButTheState) {
    const struct {
        int devices, state, after;
        bool hidesArrow;
    } cases[] = {
        {2, 0, 0, false}, {2, 1, 1, false}, {2, 2, 2, false},    {2, 3, 3, false},
        {2, 4, 4, true},  {2, 5, 0, false}, {2, -1, 0, false},   {1, 5, 0, false},
        {1, 6, 0, false}, {0, 5, 0, false}, {0, 1000, 0, false},
    };
    plugIn('E', qx54());
    plugIn('G', qx54());
    int connected = 2;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.devices) + " devices, state " + std::to_string(c.state));
        for (; connected > c.devices; --connected)
            pull(connected == 2 ? 'G' : 'E');
        form->WorkflowState = c.state;
        form->lblMessage->setText(QStringLiteral("Meldung"));
        form->lblInstruction->setText(QStringLiteral("Anweisung"));
        form->cmdConfigure->setEnabled(c.state == 1);
        form->picArrowDisplay->show();
        const bool shifted = form->ArrowShifted;
        tick();
        EXPECT_EQ(form->WorkflowState, c.after);
        EXPECT_EQ(text(form->lblMessage), "Meldung");
        EXPECT_EQ(text(form->lblInstruction), "Anweisung");
        EXPECT_EQ(form->cmdConfigure->isEnabled(), c.state == 1);
        EXPECT_EQ(form->ArrowShifted, shifted);
        EXPECT_EQ(form->picArrowDisplay->isHidden(), c.hidesArrow);
        EXPECT_TRUE(messages.isEmpty());
    }
}

TEST_F(CycleTest, ReturningFromTheInformationWindowAbandonsTheRun) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    plugIn('E', qx54());
    tick();
    configure();
    tick();
    ASSERT_EQ(form->WorkflowState, 2);
    form->cmdHelp_Click();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FrmInfo::instance()));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(form->WorkflowState, 0);
    tick();
    EXPECT_EQ(form->WorkflowState, 1);
    EXPECT_TRUE(form->cmdConfigure->isEnabled());
    EXPECT_FALSE(form->isTallLayout());
    EXPECT_TRUE(fs::exists(updates('E') / "QX999000.HEX"));
}

TEST_F(CycleTest, StaleHexFilesGoBeforeTheNewOne) {
    plugIn('E', qx54());
    for (const char* name : {"QX999000.HEX", "old.hex", "CR999000.Hex", "notes.txt"})
        velmaron::testing::writeFile(updates('E') / name, "stale");
    tick();
    configure();
    EXPECT_EQ(updateFiles('E'),
              (std::vector<std::string>{"QX999000.HEX", "digivers.ion", "notes.txt"}));
    EXPECT_EQ(velmaron::testing::readAll(updates('E') / "QX999000.HEX"), Qx54Config);
}

// A configuration that was not saved is reported, starts no reconnect and leaves nothing on
// the device; the user can correct it and press the button again.
TEST_F(CycleTest, WriterFailuresAreReportedAndStartNoRun) {
    auto failWrites = [this](FileFault fault) {
        form->saveSteps.writeDurably = [fault](const fs::path&, std::string_view) {
            return FileResult{fault, FileStep::Create, "refused"};
        };
    };
    const struct {
        const char* name;
        std::function<void()> arrange;
        const char* reason; // nullptr: the writer's own message is the only one
    } cases[] = {
        {"days beyond 32 bits", [this] { form->tbDays->setText("24856"); },
         "Die Anzahl der Tage ist zu groß."},
        {"date out of range", [this] { form->DTPickerStart->setDate(QDate(1901, 12, 13)); },
         "Das Datum liegt außerhalb des gültigen Bereichs."},
        {"UPDATES missing", [this] { fs::remove_all(updates('E')); },
         "Auf dem Velmaron fehlt das Verzeichnis UPDATES."},
        {"UPDATES a link",
         [this] {
             fs::rename(updates('E'), sim.folder() / "elsewhere");
             fs::create_directory_symlink(sim.folder() / "elsewhere", updates('E'));
         },
         "Auf dem Velmaron fehlt das Verzeichnis UPDATES."},
        {"pulled while writing",
         [this] {
             form->saveSteps.writeDurably = [this](const fs::path& path, std::string_view bytes) {
                 pull('E');
                 return WriteFileDurably(path, bytes);
             };
         },
         "Der Velmaron wurde getrennt."},
        {"write-protected", [&] { failWrites(FileFault::WriteProtected); },
         "Der Velmaron ist schreibgeschützt."},
        {"cannot create", [&] { failWrites(FileFault::Failed); },
         "Die Datei konnte nicht angelegt werden."},
        {"partly written",
         [this] {
             form->saveSteps.writeDurably = [](const fs::path& path, std::string_view bytes) {
                 velmaron::testing::writeFile(path, bytes.substr(0, bytes.size() / 2));
                 return FileResult{FileFault::Failed, FileStep::Write, "I/O error"};
             };
         },
         "Die Datei konnte nicht vollständig geschrieben werden."},
        {"read back differs",
         [this] { form->saveSteps.readBack = [](const fs::path&) { return std::string("x"); }; },
         "Die gespeicherte Datei weicht ab."},
        {"unknown device type",
         [this] {
             velmaron::testing::writeFile(updates('E') / "digivers.ion",
                                          "AB000054HEX" + std::string(69, '\xFF'));
         },
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(sim.folder());
        fs::create_directories(sim.folder());
        newWindow();
        messages.clear();
        plugIn('E', qx54());
        tick();
        ASSERT_EQ(form->WorkflowState, 1);
        c.arrange();
        configure();
        EXPECT_EQ(messages,
                  QStringList(c.reason ? QStringLiteral("Konfiguration konnte nicht gespeichert "
                                                        "werden.\r\n") +
                                             QString::fromUtf8(c.reason)
                                       : QStringLiteral("Unknown Velmaron type")));
        EXPECT_EQ(form->WorkflowState, 1);
        EXPECT_TRUE(form->cmdConfigure->isEnabled());
        EXPECT_FALSE(form->isTallLayout());
        EXPECT_FALSE(timerStarted);
        if (!fs::exists(drive('E')))
            replug('E');
        for (const std::string& name : updateFiles('E'))
            EXPECT_EQ(name, "digivers.ion");
        tick();
        EXPECT_EQ(form->WorkflowState, 1);
    }
}

// A message box runs the event loop until the user answers; the poll timer's ticks that fall
// due meanwhile must not run inside the handler that shows the box.
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
        nestedTicks += text(form->lblState) != "-";
        inBox = false;
    });
    const struct {
        const char* name;
        std::function<void()> run;
    } cases[] = {
        {"tick reading a device without version file",
         [this] {
             fs::remove(updates('E') / "digivers.ion");
             form->WorkflowState = 0;
             tick();
         }},
        {"configure with an unknown device type",
         [this] {
             velmaron::testing::writeFile(updates('E') / "digivers.ion",
                                          "AB000054HEX" + std::string(69, '\xFF'));
             configure();
         }},
        {"configure with a failed write",
         [this] {
             fs::remove_all(updates('E'));
             form->VersionText = qx54().bytes();
             configure();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        plugIn('E', qx54());
        messages.clear();
        c.run();
        EXPECT_EQ(messages.size(), 1);
        EXPECT_EQ(nestedTicks, 0);
        EXPECT_EQ(form->handlersRunning, 0);
    }
}

// Each call blanks the display and draws the whole picture 32 pixels from the left or at the
// left edge, alternately, whichever picture it is given.
TEST_F(CycleTest, ArrowPositionsOverCalls) {
    const struct {
        PictureBox* Form1::*source;
        const char* shown;
    } calls[] = {
        {&Form1::picInArrow, "in@32"},   {&Form1::picOutArrow, "out@0"},
        {&Form1::picNoArrow, "blank"},   {&Form1::picInArrow, "in@0"},
        {&Form1::picOutArrow, "out@32"}, {&Form1::picNoArrow, "blank"},
    };
    for (const auto& call : calls) {
        form->showArrow((*form).*call.source);
        EXPECT_EQ(arrowShown(), call.shown);
    }
}

} // namespace
} // namespace velmaron::test
