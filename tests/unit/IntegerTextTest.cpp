#include "win/IntegerText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

bool Accepts(const std::string& text, int expected)
{
    int value = 12345;
    return win::ParseDialogInteger(text, value) && value == expected;
}

bool Rejects(const std::string& text)
{
    int value = 12345;
    return !win::ParseDialogInteger(text, value) && value == 12345;
}

TEST(DialogInteger, AcceptsNumbersBetweenBlanks)
{
    EXPECT_TRUE(Accepts("80", 80));
    EXPECT_TRUE(Accepts("8080 ", 8080));
    EXPECT_TRUE(Accepts(" \t8080\t ", 8080));
    EXPECT_TRUE(Accepts("-1", -1));
    EXPECT_TRUE(Accepts("+42", 42));
    EXPECT_TRUE(Accepts("70000", 70000));
}

TEST(DialogInteger, ZeroOnlyWhenWrittenWithTheDigit)
{
    EXPECT_TRUE(Accepts("0", 0));
    EXPECT_TRUE(Accepts("000", 0));
    EXPECT_TRUE(Accepts("  0  ", 0));
    EXPECT_TRUE(Rejects(""));
    EXPECT_TRUE(Rejects("   "));
    EXPECT_TRUE(Rejects("+0"));
    EXPECT_TRUE(Rejects("-0"));
    EXPECT_TRUE(Rejects("+"));
}

TEST(DialogInteger, RejectsAnythingElse)
{
    EXPECT_TRUE(Rejects("80a"));
    EXPECT_TRUE(Rejects("8 0"));
    EXPECT_TRUE(Rejects("- 5"));
    EXPECT_TRUE(Rejects("0x10"));
    EXPECT_TRUE(Rejects("12.5"));
}

TEST(DialogInteger, ClampsToThe32BitRange)
{
    EXPECT_TRUE(Accepts("2147483647", INT_MAX));
    EXPECT_TRUE(Accepts("2147483648", INT_MAX));
    EXPECT_TRUE(Accepts("99999999999999999999", INT_MAX));
    EXPECT_TRUE(Accepts("-2147483648", INT_MIN));
    EXPECT_TRUE(Accepts("-99999999999999999999", INT_MIN));
}

TEST(DialogInteger, ReadsOnlyTheFirst31Characters)
{
    EXPECT_TRUE(Accepts("8080" + std::string(27, ' ') + "junk", 8080));
    EXPECT_TRUE(Rejects("8080" + std::string(26, ' ') + "junk"));
}

}  // namespace
