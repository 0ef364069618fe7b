// When Quellor spares the line and the battery. Wine always reports mains
// power, so the power status is handed in here.
#include "engine/KeepAwake.h"
#include "engine/QuietLine.h"

#include <gtest/gtest.h>

TEST(Sparing, ABusyLineSkipsTheTickAndWhatCannotBeMeasuredContacts)
{
    constexpr DWORD kEthernet = 4;
    constexpr DWORD kMobile = 7;
    // Beyond 32 bits, as a long-lived link's counters are.
    constexpr ULONGLONG kStart = 0x1'0000'0000ULL;
    CQuietLine line;
    EXPECT_FALSE(line.BusyBytes(win::LineTraffic{kEthernet, kStart})) << "nothing to measure from: contact";
    EXPECT_FALSE(line.BusyBytes(win::LineTraffic{kEthernet, kStart + 4096}));
    EXPECT_EQ(line.BusyBytes(win::LineTraffic{kEthernet, kStart + 4096 + 4097}), 4097U);

    // Measured from the end of the tick's own contact.
    line.StartFrom(win::LineTraffic{kEthernet, kStart + 900'000});
    EXPECT_FALSE(line.BusyBytes(win::LineTraffic{kEthernet, kStart + 900'100}));

    // A counter that went backwards, another interface and no reading
    // contact; the tick after measures from them.
    EXPECT_FALSE(line.BusyBytes(win::LineTraffic{kEthernet, 10}));
    EXPECT_EQ(line.BusyBytes(win::LineTraffic{kEthernet, 50'010}), 50'000U);
    EXPECT_FALSE(line.BusyBytes(win::LineTraffic{kMobile, kStart + 9'000'000}));
    EXPECT_TRUE(line.BusyBytes(win::LineTraffic{kMobile, kStart + 9'050'000}));
    EXPECT_FALSE(line.BusyBytes(std::nullopt));
    EXPECT_FALSE(line.BusyBytes(win::LineTraffic{kMobile, kStart + 99'000'000}));
}

TEST(Sparing, TheComputerIsKeptAwakeOnBatteryOnlyWhenTheUserWantsThat)
{
    SYSTEM_POWER_STATUS power = {};
    for (const BYTE source : {BYTE{1}, BYTE{255}, BYTE{0}}) {  // mains, unknown, battery
        power.ACLineStatus = source;
        EXPECT_EQ(KeepsAwake(true, false, power), source != 0);
        EXPECT_TRUE(KeepsAwake(true, true, power));
        EXPECT_FALSE(KeepsAwake(false, true, power));
    }
}
