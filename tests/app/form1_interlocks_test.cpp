// The handlers that keep dependent options consistent, driven by clicks and by code.

#include "app/tri_state_check_box.h"
#include "app/twips.h"
#include "app_fixture.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace velmaron::test {
namespace {

using InterlockTest = AppTest;

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5));
}

TEST_F(InterlockTest, VdoAndFourHertzFollowEachOtherBelowVersion36) {
    using Step = std::function<void(Form1&)>;
    const Step click8 = [](Form1& w) { click(w.Check8); };
    const Step click10 = [](Form1& w) { click(w.Check10); };
    const Step grey8 = [](Form1& w) { w.Check8->setValue(2); };
    const Step grey10 = [](Form1& w) { w.Check10->setValue(2); };
    const struct {
        const char* name;
        int softwareVersion;
        std::vector<Step> steps;
        int check8, check10;
    } cases[] = {
        {"35: ticking Check8 ticks Check10", 35, {click8}, 1, 1},
        {"35: clearing Check10 clears Check8", 35, {click8, click10}, 0, 0},
        {"35: greyed is copied too", 35, {grey10}, 2, 2},
        {"35: the box changed last decides", 35, {grey8, click10}, 1, 1},
        {"no device read yet: coupled", 0, {click10}, 1, 1},
        {"36: Check8 alone", 36, {click8}, 1, 0},
        {"36: Check10 alone", 36, {click10}, 0, 1},
        {"54: greyed stays in one box", 54, {grey8}, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& window = makeForm();
        window.SoftwareVersion = c.softwareVersion;
        for (const Step& step : c.steps)
            step(window);
        EXPECT_EQ(window.Check8->value(), c.check8);
        EXPECT_EQ(window.Check10->value(), c.check10);
    }
}

TEST_F(InterlockTest, DateRangeLocksThePeriodButKeepsItsValues) {
    Form1& window = makeForm();
    window.Check2->setValue(1);
    window.tbDays->setText(QStringLiteral(" 30"));
    const auto periodEnabled = [&window] {
        const bool check2 = window.Check2->isEnabled();
        EXPECT_EQ(window.Label7->isEnabled(), check2);
        EXPECT_EQ(window.tbDays->isEnabled(), check2);
        return check2;
    };
    // The value Check11 gets from code, and whether the period can be edited then.
    const std::pair<int, bool> steps[] = {{1, false}, {0, true}, {1, false}, {2, true}};
    for (const auto& [check11, enabled] : steps) {
        window.Check11->setValue(check11);
        EXPECT_EQ(periodEnabled(), enabled) << check11;
        EXPECT_EQ(window.Check2->value(), 1);
        EXPECT_EQ(window.tbDays->text(), QStringLiteral(" 30"));
        EXPECT_TRUE(window.DTPickerStart->isEnabled());
        EXPECT_TRUE(window.DTPickerEnd->isEnabled());
    }
    click(window.Check11); // from greyed, a click ticks
    EXPECT_EQ(window.Check11->value(), 1);
    EXPECT_FALSE(periodEnabled());
}

TEST_F(InterlockTest, PageSelectorMovesThePages) {
    const struct {
        const char* name;
        std::vector<int> clicks;
        int selectFilesLeft, fileNameLeft;
    } cases[] = {
        {"the option already on moves nothing", {0}, 0, 5160},
        {"file names, clicked twice", {1, 1}, 5160, 360},
        {"and back: Left 5, not 0", {1, 0}, 5, 5160},
        {"and back, then the option already on", {1, 0, 0}, 5, 5160},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& window = makeForm();
        for (int index : c.clicks)
            click(window.Option2[index]);
        EXPECT_EQ(leftTwips(window.frameSelectFiles), c.selectFilesLeft);
        EXPECT_EQ(leftTwips(window.frameFileName), c.fileNameLeft);
        EXPECT_EQ(topTwips(window.frameSelectFiles), 600);
        EXPECT_EQ(topTwips(window.frameFileName), 600);
    }
    Form1& window = makeForm(); // set from code, the pages move too
    window.Option2[1]->setChecked(true);
    EXPECT_EQ(leftTwips(window.frameFileName), 360);
    window.Option2[0]->setChecked(true);
    EXPECT_EQ(leftTwips(window.frameSelectFiles), 5);
}

TEST_F(InterlockTest, OptionArraysExcludeOnlyWithinThemselves) {
    Form1& window = makeForm();
    window.Option1[3]->setChecked(true);
    EXPECT_FALSE(window.Option1[1]->isChecked());
    EXPECT_TRUE(window.Option2[0]->isChecked());
    EXPECT_TRUE(window.optVelmaron[1]->isChecked());
    window.optVelmaron[0]->setChecked(true);
    EXPECT_FALSE(window.optVelmaron[1]->isChecked());
    EXPECT_TRUE(window.Option1[3]->isChecked());
}

TEST_F(InterlockTest, AllFileNameOptionsCanBeSwitchedOffAndExcludeAgainAfterwards) {
    Form1& window = makeForm();
    window.Option1[4]->hide();
    window.Option1[4]->setChecked(true); // a hidden button still takes and keeps its value
    EXPECT_TRUE(window.Option1[4]->isChecked());
    EXPECT_FALSE(window.Option1[1]->isChecked());

    window.SwitchAllOption1Off();
    for (QRadioButton* option : window.Option1)
        EXPECT_FALSE(option->isChecked());
    EXPECT_TRUE(window.Option1Group->exclusive());
    window.Option1[2]->setChecked(true);
    window.Option1[0]->setChecked(true);
    EXPECT_FALSE(window.Option1[2]->isChecked());
    EXPECT_TRUE(window.Option1[0]->isChecked());
}

} // namespace
} // namespace velmaron::test
