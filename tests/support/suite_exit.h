#pragma once
// How a run of a suite ends for ctest: 1 on any failure, which always wins; SuiteSkipped (the
// SKIP_RETURN_CODE of every test) when a case was skipped or none ran, so that ctest shows it
// as skipped; 0 when every case ran and passed. A crash ends with neither and counts as failed.

#include <gtest/gtest.h>

namespace velmaron::testing {

inline constexpr int SuiteSkipped = 77;

inline int suiteExitCode(int result) {
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    if (result != 0 || !unit.Passed())
        return 1;
    return unit.test_to_run_count() == 0 || unit.skipped_test_count() > 0 ? SuiteSkipped : 0;
}

} // namespace velmaron::testing
