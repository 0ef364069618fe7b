// The tests' entry point. CTest runs one test per process through a filter;
// a filter that selects nothing (a test missing from a stale binary) must
// fail rather than pass silently.
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (::testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        fprintf(stderr, "No test matched the filter.\n");
        return 1;
    }
    return result;
}
