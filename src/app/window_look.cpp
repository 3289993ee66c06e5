#include "app/window_look.h"

#include "app/artwork.h"

#include <QWidget>

namespace velmaron {

void applyWindowLook(QWidget* window) {
    // Both windows have a fixed size, so there is nothing to maximise.
    window->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // The children take the colour over through the palette.
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, backgroundColour());
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    QFont font = window->font();
    // The layout's widths suit the metrics of Arial and of its metric twin. The twin comes
    // first: where it is installed (Linux) it is the face wanted, and asking first for a
    // family that is missing costs a search through the fallbacks at every start.
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    window->setFont(font);
}

} // namespace velmaron
