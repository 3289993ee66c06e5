#include "app/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace velmaron {

namespace {

QPixmap transparentPixmap(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QLinearGradient verticalGradient(qreal top, qreal bottom, const QColor& from, const QColor& to) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

void roundedRect(QPainter& painter, const QRectF& rect, qreal radius, const QPen& pen,
                 const QBrush& brush) {
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.drawRoundedRect(rect, radius, radius);
}

// The green and the orange light of the device, side by side.
void drawLights(QPainter& painter, const QPointF& green, qreal spacing, qreal radius) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(80, 200, 90));
    painter.drawEllipse(green, radius, radius);
    painter.setBrush(QColor(245, 160, 40));
    painter.drawEllipse(green + QPointF(spacing, 0), radius, radius);
}

// The device body with its display, lights and the driver card in its slot; the USB socket
// sits on its left side at socketY.
void drawDevice(QPainter& painter, const QRectF& body, qreal socketY) {
    const QRectF card(body.left() + 18, body.top() - 34, body.width() - 36, 50);
    roundedRect(
        painter, card, 4, QPen(QColor(40, 60, 110), 1.5),
        verticalGradient(card.top(), card.bottom(), QColor(250, 252, 255), QColor(170, 195, 235)));
    roundedRect(painter, QRectF(card.left() + 10, card.top() + 8, 16, 12), 2, Qt::NoPen,
                QColor(214, 170, 60));

    roundedRect(
        painter, body, 14, QPen(QColor(25, 27, 31), 2),
        verticalGradient(body.top(), body.bottom(), QColor(92, 98, 108), QColor(38, 41, 46)));
    roundedRect(painter, QRectF(body.left() + 14, body.top() + 4, body.width() - 28, 6), 3,
                Qt::NoPen, QColor(18, 19, 22));

    const QRectF screen(body.left() + 12, body.top() + 22, body.width() - 24, 44);
    roundedRect(painter, screen, 4, QPen(QColor(20, 22, 25), 2),
                verticalGradient(screen.top(), screen.bottom(), QColor(176, 226, 186),
                                 QColor(128, 190, 142)));
    painter.setPen(QPen(QColor(30, 70, 40), 3, Qt::SolidLine, Qt::RoundCap));
    for (int line = 0; line < 3; ++line) {
        const qreal y = screen.top() + 11 + line * 11;
        painter.drawLine(QPointF(screen.left() + 8, y), QPointF(screen.right() - 8 - line * 14, y));
    }

    drawLights(painter, QPointF(body.left() + 24, body.top() + 82), 18, 5);
    roundedRect(painter, QRectF(body.left() + 18, body.top() + 104, body.width() - 36, 26), 8,
                Qt::NoPen, QColor(120, 126, 136));
    roundedRect(painter, QRectF(body.left() - 2, socketY - 8, 8, 16), 0, Qt::NoPen,
                QColor(20, 20, 22));
}

// The cable from the left edge into the socket, with its plug.
void drawCable(QPainter& painter, qreal plugRight, qreal y) {
    painter.setPen(QPen(QColor(45, 45, 50), 9, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(0, y), QPointF(plugRight - 40, y));
    const QPen outline(QColor(25, 25, 28), 1.5);
    roundedRect(painter, QRectF(plugRight - 44, y - 11, 30, 22), 4, outline,
                verticalGradient(y - 11, y + 11, QColor(90, 90, 98), QColor(40, 40, 46)));
    roundedRect(painter, QRectF(plugRight - 14, y - 7, 14, 14), 0, outline,
                verticalGradient(y - 7, y + 7, QColor(235, 235, 240), QColor(150, 150, 160)));
}

} // namespace

QColor backgroundColour() {
    return QColor(198, 217, 241);
}

QImage programIconImage(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 72 x 72 grid, scaled so that every size is sharp.
    painter.scale(size / 72.0, size / 72.0);
    roundedRect(painter, QRectF(4, 4, 64, 64), 14, QPen(QColor(20, 60, 120), 2),
                verticalGradient(4, 68, QColor(70, 140, 225), QColor(25, 80, 160)));
    const QPen outline(QColor(20, 40, 80), 1.5);
    roundedRect(painter, QRectF(24, 14, 34, 46), 7, outline, QColor(250, 252, 255));
    roundedRect(painter, QRectF(29, 20, 24, 16), 3, outline, QColor(128, 200, 142));
    drawLights(painter, QPointF(33, 46), 10, 3.5);

    painter.setPen(QPen(QColor(250, 252, 255), 5, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(8, 40), QPointF(18, 40));
    roundedRect(painter, QRectF(17, 35, 8, 10), 0, Qt::NoPen, QColor(250, 252, 255));
    return icon;
}

QPixmap programIcon() {
    return QPixmap::fromImage(programIconImage(72));
}

QPixmap devicePicture() {
    QPixmap picture = transparentPixmap(270, 221);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal socketY = 130;
    const QRectF body(166, 40, 98, 176);
    drawCable(painter, body.left() - 2, socketY);
    drawDevice(painter, body, socketY);
    return picture;
}

QPixmap arrowPicture(ArrowDirection direction) {
    QPixmap arrow = transparentPixmap(100, 47);
    QPainter painter(&arrow);
    painter.setRenderHint(QPainter::Antialiasing);
    if (direction == ArrowDirection::Left) {
        painter.translate(100, 0);
        painter.scale(-1, 1);
    }
    QPainterPath path;
    path.moveTo(2, 14);
    path.lineTo(58, 14);
    path.lineTo(58, 2);
    path.lineTo(98, 23.5);
    path.lineTo(58, 45);
    path.lineTo(58, 33);
    path.lineTo(2, 33);
    path.closeSubpath();
    painter.setPen(QPen(QColor(10, 50, 130), 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(verticalGradient(2, 45, QColor(70, 150, 245), QColor(20, 90, 200)));
    painter.drawPath(path);
    return arrow;
}

} // namespace velmaron
