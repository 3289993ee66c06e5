#pragma once
// A main window in a program directory of its own, with a fixed calendar day, message boxes
// recorded instead of shown, and the information window unloaded afterwards.

#include "app/form1.h"
#include "app/info/frm_info.h"
#include "app/message_boxes.h"

#include <QDate>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Dates in failure messages as ISO text.
inline void PrintTo(const QDate& date, std::ostream* out) {
    *out << date.toString(Qt::ISODate).toStdString();
}

namespace velmaron::test {

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        MessageBoxes::setHook([this](const QString& text) { messages << text; });
    }

    void TearDown() override {
        FrmInfo::Unload();
        form.reset();
        MessageBoxes::setHook({});
    }

    // wide: the marker file lies in the program's directory.
    Form1& makeForm(bool wide = false, QDate today = QDate(2023, 3, 1)) {
        if (wide) {
            QFile marker(programDir.filePath(QStringLiteral("VelmaronConfigWide.txt")));
            EXPECT_TRUE(marker.open(QIODevice::WriteOnly));
        }
        form = std::make_unique<Form1>(programDir.path(), [today] { return today; });
        // The poll has its own tests; here it would only add noise.
        form->Timer1->stop();
        return *form;
    }

    QTemporaryDir programDir;
    std::unique_ptr<Form1> form;
    QStringList messages;
};

} // namespace velmaron::test
