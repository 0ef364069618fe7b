// The comparison of an enumeration with the kept list, as positions.
#include "engine/ConnectionList.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<ConnectionRecord> Kept(std::initializer_list<const char*> names)
{
    std::vector<ConnectionRecord> kept;
    for (const char* name : names) {
        kept.push_back(ConnectionRecord{name});
    }
    return kept;
}

using Positions = std::vector<std::size_t>;

TEST(ConnectionList, GoneLastKeptFirstAndNewInOrderEachNameOnce)
{
    const std::vector<ConnectionRecord> kept = Kept({"Office", "Home", "Travel"});
    const std::string_view now[] = {"Hotel", "Home", "home", "Hotel", "home"};
    const ConnectionListChange change = CompareConnectionLists(kept, now, std::size(now));
    EXPECT_EQ(change.vanished, (Positions{2, 0}));
    EXPECT_EQ(change.arrived, (Positions{0, 2}));

    const ConnectionListChange none = CompareConnectionLists(kept, nullptr, 0);
    EXPECT_EQ(none.vanished, (Positions{2, 1, 0}));
    EXPECT_TRUE(none.arrived.empty());

    // Names are bytes: an embedded terminator or a trailing blank counts.
    const std::string_view odd[] = {std::string_view("Home\0x", 6), "Home ", "Home"};
    const ConnectionListChange exact = CompareConnectionLists(Kept({"Home"}), odd, std::size(odd));
    EXPECT_TRUE(exact.vanished.empty());
    EXPECT_EQ(exact.arrived, (Positions{0, 1}));
}

}  // namespace
