#include "app/tri_state_check_box.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace velmaron {

namespace {

// The one place where the program's values meet Qt's states (Qt counts Unchecked 0,
// PartiallyChecked 1, Checked 2).
Qt::CheckState toQtState(int value) {
    switch (value) {
    case 1:
        return Qt::Checked;
    case 2:
        return Qt::PartiallyChecked;
    default:
        return Qt::Unchecked;
    }
}

int fromQtState(Qt::CheckState state) {
    switch (state) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

} // namespace

TriStateCheckBox::TriStateCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent) {
    setTristate(true);
}

int TriStateCheckBox::value() const {
    return fromQtState(checkState());
}

void TriStateCheckBox::setValue(int value) {
    setCheckState(toQtState(value));
}

void TriStateCheckBox::nextCheckState() {
    setValue(value() == 1 ? 0 : 1);
}

bool TriStateCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void TriStateCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const int textLeft = indicator.rect.right() + 1 + spacing;
    const QRect textArea(textLeft, 0, width() - textLeft, height());
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    painter.drawItemText(textArea, flags, option.palette, isEnabled(), text(),
                         QPalette::WindowText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect =
            painter.fontMetrics().boundingRect(textArea, flags, text()).adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace velmaron
