#include "app/picture_box.h"

#include "app/artwork.h"

#include <QPainter>

namespace velmaron {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

QPixmap& PictureBox::surface() {
    if (image.size() != size()) {
        QPixmap resized(size());
        resized.fill(backgroundColour());
        if (!image.isNull()) {
            QPainter painter(&resized);
            painter.drawPixmap(0, 0, image);
        }
        image = resized;
    }
    return image;
}

void PictureBox::setPicture(const QPixmap& picture) {
    QPixmap& target = surface();
    target.fill(backgroundColour());
    QPainter painter(&target);
    painter.drawPixmap(0, 0, picture);
    painter.end();
    refresh();
}

void PictureBox::refresh() {
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, surface());
}

} // namespace velmaron
