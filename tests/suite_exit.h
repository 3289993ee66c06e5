#pragma once
// How a suite ends for ctest, which knows only an exit code per suite: 0 when every case ran
// and passed; SuiteSkipped (the SKIP_RETURN_CODE of every suite) when nothing failed but a case
// was skipped or no case ran at all, so that a suite that quietly stops running its cases shows
// as skipped in the summary; 1 on any failure, which always wins over a skip. A crash ends with
// neither 0 nor SuiteSkipped and counts as a failure too.

#include <gtest/gtest.h>

namespace velmaron::testing {

inline constexpr int SuiteSkipped = 77;

inline int suiteExitCode(int result) {
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    if (result != 0 || !unit.Passed())
        return 1;
    if (GTEST_FLAG_GET(list_tests))
        return 0;
    if (unit.test_to_run_count() == 0 || unit.skipped_test_count() > 0)
        return SuiteSkipped;
    return 0;
}

} // namespace velmaron::testing
