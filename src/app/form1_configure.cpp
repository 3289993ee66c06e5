// The configure command: it finds the device itself, writes the window's configuration onto
// it and hands over to the poll timer, which leads the user through unplugging and replugging.

#include "app/form1.h"
#include "app/handler_steps.h"
#include "app/message_boxes.h"
#include "app/tri_state_check_box.h"
#include "config/config_file.h"
#include "device/device_scan.h"
#include "device/version_file.h"
#include "workflow/cleanup.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace velmaron {

namespace {

const QString NotSaved = QStringLiteral("Konfiguration konnte nicht gespeichert werden.\r\n");
// For failures without a more telling reason.
const QString FallbackMessage =
    NotSaved + QStringLiteral("Die Datei konnte nicht angelegt werden.");

QString messageFor(ConfigError error) {
    switch (error) {
    case ConfigError::PeriodOutOfRange:
        return NotSaved + QStringLiteral("Die Anzahl der Tage ist zu groß.");
    case ConfigError::DateOutOfRange:
        return NotSaved + QStringLiteral("Das Datum liegt außerhalb des gültigen Bereichs.");
    case ConfigError::RangeInverted:
        return NotSaved + QStringLiteral("Das Enddatum liegt vor dem Startdatum.");
    case ConfigError::UnknownDeviceType:
    case ConfigError::None:
        break;
    }
    return FallbackMessage;
}

QString messageFor(SaveError error) {
    switch (error) {
    case SaveError::UpdatesMissing:
        return NotSaved + QStringLiteral("Auf dem Velmaron fehlt das Verzeichnis UPDATES.");
    case SaveError::WriteProtected:
        return NotSaved + QStringLiteral("Der Velmaron ist schreibgeschützt.");
    case SaveError::DeviceGone:
        return NotSaved + QStringLiteral("Der Velmaron wurde getrennt.");
    case SaveError::PulledWhileSaving:
        // A complete file may stay on the device, which takes it over when plugged in again:
        // "not saved" would not be the truth.
        return QStringLiteral("Das Speichern wurde unterbrochen.\r\n"
                              "Der Velmaron wurde beim Speichern getrennt und muss erneut "
                              "konfiguriert werden.");
    case SaveError::WriteFailed:
        return NotSaved + QStringLiteral("Die Datei konnte nicht vollständig geschrieben werden.");
    case SaveError::ReadBackMismatch:
        return NotSaved + QStringLiteral("Die gespeicherte Datei weicht ab.");
    case SaveError::CannotCreate:
    case SaveError::None:
        break;
    }
    return FallbackMessage;
}

// A picker's calendar day at midnight.
DateTime dateTimeOf(const QDateEdit* picker) {
    constexpr qint64 julianDayOf1970 = 2440588;
    return DateTime(
        std::chrono::sys_days(std::chrono::days(picker->date().toJulianDay() - julianDayOf1970)));
}

ConfigSettings settingsOf(const Form1& form) {
    ConfigSettings s;
    s.Check2 = form.Check2->value();
    s.Check3 = form.Check3->value();
    s.Check4 = form.Check4->value();
    s.Check5 = form.Check5->value();
    s.Check6 = form.Check6->value();
    s.Check7 = form.Check7->value();
    s.Check8 = form.Check8->value();
    s.Check9 = form.Check9->value();
    s.Check10 = form.Check10->value();
    s.Check11 = form.Check11->value();
    for (int index = 0; index < static_cast<int>(std::size(form.Option1)); ++index) {
        if (form.Option1[index]->isChecked()) {
            s.Option1 = index;
            break;
        }
    }
    s.optVelmaron1 = form.optVelmaron[1]->isChecked();
    s.tbDays = form.tbDays->text().toStdString();
    s.dtPickerStart = dateTimeOf(form.DTPickerStart);
    s.dtPickerEnd = dateTimeOf(form.DTPickerEnd);
    s.ConfigByte = form.ConfigByte;
    s.KeepBit1 = form.KeepBit1;
    s.SoftwareVersion = form.SoftwareVersion;
    s.VersionText = form.VersionText;
    return s;
}

// A version file that cannot be read leaves the text of the last successful read.
void readVersionText(Form1& form) {
    if (const auto root = form.deviceRoot())
        if (ReadResult read = ReadVersionFile(*root); read.ok())
            form.VersionText = std::move(read.content);
}

} // namespace

void Form1::cmdConfigure_Click() {
    HandlerGuard busy(handlersRunning);
    runGuarded([&] { cmdConfigure->setEnabled(false); });
    runGuarded([&] { lblMessage->clear(); });

    // The device is the first Velmaron in drive order, whatever the last poll found.
    bool found = false;
    runGuarded([&] {
        ScanResult search = FindFirstDevice(driveServices());
        DriveList = std::move(search.driveList);
        showListLines(search.listLines);
        if (search.driveIndex) {
            DriveIndex = *search.driveIndex;
            found = true;
        }
    });
    if (!found)
        return;

    runGuarded([&] { List1->addItem(QStringLiteral("Velmaron found")); });
    runGuarded([&] { lblMessage->setText(QStringLiteral("Velmaron gefunden")); });
    runGuarded([&] { readVersionText(*this); });

    // The file is built before anything on the device changes: a configuration that cannot
    // be built leaves the pending update files where they are.
    ConfigWriteResult result{false, FallbackMessage};
    std::optional<ConfigFile> file;
    runGuarded([&] { file = BuildConfig(result.message); });
    if (file) {
        runGuarded([&] {
            if (const auto root = deviceRoot())
                RemoveStaleUpdateFiles(*root);
        });
        runGuarded([&] { result = SaveConfig(*file); });
    }
    if (!result.written) {
        // The user corrects the entry or the device and tries again; the run does not start.
        runGuarded([&] {
            if (!result.message.isEmpty())
                MessageBoxes::ShowMessage(result.message);
        });
        runGuarded([&] { cmdConfigure->setEnabled(true); });
        return;
    }

    runGuarded([&] { readVersionText(*this); });
    runGuarded([&] { DisconnectReconnectVelmaron(); });
    WorkflowState = WaitForUnplug;
}

std::optional<ConfigFile> Form1::BuildConfig(QString& message) {
    ConfigBuildResult built = BuildConfigFile(settingsOf(*this));
    ConfigByte = built.ConfigByte;
    if (built.error == ConfigError::UnknownDeviceType) {
        MessageBoxes::ShowMessage(QStringLiteral("Unknown Velmaron type"));
        message.clear();
    } else if (!built.file) {
        message = messageFor(built.error);
    }
    return std::move(built.file);
}

Form1::ConfigWriteResult Form1::SaveConfig(const ConfigFile& file) {
    const auto root = deviceRoot();
    if (!root)
        return {false, messageFor(SaveError::DeviceGone)};
    const SaveResult saved = SaveConfigFile(*root, file, saveSteps);
    if (!saved.ok())
        return {false, messageFor(saved.error)};
    List1->addItem(QString::fromStdString(file.listLine));
    return {true, {}};
}

Form1::ConfigWriteResult Form1::WriteConfigFile() {
    ConfigWriteResult result{false, {}};
    if (const auto file = BuildConfig(result.message))
        result = SaveConfig(*file);
    return result;
}

} // namespace velmaron
