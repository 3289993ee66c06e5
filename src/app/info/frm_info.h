#pragma once
// The information window: instructions and notes on the device software versions. One
// instance exists in the program at a time; closing it unloads it.

#include <QWidget>

class QLabel;

namespace velmaron {

class FrmInfo : public QWidget {
    Q_OBJECT
public:
    // The loaded window, or nullptr.
    static FrmInfo* instance();
    // The loaded window; when there is none, a new one whose text follows mainStatus, the
    // caption of the main window's status line.
    static FrmInfo* Load(const QString& mainStatus);
    // Closes and deletes the loaded window, if any.
    static void Unload();

    // Shows the window beside the main window, which stays usable, and brings it forward.
    void showNonModal();

    QLabel* lblInfo = nullptr;

private:
    explicit FrmInfo(const QString& mainStatus);
    void Form_Load(const QString& mainStatus);
};

} // namespace velmaron
