#pragma once
// A check box that holds the program's values 0 (clear), 1 (ticked) and 2 (greyed) and
// wraps a long caption over several lines within its width.

#include <QCheckBox>

namespace velmaron {

class TriStateCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TriStateCheckBox(const QString& caption, QWidget* parent = nullptr);

    int value() const;
    // Values other than 1 and 2 clear the box. Emits stateChanged only when the value changes.
    void setValue(int value);

protected:
    // A click toggles between clear and ticked; only code sets the greyed state.
    void nextCheckState() override;
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace velmaron
