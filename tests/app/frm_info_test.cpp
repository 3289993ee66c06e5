// The information window: its two texts, its single instance and how the main window opens it.

#include "app/info/frm_info.h"
#include "app_fixture.h"

#include <QLabel>
#include <QPointer>

namespace velmaron::test {
namespace {

using InfoTest = AppTest;

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
    Form1& window = makeForm();
    for (const auto& [status, text] : cases) {
        window.lblMessage->setText(status);
        window.cmdHelp_Click();
        FrmInfo* info = FrmInfo::instance();
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->lblInfo->text(), *text) << status.toStdString();
        EXPECT_TRUE(info->isVisible());
        EXPECT_EQ(info->windowTitle(), QStringLiteral("Velmaron Configuration Help"));
    }
}

TEST_F(InfoTest, HelpButtonReloadsButVersionLineOnlyShows) {
    Form1& window = makeForm();
    window.lblMessage->setText(QStringLiteral("Nicht geeignet"));
    window.lblSWVersion_Click(); // none loaded yet: loads one
    QPointer<FrmInfo> first = FrmInfo::instance();
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first->lblInfo->text(), NotSuitable);

    window.lblMessage->setText(QString());
    window.lblSWVersion_Click();
    EXPECT_EQ(FrmInfo::instance(), first.data());
    EXPECT_EQ(first->lblInfo->text(), NotSuitable);

    window.cmdHelp_Click();
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(FrmInfo::instance(), nullptr);
    EXPECT_EQ(FrmInfo::instance()->lblInfo->text(), Instructions);
}

TEST_F(InfoTest, ClosingTheMainWindowUnloadsEverything) {
    Form1& window = makeForm();
    window.show();
    window.Timer1->start();
    window.cmdHelp_Click();
    QPointer<FrmInfo> info = FrmInfo::instance();
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_TRUE(info.isNull());
}

} // namespace
} // namespace velmaron::test
