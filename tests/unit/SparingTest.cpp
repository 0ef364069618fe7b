// When Quellor spares the line and the battery: the rule that lets a tick
// pass without contact while the line is busy anyway, and the power source
// that keeps the computer awake. Wine always reports mains power, so the
// power status is handed in here.
#include "engine/KeepAwake.h"
#include "engine/QuietLine.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kEthernet = 4;
constexpr DWORD kMobile = 7;

std::optional<win::LineTraffic> Reading(DWORD interfaceIndex, ULONGLONG octets)
{
    return win::LineTraffic{interfaceIndex, octets};
}

}  // namespace

TEST(Sparing, ABusyLineSkipsTheTickAndWhatCannotBeMeasuredContacts)
{
    // Beyond 32 bits, as a long-lived link's counters are.
    constexpr ULONGLONG kStart = 0x1'0000'0000ULL;
    CQuietLine line;
    EXPECT_FALSE(line.BusyBytes(Reading(kEthernet, kStart))) << "no reading before: contact";

    // The threshold: 4 KB is still quiet, a byte more is busy.
    EXPECT_FALSE(line.BusyBytes(Reading(kEthernet, kStart + CQuietLine::kBusyBytes)));
    const auto busy = line.BusyBytes(Reading(kEthernet, kStart + 2 * CQuietLine::kBusyBytes + 1));
    ASSERT_TRUE(busy);
    EXPECT_EQ(*busy, CQuietLine::kBusyBytes + 1);

    // The contact's own traffic is left out: the next tick measures from its end.
    line.StartFrom(Reading(kEthernet, kStart + 900'000));
    EXPECT_FALSE(line.BusyBytes(Reading(kEthernet, kStart + 900'100)));

    // A counter that went backwards (the interface was reset) and another
    // interface both contact, and the tick after measures from them.
    EXPECT_FALSE(line.BusyBytes(Reading(kEthernet, 10)));
    EXPECT_TRUE(line.BusyBytes(Reading(kEthernet, 10 + 50'000)));
    EXPECT_FALSE(line.BusyBytes(Reading(kMobile, kStart + 9'000'000)));
    EXPECT_TRUE(line.BusyBytes(Reading(kMobile, kStart + 9'050'000)));

    // No reading, now or before: contact.
    EXPECT_FALSE(line.BusyBytes(std::nullopt));
    EXPECT_FALSE(line.BusyBytes(Reading(kMobile, kStart + 99'000'000)));
    line.StartFrom(std::nullopt);
    EXPECT_FALSE(line.BusyBytes(Reading(kMobile, kStart + 199'000'000)));
}

TEST(Sparing, TheComputerIsKeptAwakeOnBatteryOnlyWhenTheUserWantsThat)
{
    SYSTEM_POWER_STATUS power = {};
    for (const BYTE mainsOrUnknown : {BYTE{1}, BYTE{255}}) {
        power.ACLineStatus = mainsOrUnknown;
        EXPECT_TRUE(KeepsAwake(true, false, power));
        EXPECT_TRUE(KeepsAwake(true, true, power));
        EXPECT_FALSE(KeepsAwake(false, true, power));
    }
    power.ACLineStatus = 0;
    EXPECT_FALSE(KeepsAwake(true, false, power));
    EXPECT_TRUE(KeepsAwake(true, true, power));
    EXPECT_FALSE(KeepsAwake(false, true, power));
}
