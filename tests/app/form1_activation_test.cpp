// Activation of the main window resets the workflow only when the window is first shown and
// when the user comes back from the information window.

#include "app_fixture.h"

#include <QApplication>
#include <QMessageBox>
#include <QWindow>

namespace velmaron::test {
namespace {

class ActivationTest : public WindowTest {
protected:
    // Shows the main window and waits until it has become active the first time, which
    // resets whatever state it had.
    void SetUp() override {
        WindowTest::SetUp();
        plugIn('E', qx(54));
        startRun(QStringLiteral("Erfolgreich Gespeichert!"));
        form->show();
        activate(form.get());
        ASSERT_EQ(run(), "0 ");
    }

    // A run in progress: the device configured and waiting for the cable, with a status line.
    void startRun(const QString& message = QStringLiteral("Velmaron gefunden")) {
        if (form->WorkflowState() != WaitForUnplug) {
            tick();
            configure();
        }
        ASSERT_EQ(form->WorkflowState(), WaitForUnplug);
        form->lblMessage->setText(message);
    }
    std::string run() const {
        return std::to_string(form->WorkflowState()) + " " + form->lblMessage->text().toStdString();
    }
};

const char* const Kept = "2 Velmaron gefunden";

// Opened from the version line during a run and left for the main window, or closed: both
// reset, and the next tick starts the run afresh.
TEST_F(ActivationTest, ReturningFromTheInformationWindowResets) {
    tick();
    configure();
    tick();
    ASSERT_EQ(form->WorkflowState(), 2);
    form->lblSWVersion_Click();
    QPointer<FrmInfo> info = FrmInfo::instance();
    ASSERT_TRUE(QTest::qWaitForWindowActive(info));
    EXPECT_EQ(form->WorkflowState(), 2);
    activate(form.get());
    EXPECT_EQ(run(), "0 ");
    tick();
    EXPECT_EQ(run(), "1 Konfiguration gelesen");
    EXPECT_TRUE(form->cmdConfigure->isEnabled() && !form->isTallLayout());

    activate(info);
    startRun();
    info->close();
    activate(form.get()); // what the window manager does when the active window goes
    EXPECT_EQ(run(), "0 ");
    EXPECT_TRUE(QTest::qWaitFor([&info] { return info.isNull(); }));
}

TEST_F(ActivationTest, ClosedMessageBoxKeepsTheRun) {
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
    EXPECT_EQ(run(), Kept);
}

// The sequences of focus windows that the platform reports; nullptr is a window of another
// program (or a moment without focus between two windows), Other one of this program such as
// a message box.
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
        EXPECT_EQ(run(), c.reset ? "0 " : Kept);
    }
}

} // namespace
} // namespace velmaron::test
