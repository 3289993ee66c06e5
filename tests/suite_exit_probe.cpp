// Cases that pass, skip, fail or crash as VELMARON_PROBE_CASES asks ("skip,fail"); only
// tests/expect_exit.cmake runs this suite.

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

bool asked(const char* what) {
    const char* cases = std::getenv("VELMARON_PROBE_CASES");
    return cases != nullptr && std::string(cases).find(what) != std::string::npos;
}

TEST(SuiteExitProbe, Passes) {}
TEST(SuiteExitProbe, SkipsOnRequest) {
    if (asked("skip"))
        GTEST_SKIP() << "asked to skip";
}
TEST(SuiteExitProbe, FailsOnRequest) {
    EXPECT_FALSE(asked("fail"));
}
TEST(SuiteExitProbe, CrashesOnRequest) {
    if (asked("crash"))
        std::abort();
}

} // namespace
