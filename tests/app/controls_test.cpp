// The window's building blocks: the three-valued check box, twips places, the picture boxes
// and the artwork.

#include "app/artwork.h"
#include "app/picture_box.h"
#include "app/tri_state_check_box.h"
#include "app/twips.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace velmaron::test {
namespace {

TEST(TriStateCheckBoxTest, ValuesMapOntoQtStates) {
    const struct {
        int value;
        Qt::CheckState state;
        int readBack;
    } cases[] = {
        {0, Qt::Unchecked, 0},
        {1, Qt::Checked, 1},
        {2, Qt::PartiallyChecked, 2},
        {3, Qt::Unchecked, 0}, // not a value of the program: clear
    };
    for (const auto& c : cases) {
        TriStateCheckBox box(QStringLiteral("x"));
        box.setValue(1);
        box.setValue(c.value);
        EXPECT_EQ(box.checkState(), c.state) << c.value;
        EXPECT_EQ(box.value(), c.readBack) << c.value;
    }
}

TEST(TriStateCheckBoxTest, ClickTogglesBetweenClearAndTicked) {
    for (const auto& [before, after] : {std::pair{0, 1}, {1, 0}, {2, 1}}) {
        TriStateCheckBox box(QStringLiteral("Detaillierte Geschwindigkeit (24h)"));
        box.setGeometry(0, 0, 145, 49);
        box.setValue(before);
        // On the caption, far from the indicator: the whole box takes the click.
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(130, 40));
        EXPECT_EQ(box.value(), after) << before;
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_Space);
        EXPECT_EQ(box.value(), 1 - after) << before;
    }
}

TEST(TriStateCheckBoxTest, ChangeSignalOnlyWhenTheValueChanges) {
    TriStateCheckBox box(QStringLiteral("x"));
    QSignalSpy changes(&box, &QCheckBox::stateChanged);
    for (int value : {0, 1, 1, 2, 2, 0})
        box.setValue(value);
    EXPECT_EQ(changes.count(), 3);
}

TEST(TwipsTest, PlacesReadBackAsSet) {
    QWidget parent;
    QWidget child(&parent);
    placeTwips(&child, 480, 120, 1815, 450);
    EXPECT_EQ(child.geometry(), QRect(32, 8, 121, 30));
    setLeftTwips(&child, 5);
    setTopTwips(&child, 50);
    EXPECT_EQ(child.pos(), QPoint(0, 3));
    EXPECT_EQ(leftTwips(&child), 5);
    EXPECT_EQ(topTwips(&child), 50);
    child.move(20, 3); // moved by other means: the pixels decide
    EXPECT_EQ(leftTwips(&child), 300);
    EXPECT_EQ(topTwips(&child), 50);
}

bool isBackground(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == backgroundColour();
}

bool isBlue(const QImage& image, int x, int y) {
    const QColor colour = image.pixelColor(x, y);
    return colour.alpha() == 255 && colour.blue() > colour.red() + 60 &&
           colour.blue() > colour.green() + 30;
}

TEST(ArtworkTest, SizesAndArrowsThatPointTheirWay) {
    EXPECT_EQ(programIcon().size(), QSize(72, 72));
    EXPECT_EQ(devicePicture().size(), QSize(270, 221));
    const QImage right = arrowPicture(ArrowDirection::Right).toImage();
    const QImage left = arrowPicture(ArrowDirection::Left).toImage();
    EXPECT_EQ(right.size(), QSize(100, 47));
    EXPECT_EQ(left.size(), QSize(100, 47));
    // The head is tall, the shaft thin: near the tip only the head is coloured at its edges.
    EXPECT_TRUE(isBlue(right, 70, 8));
    EXPECT_FALSE(isBlue(right, 20, 8));
    EXPECT_TRUE(isBlue(left, 30, 8));
    EXPECT_FALSE(isBlue(left, 80, 8));
}

TEST(PictureBoxTest, ArrowSitsAtTheTopLeftAndTheDrawingSurvivesGrowing) {
    QWidget parent;
    PictureBox box{&parent};
    box.resize(116, 81);
    box.setPicture(arrowPicture(ArrowDirection::Right));
    QImage surface = box.surface().toImage();
    ASSERT_EQ(surface.size(), QSize(116, 81));
    EXPECT_TRUE(isBlue(surface, 50, 23));
    EXPECT_TRUE(isBackground(surface, 105, 23));
    EXPECT_TRUE(isBackground(surface, 50, 60));

    PictureBox blank{&parent};
    blank.resize(10, 10);
    blank.surface().fill(Qt::red);
    blank.resize(20, 10);
    surface = blank.surface().toImage();
    EXPECT_EQ(surface.size(), QSize(20, 10));
    EXPECT_EQ(surface.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_TRUE(isBackground(surface, 15, 5));
}

} // namespace
} // namespace velmaron::test
