#pragma once
// A main window in a program directory of its own, with a fixed calendar day, message boxes
// recorded instead of shown and the information window unloaded afterwards, on simulated
// drives: devices are plugged in and pulled by moving their folders, their version files are
// built byte by byte, and the arrow display is read back as what it shows.

#include "app/clickable_label.h"
#include "app/form1.h"
#include "app/info/frm_info.h"
#include "app/message_boxes.h"
#include "app/picture_box.h"
#include "app/tri_state_check_box.h"
#include "support/sim_drives.h"
#include "support/version_files.h"

// The window's header only names its controls' classes; the tests reach into all of them.
#include <QButtonGroup>
#include <QDate>
#include <QDateEdit>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

// Dates in failure messages as ISO text.
inline void PrintTo(const QDate& date, std::ostream* out) {
    *out << date.toString(Qt::ISODate).toStdString();
}

namespace velmaron::test {

namespace fs = std::filesystem;

using testing::Bytes;
using testing::formLength;
using testing::header;
using testing::qx;
using testing::versionFile;

inline std::vector<std::string> listLines(const QListWidget* list) {
    std::vector<std::string> lines;
    for (int row = 0; row < list->count(); ++row)
        lines.push_back(list->item(row)->text().toStdString());
    return lines;
}

// One mark per widget: x where it is enabled, - elsewhere.
inline std::string enabled(std::initializer_list<const QWidget*> widgets) {
    std::string marks;
    for (const QWidget* widget : widgets)
        marks += widget->isEnabled() ? 'x' : '-';
    return marks;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        MessageBoxes::setHook([this](const QString& text) { messages << text; });
        newWindow();
    }

    void TearDown() override {
        FrmInfo::Unload();
        form.reset();
        MessageBoxes::setHook({});
    }

    // The poll runs only when a test calls its handler.
    Form1& newWindow(QDate today = QDate(2023, 3, 1)) {
        form = std::make_unique<Form1>(programDir.path(), [today] { return today; });
        form->Timer1->stop();
        form->setDriveServices(MakeSimulatedDriveServices(sim.folder().string()));
        return *form;
    }

    // Waits until the window is the active one.
    static void activate(QWidget* window) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    fs::path drive(char letter) const { return sim.folder() / std::string(1, letter); }
    fs::path updates(char letter = 'E') const { return drive(letter) / "UPDATES"; }
    fs::path versionPath(char letter = 'E') const { return updates(letter) / "digivers.ion"; }

    void plugIn(char letter, const std::string& versionText) {
        sim.addDevice(letter);
        velmaron::testing::writeFile(versionPath(letter), versionText);
    }
    // Pulling the cable moves the drive's folder out of sight; plugging in brings it back.
    void pull(char letter) { fs::rename(drive(letter), sim.folder() / pulledName(letter)); }
    void replug(char letter) { fs::rename(sim.folder() / pulledName(letter), drive(letter)); }

    // Lets the window read the device's settings, as a poll with one device does.
    void read(const std::string& versionText) {
        plugIn('E', versionText);
        readAgain();
    }
    void readAgain() {
        form->ScanForDevices();
        settle();
        ASSERT_EQ(form->workflow().facts().deviceCount, 1);
        form->FindCurrentSettings();
        settle();
    }

    // The device worker's results are shown on the window's thread; until they all are. What
    // the worker hands back is posted before it is idle; the window's events go on meanwhile.
    void settle() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!form->workflow().idle() && std::chrono::steady_clock::now() < deadline) {
            form->workflow().waitForDevice(std::chrono::milliseconds(2));
            QCoreApplication::processEvents();
        }
        ASSERT_TRUE(form->workflow().idle());
    }
    void tick() {
        form->Timer1_Timer();
        settle();
    }
    // The reconnect procedure starts the poll timer; here only the test's own calls tick.
    void configure() {
        form->cmdConfigure_Click();
        settle();
        timerStarted = form->Timer1->isActive();
        form->Timer1->stop();
    }

    // The instruction, or "normal" in the normal layout, where it cannot be seen.
    std::string instruction() const {
        return form->isTallLayout() ? form->lblInstruction->text().toStdString() : "normal";
    }
    // What the user sees: WorkflowState and lblState, whether cmdConfigure is enabled,
    // lblMessage and the instruction.
    std::string seen() const {
        return std::to_string(form->WorkflowState()) + " " + form->lblState->text().toStdString() +
               (form->cmdConfigure->isEnabled() ? " on " : " off ") +
               form->lblMessage->text().toStdString() + " | " + instruction();
    }

    // What the arrow display holds: "hidden", "blank", "in@0", "in@32", "out@0", "out@32" or
    // "other".
    std::string arrowShown() const {
        if (form->picArrowDisplay->isHidden())
            return "hidden";
        const QImage shown = imageOf(form->picArrowDisplay);
        const QImage blank = imageOf(form->picNoArrow);
        if (shown == blank)
            return "blank";
        for (const auto& [name, box] :
             {std::pair{"in", form->picInArrow}, std::pair{"out", form->picOutArrow}}) {
            for (int left : {0, 32}) {
                QImage expected = blank;
                QPainter painter(&expected);
                painter.drawImage(left, 0, imageOf(box));
                painter.end();
                if (shown == expected)
                    return std::string(name) + "@" + std::to_string(left);
            }
        }
        return "other";
    }

    static QImage imageOf(PictureBox* box) {
        return box->surface().toImage().convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir programDir;
    velmaron::testing::SimDrives sim;
    std::unique_ptr<Form1> form;
    QStringList messages;
    bool timerStarted = false;

private:
    static std::string pulledName(char letter) { return std::string("pulled-") + letter; }
};

} // namespace velmaron::test
