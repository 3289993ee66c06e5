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
    struct Case {
        int value;
        Qt::CheckState state;
        int readBack;
    };
    const Case cases[] = {
        {0, Qt::Unchecked, 0},
        {1, Qt::Checked, 1},
        {2, Qt::PartiallyChecked, 2},
        {3, Qt::Unchecked, 0}, // not a value of the program: clear
    };
    for (const Case& c : cases) {
        TriStateCheckBox box(QStringLiteral("x"));
        box.setValue(1);
        box.setValue(c.value);
        EXPECT_EQ(box.checkState(), c.state) << c.value;
        EXPECT_EQ(box.value(), c.readBack) << c.value;
    }
}

TEST(TriStateCheckBoxTest, ClickTogglesBetweenClearAndTicked) {
    struct Case {
        int before, after;
    };
    for (const Case& c : {Case{0, 1}, Case{1, 0}, Case{2, 1}}) {
        TriStateCheckBox box(QStringLiteral("Detaillierte Geschwindigkeit (24h)"));
        box.setGeometry(0, 0, 145, 49);
        box.setValue(c.before);
        // On the caption, far from the indicator: the whole box takes the click.
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(130, 40));
        EXPECT_EQ(box.value(), c.after) << c.before;
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_Space);
        EXPECT_EQ(box.value(), c.after == 1 ? 0 : 1) << c.before;
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
    EXPECT_EQ(child.x(), 0);
    EXPECT_EQ(leftTwips(&child), 5);
    setTopTwips(&child, 50);
    EXPECT_EQ(child.y(), 3);
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

TEST(ArtworkTest, SizesAsTheWindowsNeedThem) {
    EXPECT_EQ(programIcon().size(), QSize(72, 72));
    EXPECT_EQ(devicePicture().size(), QSize(270, 221));
    EXPECT_EQ(arrowPicture(ArrowDirection::Left).size(), QSize(100, 47));
    EXPECT_EQ(arrowPicture(ArrowDirection::Right).size(), QSize(100, 47));
}

TEST(ArtworkTest, ArrowsPointTheirWay) {
    const QImage right = arrowPicture(ArrowDirection::Right).toImage();
    const QImage left = arrowPicture(ArrowDirection::Left).toImage();
    // The head is tall, the shaft thin: near the tip only the head is coloured at its edges.
    EXPECT_TRUE(isBlue(right, 70, 8));
    EXPECT_FALSE(isBlue(right, 20, 8));
    EXPECT_TRUE(isBlue(left, 30, 8));
    EXPECT_FALSE(isBlue(left, 80, 8));
}

class PictureBoxTest : public ::testing::Test {
protected:
    QWidget parent;
    PictureBox box{&parent};
};

TEST_F(PictureBoxTest, ArrowSitsAtTheTopLeftOnTheBackground) {
    box.resize(116, 81);
    box.setPicture(arrowPicture(ArrowDirection::Right));
    const QImage surface = box.surface().toImage();
    ASSERT_EQ(surface.size(), QSize(116, 81));
    EXPECT_TRUE(isBlue(surface, 50, 23));
    EXPECT_TRUE(isBackground(surface, 105, 23));
    EXPECT_TRUE(isBackground(surface, 50, 60));
}

TEST_F(PictureBoxTest, SurfaceKeepsItsDrawingWhenTheBoxGrows) {
    box.resize(10, 10);
    box.surface().fill(Qt::red);
    box.resize(20, 10);
    const QImage surface = box.surface().toImage();
    EXPECT_EQ(surface.size(), QSize(20, 10));
    EXPECT_EQ(surface.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_TRUE(isBackground(surface, 15, 5));
}

} // namespace
} // namespace velmaron::test
