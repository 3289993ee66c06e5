// Where the window goes on the screens users have, and the band shortened where it must be.

#include "app_fixture.h"
#include "app/screen_fit.h"

#include <QScreen>

namespace velmaron::test {
namespace {

// A frame as a window manager draws it: a title bar and thin borders.
const QMargins Frame(1, 21, 1, 1);
constexpr int Normal = 492, Tall = 748, Smallest = 632;

TEST(PlaceWithinTest, MovesUpFirstThenShrinksAndNeverPastTheTop) {
    struct Case {
        const char* name;
        QRect area;
        QPoint frameAt;
        int wanted, smallest;
        QPoint expectedAt;
        int expectedHeight;
    } const cases[] = {
        {"normal layout on 1366 x 768: unchanged", {0, 0, 1366, 768}, {7, 7}, Normal, Normal, {7, 7}, Normal},
        {"tall on 1024 x 900: fits, unchanged", {0, 0, 1024, 900}, {7, 7}, Tall, Smallest, {7, 7}, Tall},
        {"tall fits once moved up", {0, 0, 1366, 800}, {7, 40}, Tall, Smallest, {7, 30}, Tall},
        {"tall on 1366 x 768: at the top, 2 pixels shorter", {0, 0, 1366, 768}, {7, 7}, Tall, Smallest, {7, 0}, 746},
        {"150 % or 200 % above a taskbar of 40 pixels at that scale", {0, 0, 1280, 680}, {7, 7}, Tall, Smallest, {7, 0}, 658},
        {"a panel above: never past the area's top", {0, 30, 1366, 738}, {7, 7}, Tall, Smallest, {7, 30}, 716},
        {"too low even for the smallest band: at the top", {0, 0, 800, 600}, {7, 7}, Tall, Smallest, {7, 0}, Smallest},
        {"the normal layout does not shrink", {0, 0, 800, 400}, {7, 7}, Normal, Normal, {7, 0}, Normal},
        {"off the right edge: moves left", {0, 0, 1024, 900}, {900, 7}, Normal, Normal, {709, 7}, Normal},
        {"left of a second screen: moves right", {1366, 0, 1920, 1080}, {1200, 7}, Normal, Normal, {1366, 7}, Normal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect frame(c.frameAt, QSize(313 + Frame.left() + Frame.right(),
                                           Normal + Frame.top() + Frame.bottom()));
        const WindowPlace place = placeWithin(frame, Frame, c.wanted, c.smallest, c.area);
        EXPECT_EQ(place.frameTopLeft, c.expectedAt);
        EXPECT_EQ(place.clientHeight, c.expectedHeight);
    }
}

class BandTest : public WindowTest {
protected:
    BandDesign design() const {
        return bandOf(form->Image1, form->picArrowDisplay, form->lblInstruction, Tall);
    }
};

// Every height keeps the arrow below the instruction and the pictured cable, all inside.
TEST_F(BandTest, ShorterBandsKeepTheArrowUnderTheCableAndBelowTheInstruction) {
    const BandDesign band = design();
    const int instructionEnd = band.instruction.bottom() + 1;
    // The cable in the picture lies 130 of its 221 pixels down.
    const auto cableAt = [&](const BandPlace& place) {
        return band.picture.top() + 130 * place.pictureScale;
    };
    EXPECT_EQ(band.smallestHeight(), Smallest);
    EXPECT_LT(bandAt(band, Smallest - 1).arrowTop, instructionEnd) << "the smallest is the least";
    double lastScale = 0;
    for (int height = Smallest; height <= Tall + 20; ++height) {
        SCOPED_TRACE(height);
        const BandPlace place = bandAt(band, height);
        EXPECT_GE(place.arrowTop, instructionEnd);
        EXPECT_LE(place.arrowTop + band.arrow.height(), height);
        EXPECT_LE(band.picture.top() + band.picture.height() * place.pictureScale, height);
        EXPECT_GT(place.arrowTop, cableAt(place));
        EXPECT_LT(place.arrowTop - cableAt(place), 20);
        EXPECT_GE(place.pictureScale, lastScale);
        lastScale = place.pictureScale;
    }
    EXPECT_EQ(bandAt(band, Tall).pictureScale, 1.0);
    EXPECT_EQ(bandAt(band, Tall).arrowTop, band.arrow.top()) << "unchanged where it fits";
}

// On low_screen.json's 1366 x 720 the tall layout shrinks to the screen; a hidden window
// takes its layout's height until it shows.
TEST_F(BandTest, AShownWindowFitsItsScreen) {
    const BandDesign band = design();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QRect area = form->screen()->availableGeometry();
    ASSERT_EQ(area.height(), 720) << "the screen of low_screen.json";
    EXPECT_EQ(form->height(), Normal);
    const auto inside = [&] { return area.contains(form->frameGeometry()); };

    form->setTallLayout(true);
    EXPECT_TRUE(inside());
    EXPECT_NEAR(form->frameGeometry().bottom(), area.bottom(), 4) << "as high as the screen allows";
    EXPECT_LT(form->height(), Tall);
    EXPECT_LT(form->Image1->height(), band.picture.height());
    EXPECT_EQ(form->Image1->pixmap().size(), form->Image1->size());
    EXPECT_GE(form->picArrowDisplay->y(), band.instruction.bottom() + 1);
    EXPECT_EQ(form->lblInstruction->geometry(), band.instruction);

    form->setTallLayout(false);
    EXPECT_EQ(form->height(), Normal);
    EXPECT_TRUE(inside());
    form->hide();
    form->setTallLayout(true);
    EXPECT_EQ(form->height(), Tall);
    EXPECT_EQ(form->Image1->size(), band.picture.size());
    form->show();
    EXPECT_LT(form->height(), Tall);
    EXPECT_TRUE(inside());
}

// Where the tall layout fits once the window has moved up, it moves and keeps its height.
TEST_F(BandTest, MovesUpWhereThatIsEnough) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QRect area = form->screen()->availableGeometry();
    form->move(7, area.bottom() - 100);
    form->setTallLayout(false);
    EXPECT_TRUE(area.contains(form->frameGeometry())) << "the normal layout moved up";
    EXPECT_EQ(form->height(), Normal);
}

} // namespace
} // namespace velmaron::test
