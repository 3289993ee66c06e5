#pragma once
// A suite's exit for ctest: 1 on any failure; SuiteSkipped (every test's SKIP_RETURN_CODE) when
// a case was skipped or none ran, so that ctest shows it skipped; 0 when all ran and passed.

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
