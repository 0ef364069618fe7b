#pragma once
// One active dial-up connection as the connection watch knows it.
#include <string>

struct ConnectionRecord {
    // The phone-book entry name: the identity of a connection.
    std::string entryName;
};
