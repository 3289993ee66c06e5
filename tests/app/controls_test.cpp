// The window's building blocks: the three-valued check box and the arrows.

#include "app/artwork.h"
#include "app/days_validator.h"
#include "app/tri_state_check_box.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace velmaron::test {
namespace {

// Set, Qt's state, read back; after a click and a space. A user never makes a box greyed.
TEST(TriStateCheckBoxTest, ValuesMapOntoQtStatesAndUsersToggleClearAndTicked) {
    const std::tuple<int, Qt::CheckState, int, int> cases[] = {
        {0, Qt::Unchecked, 0, 1},
        {1, Qt::Checked, 1, 0},
        {2, Qt::PartiallyChecked, 2, 1},
        {3, Qt::Unchecked, 0, 1}, // not a value of the program: clear
    };
    for (const auto& [value, state, readBack, clicked] : cases) {
        TriStateCheckBox box(QStringLiteral("Detaillierte Geschwindigkeit (24h)"));
        box.setGeometry(0, 0, 145, 49);
        box.setValue(1);
        box.setValue(value);
        EXPECT_EQ(box.checkState(), state) << value;
        EXPECT_EQ(box.value(), readBack) << value;
        // On the caption, far from the indicator: the whole box takes the click.
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(130, 40));
        EXPECT_EQ(box.value(), clicked) << value;
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_Space);
        EXPECT_EQ(box.value(), 1 - clicked) << value;
    }
}

TEST(TriStateCheckBoxTest, ChangeSignalOnlyWhenTheValueChanges) {
    TriStateCheckBox box(QStringLiteral("x"));
    QSignalSpy changes(&box, &QCheckBox::stateChanged);
    for (int value : {0, 1, 1, 2, 2, 0})
        box.setValue(value);
    EXPECT_EQ(changes.count(), 3);
}

// Only digits, up to the most days a period holds; the window's leading blank stays.
TEST(DaysValidatorTest, TakesDigitsUpToTheLargestPeriod) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"", "abc", ""},        {"", "3O", "3"},       {"", "-1", "1"},       {"", "2.5", "25"},
        {"", "24855", "24855"}, {"", "24856", "2485"}, {"", "99999", "9999"}, {" 92", "1", " 921"},
        {" 92", "x", " 92"},    {"", "0", "0"},        {"", "1e3", "13"},     {"", "+7", "7"},
    };
    for (const auto& [start, typed, result] : cases) {
        QLineEdit field;
        field.setValidator(new DaysValidator(&field));
        field.setText(QString::fromLatin1(start));
        field.end(false);
        QTest::keyClicks(&field, QString::fromLatin1(typed));
        EXPECT_EQ(field.text().toStdString(), result) << start << "+" << typed;
    }
}

// The head is tall, the shaft thin: near the top only the head is coloured.
TEST(ArtworkTest, ArrowsPointTheirWay) {
    const auto blueAt = [](ArrowDirection direction, int x) {
        const QColor colour = arrowPicture(direction).toImage().pixelColor(x, 8);
        return colour.alpha() == 255 && colour.blue() > colour.red() + 60 &&
               colour.blue() > colour.green() + 30;
    };
    EXPECT_TRUE(blueAt(ArrowDirection::Right, 70));
    EXPECT_FALSE(blueAt(ArrowDirection::Right, 20));
    EXPECT_TRUE(blueAt(ArrowDirection::Left, 30));
    EXPECT_FALSE(blueAt(ArrowDirection::Left, 80));
}

} // namespace
} // namespace velmaron::test
