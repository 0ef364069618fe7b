#include "engine/QuietLine.h"

std::optional<ULONGLONG> CQuietLine::BusyBytes(const std::optional<win::LineTraffic>& now)
{
    const std::optional<win::LineTraffic> before = last;
    last = now;
    if (!before || !now || before->interfaceIndex != now->interfaceIndex || now->octets < before->octets) {
        return std::nullopt;
    }
    const ULONGLONG carried = now->octets - before->octets;
    if (carried > kBusyBytes) {
        return carried;
    }
    return std::nullopt;
}
