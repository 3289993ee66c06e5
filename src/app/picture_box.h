#pragma once
// A picture box: a drawing surface of the box's own size that keeps what is drawn into it
// and shows it on every repaint. Code draws into surface() and then calls refresh().

#include <QPixmap>
#include <QWidget>

namespace velmaron {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The persistent image, always as large as the box; a new area is background coloured.
    QPixmap& surface();
    // Clears the surface to the background colour and draws the picture at the top left.
    void setPicture(const QPixmap& picture);
    // Puts the surface on the screen.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap image;
};

} // namespace velmaron
