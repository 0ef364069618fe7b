#pragma once
// Whether the line has been quiet since the last contact tick: a tick that
// finds it carried more than a few kilobytes meanwhile makes no contact, as
// the line cannot look idle anyway. What cannot be measured counts as quiet,
// so that a contact is made: no reading, a counter that went backwards (the
// interface was reset) or another interface than the last time.
#include "win/IpHelper.h"

#include <optional>

class CQuietLine {
public:
    // More than this since the last tick is a busy line.
    static constexpr ULONGLONG kBusyBytes = 4096;

    // Forgets what was measured before and starts from this reading.
    void StartFrom(const std::optional<win::LineTraffic>& now) { last = now; }
    // The bytes the line carried since the last reading when that is more
    // than kBusyBytes: the tick makes no contact. Otherwise nothing, and the
    // tick makes its contact. Either way, now is the next tick's start.
    std::optional<ULONGLONG> BusyBytes(const std::optional<win::LineTraffic>& now);

private:
    std::optional<win::LineTraffic> last;
};
