#include "app/window_texts.h"

#include "app/qt_text.h"
#include "device/diagnostic_log.h"
#include "workflow/workflow_texts.h"

#include <QStringList>

namespace velmaron::WindowTexts {

const QString ApplicationTitle = QStringLiteral("Velmaron Configuration");
const QString InfoTitle = QStringLiteral("Velmaron Configuration Help");

const QString Option2Captions[2] = {QStringLiteral("Konfiguration"), QStringLiteral("Dateiname")};
const QString SelectFilesCaption = QStringLiteral("Bitte Konfiguration wählen");
const QString Check1Caption = QStringLiteral("Übersicht"), Check1Tip = QStringLiteral("TREP 01");
const QString Check2Caption = QStringLiteral("Tägliche Aktivitäten"),
              Check2Tip = QStringLiteral("TREP 02");
const QString DaysTip = QStringLiteral("Auf \"0\" setzen für \"seit letztem Download\""),
              DaysCaption = QStringLiteral("Tage");
const QString Check3Caption = QStringLiteral("Ereignisse && Störungen"),
              Check3Tip = QStringLiteral("TREP 03");
const QString Check4Caption = QStringLiteral("Detaillierte Geschwindigkeit (24h)"),
              Check4Tip = QStringLiteral("TREP 04");
const QString Check5Caption = QStringLiteral("Technische Daten"),
              Check5Tip = QStringLiteral("TREP 05");
const QString Check11Caption = QStringLiteral("Von/Bis"),
              Check11Tip = QStringLiteral("Ab Firmwareversion 54 verfügbar");
const QString StartCaption = QStringLiteral("Download von"),
              EndCaption = QStringLiteral("Download bis");
const QString Check6Caption = QStringLiteral("Download der Fahrerkarte (sofern im Tacho gesteckt)"),
              Check6Tip = QStringLiteral("TREP 06");
const QString Check7Caption = QStringLiteral("Datum auf Karte schreiben"),
              Check7Tip =
                  QStringLiteral("Für Kartendownload direkt mit dem Velmaron Plus oder Blue");
const QString Check9Caption = QStringLiteral("Detaillierte Geschwindigkeit (168h)"),
              Check9Tip =
                  QStringLiteral("168 h Geschwindigkeitsdaten (Verfügbar in VDO Tachographen)");
const QString Check10Caption = QStringLiteral("4 Hz Daten"),
              Check10Tip =
                  QStringLiteral("4 Hz Geschwindigkeitsdaten (Verfügbar in VDO Tachographen)");
const QString Check8Caption = QStringLiteral("VDO spezifische Daten"),
              Check8Tip = QStringLiteral("Verfügbar in VDO Tachographen");
const QString FileNameCaption = QStringLiteral("Dateiformat wählen");
const QString Option1Captions[5] = {
    QStringLiteral("Abgekürzter Dateiname"), QStringLiteral("Europa/VDO(DDD)"),
    QStringLiteral("Französisch (C1B/V1B)"), QStringLiteral("Spanisch (TGD)"),
    QStringLiteral("Brennick (DDD)")};
const QString ModelCaptions[2] = {QStringLiteral("Velmaron"), QStringLiteral("Velmaron Plus")};
const QString HelpCaption = QStringLiteral("&?");
const QString VersionLabelStart = QStringLiteral("SW Version - ");
const QString ConfigureCaption = QStringLiteral("&Konfigurieren");
const QString StateCaption = QStringLiteral("State");

const QString HelpName = QStringLiteral("Information");
const QString DiagnosticsName = QStringLiteral("Diagnose");
const QString ModelName = QStringLiteral("Modell");

const QString EuropeanFileName = QStringLiteral("Europa/VDO(DDD)");
const QString AbbreviatedFileNameOld = QStringLiteral("Abgekürzter Dateiname\"");
const QString ConfigNotAvailable = QStringLiteral("Config. not available");

QString RevisionText(int major, int minor, int patch) {
    return QStringLiteral("Rev. %1.%2.%3").arg(major).arg(minor).arg(patch);
}

QString CopyrightText(int year) {
    return QStringLiteral("© %1 Velmaron").arg(year);
}

QString MissingDrivesFolderMessage(const QString& folder) {
    return QStringLiteral("Der Ordner %1 existiert nicht.").arg(folder);
}

QString LogRefusedMessage(const QString& file, const std::string& reason) {
    const QString why = reason == DiagnosticLog::OnDevice
                            ? QStringLiteral("es läge auf dem Velmaron")
                            : QString::fromStdString(reason);
    return QStringLiteral("Das Protokoll %1 kann nicht geöffnet werden: %2").arg(file, why);
}

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

// A bad header is told on its own, before the file is deleted as broken.
QString VersionFileProblemMessage(VersionFileProblem problem) {
    if (problem == VersionFileProblem::BadHeader)
        return toQString(TextOf(problem));
    return toQString(TextOf(problem)) + LineBreak + toQString(ReconnectText()) + LineBreak +
           QStringLiteral("Warten Sie einen Moment und klicken auf \"Aktuelle Einstellungen\".");
}

QString InfoText(const QString& mainStatus) {
    // The main window's status line when the device's software is too old.
    if (mainStatus == toQString(TextOf(Message::NotSuitable)))
        return notSuitableNotice();
    return instructions();
}

} // namespace velmaron::WindowTexts
