// Activation of the main window resets the workflow only when the window is first shown and
// when the user comes back from the information window.

#include "app_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QWindow>

namespace velmaron::test {
namespace {

class ActivationTest : public AppTest {
protected:
    // A run in progress: waiting for the cable, with a status line.
    void startRun() {
        form->WorkflowState = 2;
        form->lblMessage->setText(QStringLiteral("Velmaron gefunden"));
    }

    bool runKept() const {
        return form->WorkflowState == 2 &&
               form->lblMessage->text() == QStringLiteral("Velmaron gefunden");
    }

    bool runReset() const { return form->WorkflowState == 0 && form->lblMessage->text().isEmpty(); }

    // Shows the main window and waits until it has become active the first time, which
    // resets whatever state it had.
    void showForm() {
        makeForm();
        form->WorkflowState = 4;
        form->lblMessage->setText(QStringLiteral("Erfolgreich Gespeichert!"));
        form->show();
        activate(form.get());
        ASSERT_TRUE(runReset());
    }

    void activate(QWidget* window) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
};

// Opened from the version line and left for the main window, or closed: both reset.
TEST_F(ActivationTest, ReturningFromTheInformationWindowResets) {
    showForm();
    startRun();
    form->lblSWVersion_Click();
    QPointer<FrmInfo> info = FrmInfo::instance();
    ASSERT_TRUE(QTest::qWaitForWindowActive(info));
    EXPECT_TRUE(runKept());
    activate(form.get());
    EXPECT_TRUE(runReset());

    activate(info);
    startRun();
    info->close();
    activate(form.get()); // what the window manager does when the active window goes
    EXPECT_TRUE(runReset());
    EXPECT_TRUE(QTest::qWaitFor([&info] { return info.isNull(); }));
}

TEST_F(ActivationTest, ClosedMessageBoxKeepsTheRun) {
    showForm();
    startRun();
    MessageBoxes::setHook({}); // the real message box, closed as soon as it is active
    bool wasActive = false;
    QTimer::singleShot(0, [&wasActive] {
        QWidget* box = nullptr;
        if (QTest::qWaitFor(
                [&box] { return (box = QApplication::activeModalWidget()) != nullptr; }))
            wasActive = QTest::qWaitForWindowActive(box);
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* messageBox = qobject_cast<QMessageBox*>(window))
                messageBox->accept();
    });
    MessageBoxes::ShowMessage(QStringLiteral("Konfigurationsdatei fehlt."));
    EXPECT_TRUE(wasActive);
    activate(form.get());
    EXPECT_TRUE(runKept());
}

TEST_F(ActivationTest, SwitchFromAnotherWindowKeepsTheRun) {
    showForm();
    startRun();
    // Stands for a window that is not the information window, such as the file manager's.
    QWindow other;
    other.resize(100, 100);
    other.show();
    other.requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    activate(form.get());
    EXPECT_TRUE(runKept());
}

// The sequences of focus windows that the platform reports; nullptr is a window of another
// program (or a moment without focus between two windows).
TEST_F(ActivationTest, FocusSequences) {
    enum class W { Form, Info, Other, None };
    const struct {
        const char* name;
        std::vector<W> sequence;
        bool reset;
    } cases[] = {
        {"another program and back", {W::None, W::Form}, false},
        {"message box or stand-in and back", {W::Other, W::Form}, false},
        {"from the information window", {W::Info, W::Form}, true},
        {"from it through a moment without focus", {W::Info, W::None, W::Form}, true},
        {"information window, then another window", {W::Info, W::Other, W::Form}, false},
        {"main window refocused without leaving", {W::Form}, false},
    };
    showForm();
    form->cmdHelp_Click();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FrmInfo::instance()));
    activate(form.get());
    QWindow other;
    other.create();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startRun();
        for (W w : c.sequence) {
            QWindow* focus = w == W::Form    ? form->windowHandle()
                             : w == W::Info  ? FrmInfo::instance()->windowHandle()
                             : w == W::Other ? &other
                                             : nullptr;
            emit qGuiApp->focusWindowChanged(focus);
        }
        EXPECT_EQ(runReset(), c.reset);
        EXPECT_EQ(runKept(), !c.reset);
    }
}

} // namespace
} // namespace velmaron::test
