#include "app/message_boxes.h"

#include "app/window_texts.h"

#include <QApplication>
#include <QMessageBox>

namespace velmaron {

MessageBoxes::Hook& MessageBoxes::hook() {
    static Hook current;
    return current;
}

void MessageBoxes::setHook(Hook replacement) {
    hook() = std::move(replacement);
}

void MessageBoxes::ShowMessage(const QString& text) {
    if (hook()) {
        hook()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, WindowTexts::ApplicationTitle, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace velmaron
