// One QApplication for all window tests; offscreen unless the caller chose a platform.

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Should a poll run during a test, it finds an empty set of simulated drives.
    QTemporaryDir noDrives;
    qputenv("VELMARON_SIM_DRIVES", noDrives.path().toLocal8Bit());
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
