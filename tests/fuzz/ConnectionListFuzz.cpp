// The connection-list comparison over any sequence of enumerations, checked
// against a tiny model: the set of names up, and the notifications that a
// change from one set to the next must give.
#include "FuzzInput.h"
#include "engine/ConnectionList.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Names from a small alphabet, so that lists meet again and again; case
// and a trailing blank make names that differ by one byte.
std::string NameFor(std::uint8_t code)
{
    static const char* const names[] = {"Office", "office", "Home", "Home ", "Travel", "", "Hotel", "Office\t"};
    return names[code % 8];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    std::vector<ConnectionRecord> kept;
    std::set<std::string> up;
    while (!input.Empty()) {
        std::vector<std::string> listed;
        const std::size_t count = input.Number<std::uint8_t>() % 6;
        for (std::size_t i = 0; i < count; ++i) {
            listed.push_back(NameFor(input.Number<std::uint8_t>()));
        }
        const std::vector<std::string_view> names(listed.begin(), listed.end());
        const ConnectionListChange change = CompareConnectionLists(kept, names.data(), names.size());

        const std::set<std::string> now(listed.begin(), listed.end());
        std::set<std::string> gone;
        std::set_difference(up.begin(), up.end(), now.begin(), now.end(), std::inserter(gone, gone.end()));
        std::set<std::string> came;
        std::set_difference(now.begin(), now.end(), up.begin(), up.end(), std::inserter(came, came.end()));
        FUZZ_CHECK(change.vanished.size() == gone.size());
        FUZZ_CHECK(change.arrived.size() == came.size());
        FUZZ_CHECK(std::is_sorted(change.vanished.rbegin(), change.vanished.rend()));
        FUZZ_CHECK(std::is_sorted(change.arrived.begin(), change.arrived.end()));

        // Applied as the watch applies it: every vanished one is reported
        // before any new one.
        for (const std::size_t position : change.vanished) {
            FUZZ_CHECK(position < kept.size() && gone.count(kept[position].entryName) == 1);
            kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(position));
        }
        for (const std::size_t position : change.arrived) {
            FUZZ_CHECK(position < listed.size() && came.count(listed[position]) == 1);
            kept.push_back(ConnectionRecord{listed[position]});
        }
        up = now;
        std::set<std::string> keptNames;
        for (const ConnectionRecord& record : kept) {
            keptNames.insert(record.entryName);
        }
        FUZZ_CHECK(keptNames == up && kept.size() == up.size());
    }
    return 0;
}
