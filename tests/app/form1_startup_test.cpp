// The main window as it starts: size, dates, version line, controls and their first states.

#include "app_fixture.h"

#include <QDir>

namespace velmaron::test {
namespace {

using StartupTest = WindowTest;

// The width follows the marker file; the height decides which controls lie inside.
TEST_F(StartupTest, SizeAndVisibleAreaPerLayout) {
    struct Case {
        bool wide, tall;
        QStringList inView, outOfView;
    };
    const QStringList options = {"Option2_0",    "Option2_1",    "frameSelectFiles",
                                 "cmdHelp",      "lblSWVersion", "lblMessage",
                                 "cmdConfigure", "Label1_0",     "lblVersion"};
    const QStringList band = {"lblInstruction", "Image1", "picArrowDisplay"};
    const QStringList diagnostics = {"Frame1", "frameFileName", "List1", "Label2"};
    const Case cases[] = {
        {false, false, options, band + diagnostics},
        {false, true, options + band, diagnostics + QStringList{"lblState"}},
        {true, false, options + QStringList{"Frame1", "frameFileName", "List1"},
         band + QStringList{"Label2", "lblState"}},
        {true, true, options + band + QStringList{"Frame1", "List1", "Label2", "lblState"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("wide %1 tall %2").arg(c.wide).arg(c.tall).toStdString());
        QTemporaryDir dir;
        if (c.wide)
            QFile(dir.filePath(QStringLiteral("VelmaronConfigWide.txt")))
                .open(QIODevice::WriteOnly);
        Form1 window(dir.path());
        EXPECT_EQ(window.isWide(), c.wide);
        EXPECT_EQ(window.minimumWidth(), window.maximumWidth());
        EXPECT_EQ(window.height(), 492) << "the normal layout first";
        window.setTallLayout(c.tall);
        EXPECT_EQ(window.size(), QSize(c.wide ? 638 : 313, c.tall ? 748 : 492));
        for (const QStringList* names : {&c.inView, &c.outOfView}) {
            for (const QString& name : *names) {
                auto* control = window.findChild<QWidget*>(name);
                ASSERT_NE(control, nullptr) << name.toStdString();
                const QRect area(control->mapTo(&window, QPoint(0, 0)), control->size());
                EXPECT_TRUE(names == &c.inView ? window.rect().contains(area)
                                               : !window.rect().intersects(area))
                    << name.toStdString();
            }
        }
    }
}

TEST_F(StartupTest, AFolderNamedLikeTheMarkerDoesNotWidenTheWindow) {
    ASSERT_TRUE(QDir(programDir.path()).mkdir(QStringLiteral("VelmaronConfigWide.txt")));
    EXPECT_FALSE(newWindow().isWide());
}

TEST_F(StartupTest, DatePickersCoverTheLast366Days) {
    const std::pair<QDate, QDate> cases[] = {
        {QDate(2023, 3, 1), QDate(2022, 2, 28)}, // across a February of 28 days
        {QDate(2024, 3, 1), QDate(2023, 3, 1)},  // across a February of 29 days
        {QDate(2024, 2, 29), QDate(2023, 2, 28)},
        {QDate(2023, 1, 1), QDate(2021, 12, 31)},
    };
    for (const auto& [today, start] : cases) {
        SCOPED_TRACE(today.toString(Qt::ISODate).toStdString());
        newWindow(today);
        EXPECT_EQ(form->DTPickerStart->dateTime(), QDateTime(start, QTime(0, 0)));
        EXPECT_EQ(form->DTPickerEnd->text(), today.toString(QStringLiteral("dd.MM.yyyy")));
        EXPECT_TRUE(form->Label1[0]->text().contains(QString::number(today.year())));
    }
}

} // namespace
} // namespace velmaron::test
