// A poll that finds what it found before touches neither List1's rows nor the controls.

#include "app_fixture.h"

#include <QCalendarWidget>
#include <set>

namespace velmaron::test {
namespace {

using PollViewTest = WindowTest;

const std::string Cr60 = versionFile(header("CR", 60), 80);

// Every row a step inserts, removes or rewrites counts once.
TEST_F(PollViewTest, ListRowsChangeOnlyWhereALineDoes) {
    sim.addDrive('D', "label=STICK\n");
    plugIn('E', Cr60);
    tick();
    const std::vector<std::string> read = listLines(form->List1);
    ASSERT_GE(read.size(), 3u) << "the stick, the device and the lines of its settings";
    const std::string relabelled = sim.root('D') + "\tOTHER\tRemovable drive";
    auto readRelabelled = read;
    readRelabelled[0] = relabelled;

    int touched = 0;
    const QAbstractItemModel* model = form->List1->model();
    QObject::connect(model, &QAbstractItemModel::rowsInserted, [&] { ++touched; });
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, [&] { ++touched; });
    QObject::connect(model, &QAbstractItemModel::dataChanged, [&] { ++touched; });
    const struct {
        const char* name;
        std::function<void()> change;
        int touched;
        std::vector<std::string> lines;
    } steps[] = {
        {"the same drives, the device read again", [] {}, 0, read}, // rows kept, none rewritten
        {"the stick relabelled", [&] { sim.write("D.drive", "label=OTHER\n"); }, 1, readRelabelled},
        {"the device pulled", [&] { pull('E'); }, static_cast<int>(read.size()) - 1, {relabelled}},
        {"nothing new", [] {}, 0, {relabelled}},
        {"the device back", [&] { replug('E'); }, static_cast<int>(read.size()) - 1,
         readRelabelled},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        touched = 0;
        tick();
        EXPECT_EQ(touched, step.touched);
        EXPECT_EQ(listLines(form->List1), step.lines);
    }
}

// A device read on every tick repaints only what changed.
TEST_F(PollViewTest, ARereadRepaintsWhatChangedOnly) {
    plugIn('E', Cr60);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    tick();
    QTest::qWait(20);

    struct PaintWatch : QObject {
        std::set<std::string> painted;
        bool eventFilter(QObject* object, QEvent* event) override {
            if (event->type() == QEvent::Paint && !object->objectName().isEmpty())
                painted.insert(object->objectName().toStdString());
            return false;
        }
    } watch;
    for (QWidget* control : form->findChildren<QWidget*>())
        control->installEventFilter(&watch);

    // The control that must be repainted; its neighbours may be, where they overlap it.
    const struct {
        const char* name;
        std::string file;
        const char* changed;
    } steps[] = {
        {"the same file", Cr60, nullptr},
        {"TREP 02 wanted", versionFile(header("CR", 60), 80, {{17, {2, 0xFF, 0xFF}}}), "Check2"},
        {"a new software version", versionFile(header("CR", 61), 80, {{17, {2, 0xFF, 0xFF}}}),
         "lblSWVersion"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        testing::writeFile(versionPath(), step.file);
        watch.painted.clear();
        tick();
        QTest::qWait(20);
        // A CR is read on every tick and never becomes ready.
        EXPECT_EQ(form->WorkflowState(), 0);
        EXPECT_EQ(form->lblMessage->text() + (form->cmdConfigure->isEnabled() ? " on" : " off"),
                  QStringLiteral("Konfiguration gelesen off"));
        EXPECT_EQ(form->lblSWVersion->text().toStdString(),
                  "SW Version - CR " + step.file.substr(6, 2));
        if (step.changed)
            EXPECT_TRUE(watch.painted.contains(step.changed));
        else
            EXPECT_EQ(watch.painted, std::set<std::string>{});
    }
}

// Built when first opened, each pop-up shows the month of its picker in German.
TEST_F(PollViewTest, CalendarPopupsOpenInGerman) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    for (const auto& [picker, month] :
         {std::pair{form->DTPickerStart, "Februar"}, std::pair{form->DTPickerEnd, "März"}}) {
        SCOPED_TRACE(picker->objectName().toStdString());
        EXPECT_EQ(picker->findChild<QCalendarWidget*>(), nullptr) << "built before it opened";
        QTest::mouseClick(picker, Qt::LeftButton, {}, {picker->width() - 4, picker->height() / 2});
        auto* calendar = picker->findChild<QCalendarWidget*>();
        ASSERT_NE(calendar, nullptr);
        EXPECT_TRUE(calendar->isVisible());
        EXPECT_EQ(calendar->locale().monthName(calendar->monthShown()), QString::fromUtf8(month));
        calendar->window()->close();
    }
}

} // namespace
} // namespace velmaron::test
