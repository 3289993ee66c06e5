#include "app/list_lines.h"

#include <QListWidget>

namespace velmaron {

void ListLines::restart() {
    open_ = true;
    next_ = 0;
}

void ListLines::write(const QString& line) {
    if (!open_ || next_ >= list_->count()) {
        list_->addItem(line);
    } else if (QListWidgetItem* row = list_->item(next_); row->text() != line) {
        row->setText(line);
    }
    if (open_)
        ++next_;
}

void ListLines::finish() {
    if (!open_)
        return;
    open_ = false;
    // From the end, so that no row moves up before it goes.
    for (int row = list_->count() - 1; row >= next_; --row)
        delete list_->takeItem(row);
}

} // namespace velmaron
