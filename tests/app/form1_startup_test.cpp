// The main window as it starts: size, dates, version line, controls and their first states.

#include "app/clickable_label.h"
#include "app/picture_box.h"
#include "app/tri_state_check_box.h"
#include "app/twips.h"
#include "app_fixture.h"
#include "config/date_codec.h"

#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace velmaron::test {
namespace {

using StartupTest = AppTest;

TEST_F(StartupTest, WidthFollowsTheMarkerFileAndStaysFixed) {
    for (const bool wide : {false, true}) {
        SCOPED_TRACE(wide ? "marker file" : "no marker file");
        QTemporaryDir dir;
        if (wide)
            QFile(dir.filePath(QStringLiteral("VelmaronConfigWide.txt")))
                .open(QIODevice::WriteOnly);
        Form1 window(dir.path(), [] { return QDate(2023, 3, 1); });
        EXPECT_EQ(window.isWide(), wide);
        EXPECT_EQ(window.width(), wide ? 638 : 313);
        EXPECT_EQ(window.height(), 492);
        EXPECT_EQ(window.minimumWidth(), window.maximumWidth());
        window.setTallLayout(true);
        EXPECT_EQ(window.width(), wide ? 638 : 313);
        EXPECT_EQ(window.height(), 748);
    }
}

TEST_F(StartupTest, AFolderNamedLikeTheMarkerDoesNotWidenTheWindow) {
    ASSERT_TRUE(QDir(programDir.path()).mkdir(QStringLiteral("VelmaronConfigWide.txt")));
    EXPECT_FALSE(makeForm().isWide());
}

// Which controls lie inside the client area in each layout.
TEST_F(StartupTest, VisibleAreaPerLayout) {
    struct Case {
        bool wide, tall;
        QStringList inView, outOfView;
    };
    const QStringList options = {"Option2_0",    "Option2_1",    "frameSelectFiles",
                                 "cmdHelp",      "lblSWVersion", "lblMessage",
                                 "cmdConfigure", "Label1_0",     "lblVersion"};
    const QStringList band = {"lblInstruction", "Image1", "picArrowDisplay"};
    const Case cases[] = {
        {false, false, options, band + QStringList{"Frame1", "frameFileName", "List1", "Label2"}},
        {false, true, options + band, {"Frame1", "frameFileName", "List1", "Label2", "lblState"}},
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
        Form1 window(dir.path(), [] { return QDate(2023, 3, 1); });
        window.setTallLayout(c.tall);
        EXPECT_EQ(window.isTallLayout(), c.tall);
        const QRect client = window.rect();
        for (const QString& name : c.inView) {
            auto* control = window.findChild<QWidget*>(name);
            ASSERT_NE(control, nullptr) << name.toStdString();
            const QRect area(control->mapTo(&window, QPoint(0, 0)), control->size());
            EXPECT_TRUE(client.contains(area)) << name.toStdString();
        }
        for (const QString& name : c.outOfView) {
            auto* control = window.findChild<QWidget*>(name);
            ASSERT_NE(control, nullptr) << name.toStdString();
            const QRect area(control->mapTo(&window, QPoint(0, 0)), control->size());
            EXPECT_FALSE(client.intersects(area)) << name.toStdString();
        }
    }
}

TEST_F(StartupTest, DatePickersCoverTheLast366Days) {
    struct Case {
        QDate today, start;
    };
    const Case cases[] = {
        {QDate(2023, 3, 1), QDate(2022, 2, 28)}, // across a February of 28 days
        {QDate(2024, 3, 1), QDate(2023, 3, 1)},  // across a February of 29 days
        {QDate(2024, 2, 29), QDate(2023, 2, 28)},
        {QDate(2023, 1, 1), QDate(2021, 12, 31)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.today.toString(Qt::ISODate).toStdString());
        QTemporaryDir dir;
        Form1 window(dir.path(), [&c] { return c.today; });
        EXPECT_EQ(window.DTPickerStart->date(), c.start);
        EXPECT_EQ(window.DTPickerEnd->date(), c.today);
        EXPECT_EQ(window.DTPickerStart->time(), QTime(0, 0));
        EXPECT_EQ(window.DTPickerEnd->text(), c.today.toString(QStringLiteral("dd.MM.yyyy")));
        EXPECT_TRUE(window.DTPickerStart->calendarPopup());
        EXPECT_TRUE(window.Label1[0]->text().contains(QString::number(c.today.year())));
    }
}

TEST_F(StartupTest, VersionLineShowsTheProjectVersion) {
    EXPECT_EQ(makeForm().lblVersion->text(), QStringLiteral("Rev. " VELMARON_PROJECT_VERSION));
    EXPECT_TRUE(form->lblVersion->alignment() & Qt::AlignRight);
}

TEST_F(StartupTest, StartUpSetsTheLimitDates) {
    using std::chrono::seconds;
    EpochDate = WrapDate = SignedLimitDate = DateTime(seconds(12345));
    makeForm();
    EXPECT_EQ(EpochDate.time_since_epoch(), seconds(0));
    EXPECT_EQ(WrapDate.time_since_epoch(), seconds(4294967296LL));
    EXPECT_EQ(SignedLimitDate.time_since_epoch(), seconds(2147483647LL));
}

TEST_F(StartupTest, PollTimerRunsFromCreation) {
    Form1 window(programDir.path());
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.Timer1->interval(), 500);
}

