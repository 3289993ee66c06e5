// The information window: its two texts, its single instance and how the main window opens it.

#include "app_fixture.h"

namespace velmaron::test {
namespace {

using InfoTest = WindowTest;

const QString NotSuitable =
    QStringLiteral("The software version of this Velmaron is not suitable\r\n"
                   "for use with this configuration tool.");

const QString Instructions = QStringLiteral(
    "\r\n"
    "Anleitung\r\n"
    "Verbinden Sie Ihren Velmaron/Plus/Blue inkl. Memorykarte oder den Velmaron CR mit Ihrem "
    "Computer. Verwenden Sie dieses Tool um die gewünschte Konfiguration einzustellen. Klicken "
    "Sie auf \"Konfigurieren\" und folgen Sie den Anweisungen auf dem Bildschirm.\r\n"
    "\r\n"
    "\"Seit letztem Download\" Einstellungen\r\n"
    "Vor SW 27 - Download der Standard Fahrzeugdaten\r\n"
    "SW 27 und aktueller - Download auch von speziellen Herstellerdaten möglich\r\n"
    "\r\n"
    "\"Download von\" und \"Download bis\" seit SW 54 verfügbar\r\n"
    "\r\n"
    "\"Seit letztem Download\" nicht relevant für den VelmaronCR\r\n"
    "\r\n"
    "Heruntergeladene Dateinamen\r\n"
    "SW 23 und älter - Abgekürzte Dateinamen, ESM/CRD oder DDD\r\n"
    "SW 27 und älter - Lange oder abgekürzte Dateinamen.\r\n"
    "\r\n"
    "Hinweise\r\n"
    "Velmaron und Velmaron Plus Geräte mit einer Softwareversion älter 23 sind nicht für die "
    "Verwendung mit diesem Konfigurationstool geeignet.\r\n"
    "Unabhängig von der Softwareversion, unterstützen Velmaron-Geräte bis zur Seriennummer "
    "26000 keine langen Dateinamen.");

TEST_F(InfoTest, TextFollowsTheStatusLine) {
    const std::pair<QString, const QString*> cases[] = {
        {QStringLiteral("Nicht geeignet"), &NotSuitable},
        {QString(), &Instructions},
        {QStringLiteral("Nicht geeignet "), &Instructions},
        {QStringLiteral("nicht geeignet"), &Instructions},
    };
    for (const auto& [status, text] : cases) {
        form->lblMessage->setText(status);
        form->cmdHelp_Click();
        ASSERT_NE(FrmInfo::instance(), nullptr);
        EXPECT_EQ(FrmInfo::instance()->lblInfo->text(), *text) << status.toStdString();
        EXPECT_TRUE(FrmInfo::instance()->isVisible());
    }
    EXPECT_EQ(FrmInfo::instance()->windowTitle(), QStringLiteral("Velmaron Configuration Help"));
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
    EXPECT_EQ(FrmInfo::instance()->lblInfo->text(), Instructions);
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
