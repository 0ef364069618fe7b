#pragma once
// One active dial-up connection as the connection watch knows it.
#include <windows.h>

#include <cstdint>
#include <string>

struct ConnectionRecord {
    // The phone-book entry name: the identity of a connection.
    std::string entryName;
    std::string deviceName;
    std::string deviceType;
    // Local time of the polling cycle that first saw the connection.
    SYSTEMTIME firstSeen = {};
    // Seconds from firstSeen to the cycle that found the connection gone;
    // filled in only in the copy handed to OnDisconnected.
    std::int32_t durationSeconds = 0;
};
