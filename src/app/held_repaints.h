#pragma once
// Holds back the repaints of some controls while a handler sets them, and at the end repaints
// only those that show something else than before. Reading a device's settings sets every
// option control, mostly to what it showed already; that way it costs no paint.
//
// Nothing may let the event loop run while repaints are held: release() comes first.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

namespace velmaron {

class HeldRepaints {
public:
    HeldRepaints() = default;
    ~HeldRepaints() { release(); }
    HeldRepaints(const HeldRepaints&) = delete;
    HeldRepaints& operator=(const HeldRepaints&) = delete;

    // The controls and the widgets inside them; a control held already stays as it is.
    void hold(const std::vector<QWidget*>& controls);
    void release();

    // What a control shows, as far as code can change it: a value or cursor, a selection and
    // a text, beside its visibility and whether it is enabled.
    struct Shown {
        bool visible, enabled;
        int state, selection;
        QString text;
        bool operator==(const Shown&) const = default;
    };

private:
    struct Held {
        QPointer<QWidget> widget;
        Shown shown;
    };
    void holdOne(QWidget* widget);
    std::vector<Held> held_;
};

} // namespace velmaron
