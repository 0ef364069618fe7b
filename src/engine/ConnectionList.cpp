#include "engine/ConnectionList.h"

#include <algorithm>

namespace {

bool Contains(const std::string_view* names, std::size_t count, std::string_view name)
{
    return std::find(names, names + count, name) != names + count;
}

bool IsKept(const std::vector<ConnectionRecord>& kept, std::string_view name)
{
    return std::any_of(kept.begin(), kept.end(), [&](const ConnectionRecord& r) { return r.entryName == name; });
}

}  // namespace

ConnectionListChange CompareConnectionLists(const std::vector<ConnectionRecord>& kept, const std::string_view* names,
                                            std::size_t count)
{
    ConnectionListChange change;
    for (std::size_t i = kept.size(); i-- > 0;) {
        if (!Contains(names, count, kept[i].entryName)) {
            change.vanished.push_back(i);
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        // A name earlier in the same list has been counted already.
        if (!IsKept(kept, names[i]) && !Contains(names, i, names[i])) {
            change.arrived.push_back(i);
        }
    }
    return change;
}
