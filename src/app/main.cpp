// The configuration tool for Velmaron devices: one main window, driven by its poll timer.

#include "app/app_version.h"
#include "app/form1.h"
#include "app/message_boxes.h"
#include "app/window_texts.h"
#include "device/diagnostic_log.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstring>

namespace {

const QCommandLineOption DrivesOption(
    QStringLiteral("drives"),
    QStringLiteral("Takes the drives from the folders A to Z in <folder> instead of the "
                   "computer's, as velmaron-sim makes them (also VELMARON_SIM_DRIVES)."),
    QStringLiteral("folder"));
const QCommandLineOption LogOption(
    QStringLiteral("log"),
    QStringLiteral("Appends every failed step and device operation to <file> (off unless given)."),
    QStringLiteral("file"));

struct Options {
    QString drives;
    QString log;
};

// Parses the command line; ends the program for --help, --version and a wrong argument.
Options options(const QCoreApplication& application) {
    QCoreApplication::setApplicationName(QStringLiteral("velmaron-config"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(velmaron::ProgramVersionMajor)
                                                .arg(velmaron::ProgramVersionMinor)
                                                .arg(velmaron::ProgramVersionPatch));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Chooses what a Velmaron tachograph download device downloads and writes "
                       "that choice onto it."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(DrivesOption);
    parser.addOption(LogOption);
    parser.process(application);
    return {parser.value(DrivesOption), parser.value(LogOption)};
}

// --help and --version answer without a display.
bool asksOnlyForText(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "-?", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (asksOnlyForText(argc, argv)) {
        QCoreApplication application(argc, argv);
        options(application);
        return 0;
    }
    QApplication application(argc, argv);
    const auto [drives, log] = options(application);
    if (!log.isEmpty()) {
        if (const auto reason = velmaron::DiagnosticLog::Open(log.toStdU16String())) {
            velmaron::MessageBoxes::ShowMessage(velmaron::WindowTexts::LogRefusedMessage(
                QDir::toNativeSeparators(log), *reason));
            return 2;
        }
    }
    // Desktops find the icon and the name through the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.velmaron.config"));

    velmaron::Form1 form;
    if (!drives.isEmpty()) {
        if (!QDir(drives).exists()) {
            velmaron::MessageBoxes::ShowMessage(velmaron::WindowTexts::MissingDrivesFolderMessage(
                QDir::toNativeSeparators(drives)));
            return 2;
        }
        form.setDriveServices(velmaron::MakeSimulatedDriveServices(drives.toStdString()));
    }
    form.show();
    return application.exec();
}
