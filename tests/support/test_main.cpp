// The main of every toolkit-free suite.

#include "support/suite_exit.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return velmaron::testing::suiteExitCode(RUN_ALL_TESTS());
}
