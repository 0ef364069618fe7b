// The text of a stored string value, terminated or not.
#include "settings/StoredText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StoredText, EndsAtTheFirstTerminatorOrAtTheLastByte)
{
    EXPECT_EQ(StoredText("Quellor\0rest", 12), "Quellor");
    EXPECT_EQ(StoredText("Quellor", 7), "Quellor") << "no terminator stored";
    EXPECT_EQ(StoredText("Quellor", 3), "Que");
    EXPECT_EQ(StoredText("\0Quellor", 8), "");
    EXPECT_EQ(StoredText("", 0), "");
    EXPECT_EQ(StoredText(nullptr, 5), "");
    const std::string large(1 << 20, 'x');
    EXPECT_EQ(StoredText(large.data(), large.size()), large);
}

}  // namespace
