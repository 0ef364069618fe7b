#pragma once
// The comparison of one enumeration of dial-up connections with the list the
// watch kept from the cycle before, without any window or system call.
#include "engine/ConnectionRecord.h"

#include <cstddef>
#include <string_view>
#include <vector>

struct ConnectionListChange {
    // Positions in the kept list of the connections that went, last first,
    // so that removing them in this order keeps the others' positions.
    std::vector<std::size_t> vanished;
    // Positions in the enumeration of the connections that came, in its
    // order, each name once.
    std::vector<std::size_t> arrived;
};

// Names are compared as exact bytes: case-sensitive, nothing trimmed.
ConnectionListChange CompareConnectionLists(const std::vector<ConnectionRecord>& kept, const std::string_view* names,
                                            std::size_t count);
