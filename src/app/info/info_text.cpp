#include "app/info/info_text.h"

#include "app/qt_text.h"
#include "workflow/workflow_texts.h"

#include <QStringList>

namespace velmaron {

namespace {

const QString LineBreak = QStringLiteral("\r\n");

QString notSuitableNotice() {
    return QStringLiteral("The software version of this Velmaron is not suitable") + LineBreak +
           QStringLiteral("for use with this configuration tool.");
}

QString instructions() {
    const QStringList lines = {
        QString(),
        QStringLiteral("Anleitung"),
        QStringLiteral("Verbinden Sie Ihren Velmaron/Plus/Blue inkl. Memorykarte oder den "
                       "Velmaron CR mit Ihrem Computer. ") +
            QStringLiteral("Verwenden Sie dieses Tool um die gewünschte Konfiguration "
                           "einzustellen. ") +
            QStringLiteral("Klicken Sie auf \"Konfigurieren\" und folgen Sie den Anweisungen "
                           "auf dem Bildschirm."),
        QString(),
        QStringLiteral("\"Seit letztem Download\" Einstellungen"),
        QStringLiteral("Vor SW 27 - Download der Standard Fahrzeugdaten"),
        QStringLiteral(
            "SW 27 und aktueller - Download auch von speziellen Herstellerdaten möglich"),
        QString(),
        QStringLiteral("\"Download von\" und \"Download bis\" seit SW 54 verfügbar"),
        QString(),
        QStringLiteral("\"Seit letztem Download\" nicht relevant für den VelmaronCR"),
        QString(),
        QStringLiteral("Heruntergeladene Dateinamen"),
        QStringLiteral("SW 23 und älter - Abgekürzte Dateinamen, ESM/CRD oder DDD"),
        QStringLiteral("SW 27 und älter - Lange oder abgekürzte Dateinamen."),
        QString(),
        QStringLiteral("Hinweise"),
        QStringLiteral("Velmaron und Velmaron Plus Geräte mit einer Softwareversion älter 23 "
                       "sind nicht ") +
            QStringLiteral("für die Verwendung mit diesem Konfigurationstool geeignet."),
        QStringLiteral("Unabhängig von der Softwareversion, unterstützen Velmaron-Geräte bis "
                       "zur Seriennummer 26000") +
            QStringLiteral(" keine langen Dateinamen."),
    };
    return lines.join(LineBreak);
}

} // namespace

QString InfoText(const QString& mainStatus) {
    // The main window's status line when the device's software is too old.
    if (mainStatus == toQString(TextOf(Message::NotSuitable)))
        return notSuitableNotice();
    return instructions();
}

} // namespace velmaron
