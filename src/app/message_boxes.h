#pragma once
// The one place that shows message boxes: an OK button and the application's title. Tests
// put a hook in its place, so that nothing waits for a click and the texts can be read.

#include <QString>
#include <functional>

namespace velmaron {

class MessageBoxes {
public:
    using Hook = std::function<void(const QString& text)>;

    // Modal: returns when the user has pressed OK (or at once when a hook is set).
    static void ShowMessage(const QString& text);
    // An empty hook brings the real message box back.
    static void setHook(Hook hook);

private:
    static Hook& hook();
};

} // namespace velmaron
