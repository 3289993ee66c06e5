#pragma once
// Keeps a list box's rows in step with the lines written into it, touching only what
// changes: a row that already shows its line is left alone, so equal lines cost no item
// change, no relayout and no repaint.
//
// A pass starts with restart(); the lines written then take the rows from the top, and the
// rows below the last of them go at finish(). Outside a pass a line is simply appended.

#include <QString>

class QListWidget;

namespace velmaron {

class ListLines {
public:
    explicit ListLines(QListWidget* list) : list_(list) {}

    void restart();
    void write(const QString& line);
    void finish();

private:
    QListWidget* list_;
    bool open_ = false;
    int next_ = 0;
};

} // namespace velmaron
