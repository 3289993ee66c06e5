// One QApplication for all window tests; offscreen unless the caller chose a platform.

#include "support/suite_exit.h"

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Should a poll run during a test, it finds an empty set of simulated drives.
    QTemporaryDir noDrives;
    qputenv("VELMARON_SIM_DRIVES", noDrives.path().toLocal8Bit());
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return velmaron::testing::suiteExitCode(RUN_ALL_TESTS());
}
