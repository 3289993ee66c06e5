// The handlers that keep dependent options consistent, driven by clicks and by code.

#include "app/twips.h"
#include "app_fixture.h"

#include <QGroupBox>

namespace velmaron::test {
namespace {

using InterlockTest = WindowTest;

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
        newWindow();
        if (c.softwareVersion > 0)
            read(qx(c.softwareVersion));
        for (const Step& step : c.steps)
            step(*form);
        EXPECT_EQ(std::pair(form->Check8->value(), form->Check10->value()),
                  std::pair(c.check8, c.check10));
    }
}

TEST_F(InterlockTest, DateRangeLocksThePeriodButKeepsItsValues) {
    form->Check2->setValue(1);
    form->tbDays->setText(QStringLiteral(" 30"));
    // Check11 from code (-1: a click from greyed); editable Check2, Label7, tbDays, pickers.
    const std::pair<int, const char*> steps[] = {
        {1, "---xx"}, {0, "xxxxx"}, {1, "---xx"}, {2, "xxxxx"}, {-1, "---xx"}};
    for (const auto& [check11, marks] : steps) {
        check11 < 0 ? click(form->Check11) : form->Check11->setValue(check11);
        EXPECT_EQ(enabled({form->Check2, form->Label7, form->tbDays, form->DTPickerStart,
                           form->DTPickerEnd}),
                  marks)
            << check11;
        EXPECT_EQ(form->Check2->value(), 1);
        EXPECT_EQ(form->tbDays->text(), QStringLiteral(" 30"));
    }
    EXPECT_EQ(form->Check11->value(), 1);
}

TEST_F(InterlockTest, PageSelectorMovesThePages) {
    const struct {
        const char* name;
        std::vector<int> clicks;
        int selectFilesLeft, fileNameLeft;
    } cases[] = {
        {"the option already on moves nothing", {0}, 0, 5160},
        {"file names, clicked twice", {1, 1}, 5160, 360},
        {"and back: Left 5, not 0, then the option already on", {1, 0, 0}, 5, 5160},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        newWindow();
        for (int index : c.clicks)
            click(form->Option2[index]);
        EXPECT_EQ(leftTwips(form->frameSelectFiles), c.selectFilesLeft);
        EXPECT_EQ(leftTwips(form->frameFileName), c.fileNameLeft);
    }
    form->Option2[1]->setChecked(true); // set from code, the pages move too
    EXPECT_EQ(leftTwips(form->frameSelectFiles), 5160);
    form->Option2[0]->setChecked(true);
    EXPECT_EQ(leftTwips(form->frameSelectFiles), 5);
}

// Each array excludes within itself; a hidden button still takes and keeps its value.
TEST_F(InterlockTest, OptionArraysExcludeOnlyWithinThemselves) {
    const auto checked = [this] {
        std::string marks;
        for (const QButtonGroup* group :
             {form->Option1Group, form->Option2Group, form->optVelmaronGroup}) {
            for (const QAbstractButton* button : group->buttons())
                marks += button->isChecked() ? 'x' : '-';
            marks += ' ';
        }
        return marks;
    };
    form->Option1[4]->hide();
    form->Option1[4]->setChecked(true);
    EXPECT_EQ(checked(), "----x x- -x ");
    form->optVelmaron[0]->setChecked(true);
    EXPECT_EQ(checked(), "----x x- x- ");
    form->SwitchAllOption1Off();
    EXPECT_EQ(checked(), "----- x- x- ");
    form->Option1[2]->setChecked(true);
    form->Option1[0]->setChecked(true);
    EXPECT_EQ(checked(), "x---- x- x- ");
}

} // namespace
} // namespace velmaron::test
