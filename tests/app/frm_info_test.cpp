// The information window: its two texts, its single instance and how the main window opens it.

#include "app_fixture.h"

namespace velmaron::test {
namespace {

using InfoTest = WindowTest;

const QString NotSuitable =
    QStringLiteral("The software version of this Velmaron is not suitable\r\n"
                   "for use with this configuration tool.");

bool isInstructions(const QString& text) {
    return text.startsWith(QStringLiteral("\r\nAnleitung\r\n"));
}

TEST_F(InfoTest, TextFollowsTheStatusLine) {
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("Nicht geeignet"), true},
        {QString(), false},
        {QStringLiteral("Nicht geeignet "), false},
        {QStringLiteral("nicht geeignet"), false},
    };
    for (const auto& [status, notSuitable] : cases) {
        form->lblMessage->setText(status);
        form->cmdHelp_Click();
        ASSERT_NE(FrmInfo::instance(), nullptr);
        const QString text = FrmInfo::instance()->lblInfo->text();
        EXPECT_TRUE(notSuitable ? text == NotSuitable : isInstructions(text))
            << status.toStdString();
        EXPECT_TRUE(FrmInfo::instance()->isVisible());
    }
}

// The version line loads the window only when none is loaded; the help button always anew.
TEST_F(InfoTest, HelpButtonReloadsButVersionLineOnlyShows) {
    form->lblMessage->setText(QStringLiteral("Nicht geeignet"));
    form->lblSWVersion_Click();
    QPointer<FrmInfo> first = FrmInfo::instance();
    ASSERT_FALSE(first.isNull());
    form->lblMessage->setText(QString());
    form->lblSWVersion_Click();
    EXPECT_EQ(FrmInfo::instance(), first.data());
    EXPECT_EQ(first->lblInfo->text(), NotSuitable);
    form->cmdHelp_Click();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(isInstructions(FrmInfo::instance()->lblInfo->text()));
}

TEST_F(InfoTest, ClosingTheMainWindowUnloadsEverything) {
    form->show();
    form->Timer1->start();
    form->cmdHelp_Click();
    QPointer<FrmInfo> info = FrmInfo::instance();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_TRUE(info.isNull());
}

} // namespace
} // namespace velmaron::test