TEST_F(StartupTest, ControlsStartInTheirDesignedStates) {
    Form1& window = makeForm();
    EXPECT_EQ(window.objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Velmaron Configuration"));
    EXPECT_FALSE(window.cmdConfigure->isEnabled());
    EXPECT_EQ(window.cmdConfigure->text(), QStringLiteral("&Konfigurieren"));
    EXPECT_EQ(topTwips(window.cmdHelp), 50);
    EXPECT_EQ(window.cmdHelp->text(), QStringLiteral("&?"));
    EXPECT_EQ(window.lblSWVersion->text(), QStringLiteral("SW Version - "));
    EXPECT_EQ(window.lblMessage->text(), QString());
    EXPECT_EQ(window.lblMessage->font().pointSizeF(), 18);
    EXPECT_EQ(window.lblInstruction->text(), QStringLiteral("USB Kabel trennen"));
    EXPECT_EQ(window.lblState->text(), QStringLiteral("0"));
    EXPECT_EQ(window.List1->count(), 0);
    EXPECT_EQ(window.WorkflowState, 0);
    EXPECT_EQ(window.SoftwareVersion, 0);
    EXPECT_EQ(window.DeviceCount, 0);

    EXPECT_EQ(window.Check1->value(), 1);
    EXPECT_FALSE(window.Check1->isEnabled());
    for (TriStateCheckBox* box :
         {window.Check2, window.Check3, window.Check4, window.Check5, window.Check6, window.Check7,
          window.Check8, window.Check9, window.Check10, window.Check11}) {
        EXPECT_EQ(box->value(), 0) << box->objectName().toStdString();
        EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();
    }
    EXPECT_EQ(window.tbDays->text(), QStringLiteral("92"));
    EXPECT_TRUE(window.tbDays->alignment() & Qt::AlignRight);
    EXPECT_EQ(window.tbDays->toolTip(),
              QStringLiteral("Auf \"0\" setzen für \"seit letztem Download\""));
    EXPECT_EQ(window.Check3->text(), QStringLiteral("Ereignisse && Störungen"));

    const bool option2[] = {true, false};
    const bool option1[] = {false, true, false, false, false};
    const bool model[] = {false, true};
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(window.Option2[i]->isChecked(), option2[i]) << i;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(window.Option1[i]->isChecked(), option1[i]) << i;
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(window.optVelmaron[i]->isChecked(), model[i]) << i;
    EXPECT_EQ(leftTwips(window.frameSelectFiles), 0);
    EXPECT_EQ(leftTwips(window.frameFileName), 5160);

    EXPECT_FALSE(window.picNoArrow->isVisibleTo(&window));
    EXPECT_FALSE(window.picOutArrow->isVisibleTo(&window));
    EXPECT_FALSE(window.picInArrow->isVisibleTo(&window));
    EXPECT_TRUE(window.picArrowDisplay->isVisibleTo(&window));
    EXPECT_EQ(window.Image1->pixmap().size(), QSize(270, 221));
}

// Places from the layout tables, in twips relative to the container.
TEST_F(StartupTest, ControlsSitAtTheirTwips) {
    Form1& window = makeForm();
    struct Case {
        const char* name;
        int left, top, width, height;
    };
    const Case cases[] = {
        {"Option2_0", 480, 120, 1815, 450},       {"Option2_1", 2400, 120, 1695, 450},
        {"frameSelectFiles", 0, 600, 4695, 4935}, {"Check2", 240, 840, 1455, 495},
        {"tbDays", 240, 1440, 495, 375},          {"Check8", 2520, 2880, 1815, 495},
        {"DTPickerStart", 2160, 3960, 1455, 375}, {"DTPickerEnd", 2160, 4440, 1455, 375},
        {"frameFileName", 5160, 600, 3975, 3375}, {"Option1_4", 240, 2760, 3495, 375},
        {"Frame1", 5160, 0, 3975, 495},           {"optVelmaron_1", 2280, 120, 1575, 375},
        {"lblMessage", 0, 5880, 4695, 555},       {"cmdConfigure", 2760, 6480, 1575, 495},
        {"Label1_0", 360, 7080, 1935, 255},       {"lblVersion", 2280, 7080, 2055, 255},
        {"Image1", 480, 7440, 4050, 3315},        {"picArrowDisplay", 480, 9600, 2220, 1215},
        {"picOutArrow", 5160, 6240, 1740, 1215},  {"picInArrow", 7200, 6240, 1740, 1215},
        {"List1", 5160, 4560, 4215, 1425},        {"lblState", 8400, 7680, 375, 255},
    };
    for (const Case& c : cases) {
        auto* control = window.findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_EQ(control->geometry(), QRect(c.left / 15, c.top / 15, c.width / 15, c.height / 15))
            << c.name;
    }
}

TEST_F(StartupTest, TabOrderFollowsTheDesign) {
    Form1& window = makeForm();
    const QList<QWidget*> expected = {
        window.cmdConfigure,   window.Check8,         window.List1,      window.Check10,
        window.Check9,         window.Check7,         window.tbDays,     window.Check1,
        window.Check2,         window.Check4,         window.Check3,     window.Check5,
        window.Check6,         window.Option1[4],     window.Option1[3], window.Option1[2],
        window.Option1[1],     window.Option1[0],     window.Option2[0], window.Option2[1],
        window.optVelmaron[0], window.optVelmaron[1], window.Check11,    window.DTPickerEnd,
        window.DTPickerStart,  window.cmdHelp};
    // Compound widgets (the date pickers) put inner widgets into the chain; skip those.
    QWidget* current = expected.front();
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QWidget* next = current->nextInFocusChain();
        while (!expected.contains(next) && next != current)
            next = next->nextInFocusChain();
        EXPECT_EQ(next, expected[i]) << i;
        current = next;
    }
}

} // namespace
} // namespace velmaron::test
