#include "workflow/workflow_texts.h"

namespace velmaron {
namespace {

struct Text {
    std::string_view german;
    std::string_view english;
};

std::string_view in(Language language, const Text& text) {
    return InLanguage(language, text.german, text.english);
}

constexpr Text NotSaved = {"Konfiguration konnte nicht gespeichert werden.",
                           "The configuration could not be saved."};
// For failures without a more telling reason.
constexpr Text CannotCreate = {"Die Datei konnte nicht angelegt werden.",
                               "The file could not be created."};

Text reasonOf(ConfigError error) {
    switch (error) {
    case ConfigError::PeriodOutOfRange:
        return {"Die Anzahl der Tage ist zu groß.", "The number of days is too large."};
    case ConfigError::DateOutOfRange:
        return {"Das Datum liegt außerhalb des gültigen Bereichs.",
                "The date lies outside the range the device can store."};
    case ConfigError::RangeInverted:
        return {"Das Enddatum liegt vor dem Startdatum.",
                "The end date lies before the start date."};
    case ConfigError::UnknownDeviceType:
    case ConfigError::None:
        break;
    }
    return CannotCreate;
}

Text reasonOf(SaveError error) {
    switch (error) {
    case SaveError::UpdatesMissing:
        return {"Auf dem Velmaron fehlt das Verzeichnis UPDATES.",
                "The Velmaron has no UPDATES folder."};
    case SaveError::WriteProtected:
        return {"Der Velmaron ist schreibgeschützt.", "The Velmaron is write-protected."};
    case SaveError::DeviceGone:
        return {"Der Velmaron wurde getrennt.", "The Velmaron was disconnected."};
    case SaveError::WriteFailed:
        return {"Die Datei konnte nicht vollständig geschrieben werden.",
                "The file could not be written completely."};
    case SaveError::ReadBackMismatch:
        return {"Die gespeicherte Datei weicht ab.", "The saved file differs."};
    case SaveError::PulledWhileSaving:
    case SaveError::CannotCreate:
    case SaveError::None:
        break;
    }
    return CannotCreate;
}

} // namespace

std::string_view TextOf(Message message, Language language) {
    switch (message) {
    case Message::ConnectDevice:
        return in(language, {"Gerät per USB verbinden", "Connect the Velmaron by USB"});
    case Message::DeviceFound:
        return in(language, {"Velmaron gefunden", "Velmaron found"});
    case Message::SettingsRead:
        return in(language, {"Konfiguration gelesen", "Settings read"});
    case Message::NotSuitable:
        return in(language, {"Nicht geeignet", "Not suitable"});
    case Message::Saving:
        return in(language, {"Konfiguration wird gespeichert …", "Saving the configuration …"});
    case Message::Saved:
        return in(language, {"Erfolgreich Gespeichert!", "Saved successfully!"});
    case Message::None:
        break;
    }
    return {};
}

std::string_view TextOf(Instruction instruction, Language language) {
    switch (instruction) {
    case Instruction::Unplug:
        return in(language, {"USB Kabel trennen", "Pull the USB cable"});
    case Instruction::Replug:
        return in(language, {"USB Kabel verbinden", "Plug the USB cable in again"});
    case Instruction::UnplugUnsuitable:
        break;
    }
    return in(language, {"USB Kable trennen", "Pull the USB cable"});
}

std::string_view TextOf(VersionFileProblem problem, Language language) {
    switch (problem) {
    case VersionFileProblem::Missing:
        return in(language, {"Konfigurationsdatei fehlt.", "The status file is missing."});
    case VersionFileProblem::BadHeader:
        return in(language, {"Velmaron Softwareversion falsch",
                             "The status file names no software version."});
    case VersionFileProblem::Broken:
        break;
    }
    return in(language, {"Fehler in der Konfigurationsdatei.", "The status file is broken."});
}

std::string_view ReconnectText(Language language) {
    return in(language, {"Trennen und verbinden Sie den Velmaron.",
                         "Disconnect the Velmaron and connect it again."});
}

std::vector<std::string_view> FailureLines(const ConfigureFailure& failure, Language language) {
    if (failure == ConfigureFailure(ConfigError::UnknownDeviceType))
        return {"Unknown Velmaron type"};
    // A complete file may stay on the device, which takes it over when plugged in again:
    // "not saved" would not be the truth.
    if (failure == ConfigureFailure(SaveError::PulledWhileSaving))
        return {in(language, {"Das Speichern wurde unterbrochen.", "Saving was interrupted."}),
                in(language, {"Der Velmaron wurde beim Speichern getrennt und muss erneut "
                              "konfiguriert werden.",
                              "The Velmaron was disconnected while saving and must be "
                              "configured again."})};
    const Text reason = std::visit([](auto error) { return reasonOf(error); }, failure);
    return {in(language, NotSaved), in(language, reason)};
}

} // namespace velmaron
