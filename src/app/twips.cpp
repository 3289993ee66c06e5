#include "app/twips.h"

#include <QVariant>
#include <QWidget>

namespace velmaron {

namespace {

const char* const LeftProperty = "leftTwips";
const char* const TopProperty = "topTwips";

int readTwips(const QWidget* widget, const char* property, int pixels) {
    const QVariant stored = widget->property(property);
    // A stored value only holds while the widget still sits at its pixel.
    if (stored.isValid() && toPixels(stored.toInt()) == pixels)
        return stored.toInt();
    return pixels * TwipsPerPixel;
}

} // namespace

void placeTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
    widget->setProperty(LeftProperty, left);
    widget->setProperty(TopProperty, top);
}

void setLeftTwips(QWidget* widget, int left) {
    widget->move(toPixels(left), widget->y());
    widget->setProperty(LeftProperty, left);
}

void setTopTwips(QWidget* widget, int top) {
    widget->move(widget->x(), toPixels(top));
    widget->setProperty(TopProperty, top);
}

int leftTwips(const QWidget* widget) {
    return readTwips(widget, LeftProperty, widget->x());
}

int topTwips(const QWidget* widget) {
    return readTwips(widget, TopProperty, widget->y());
}

} // namespace velmaron
