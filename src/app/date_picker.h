#pragma once
// A date picker in German with a calendar pop-up. The pop-up is built when it first opens:
// building it loads icon themes and image plugins, which start-up need not wait for.

#include <QDateEdit>

namespace velmaron {

class DatePicker : public QDateEdit {
public:
    explicit DatePicker(QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool onArrow(const QPoint& pos) const;
};

} // namespace velmaron
