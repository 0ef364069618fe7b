// When Quellor dials a dropped entry again and when it stops, which names
// it takes from the setting, and what the tip says meanwhile.
#include "engine/RedialPlan.h"
#include "settings/RedialSettings.h"
#include "tray/SwitchReason.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RedialPlan, PausesGrowToAQuarterOfAnHourAndOnlyPassingErrorsAreTriedAgain)
{
    const std::uint32_t expected[] = {30000, 120000, 300000, 900000, 900000, 900000, 900000, 900000, 900000};
    for (int failures = 1; failures < redial::kMostFailures; ++failures) {
        EXPECT_EQ(redial::PauseAfterFailures(failures), expected[failures - 1]) << failures << " failures";
    }
    EXPECT_EQ(redial::kMostFailures, 10);
    for (const std::uint32_t needsTheUser : {691u, 647u, 648u, 649u, 623u, 703u, 126u}) {
        EXPECT_TRUE(redial::RetryCannotMend(needsTheUser)) << needsTheUser;
    }
    // No answer, busy, no carrier, no dial tone, a VPN server that does not answer.
    for (const std::uint32_t mayPass : {678u, 676u, 679u, 680u, 800u, 0u}) {
        EXPECT_FALSE(redial::RetryCannotMend(mayPass)) << mayPass;
    }
}

TEST(RedialPlan, JunkNamesAreDroppedAndTheTipNamesTheEntryAndItsNextTry)
{
    const std::string longest(256, 'a');
    const std::string tooLong(257, 'b');
    EXPECT_EQ(redial::SplitEntryNames(std::string(3000, ';')), std::vector<std::string>{});
    EXPECT_EQ(redial::SplitEntryNames(" Office VPN ;" + tooLong + ";" + longest + ";Office VPN"),
              (std::vector<std::string>{"Office VPN", longest}));

    ActivityShown activity;
    activity.on = true;
    activity.redialing = "Office VPN";
    const auto clock = [](const TipTime& time) {
        return std::to_string(time.at.wHour) + ":0" + std::to_string(time.at.wMinute);
    };
    EXPECT_EQ(SwitchStatusLine(activity, {}, 100, clock), "ON, dialing Office VPN");
    activity.redialAt.set = true;
    activity.redialAt.at.wHour = 14;
    activity.redialAt.at.wMinute = 5;
    EXPECT_EQ(SwitchStatusLine(activity, {}, 100, clock), "ON, dialing Office VPN again at 14:05");
    activity.redialing = longest;
    const std::string cut = SwitchStatusLine(activity, {}, 80, clock);
    EXPECT_EQ(cut.size(), 80u);
    EXPECT_EQ(cut.rfind("... again at 14:05"), cut.size() - 18);
    activity.on = false;
    EXPECT_EQ(SwitchStatusLine(activity, {}, 100, clock), "OFF");
}

}  // namespace
