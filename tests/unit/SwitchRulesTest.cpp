// The pure rules of the sources that switch the activity by themselves: the
// schedule's windows and edges, the hot key's modifiers, the tip's line and
// the stored lists.
#include "engine/HotKeyChord.h"
#include "engine/ScheduleWindow.h"
#include "settings/SwitchSettings.h"
#include "tray/SwitchReason.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <string>
#include <vector>

namespace {

constexpr int kSunday = 0;
constexpr int kMonday = 1;
constexpr int kTuesday = 2;
constexpr int kSaturday = 6;

TipTime ClockAt(int hour, int minute)
{
    TipTime time;
    time.set = true;
    time.at.wHour = static_cast<unsigned short>(hour);
    time.at.wMinute = static_cast<unsigned short>(minute);
    return time;
}

// The tip's line with its times as a 24-hour clock.
std::string Line(const ActivityShown& activity, const SwitchReasons& reasons, std::size_t room)
{
    return SwitchStatusLine(activity, reasons, room, [](const TipTime& time) {
        char text[8] = {};
        std::snprintf(text, sizeof text, "%02u:%02u", time.at.wHour % 100U, time.at.wMinute % 100U);
        return std::string(text);
    });
}

int At(int hours, int minutes)
{
    return hours * 60 + minutes;
}

void ExpectState(const ScheduleWindow& window, int day, int minute, bool inside, int minutesToEdge)
{
    const ScheduleState state = ScheduleAt(window, day, minute);
    EXPECT_EQ(state.inside, inside) << "day " << day << " minute " << minute;
    EXPECT_EQ(state.minutesToEdge, minutesToEdge) << "day " << day << " minute " << minute;
}

TEST(SwitchRules, ScheduleWindowsBelongToTheDayTheyStartOn)
{
    // Monday nights 22:00 to 06:00: Tuesday morning belongs to Monday.
    const ScheduleWindow night{1 << kMonday, At(22, 0), At(6, 0)};
    ExpectState(night, kMonday, At(21, 59), false, 1);
    ExpectState(night, kMonday, At(22, 0), true, 8 * 60);
    ExpectState(night, kTuesday, At(5, 59), true, 1);
    ExpectState(night, kTuesday, At(6, 0), false, 7 * 1440 - 8 * 60);
    ExpectState(night, kMonday, At(3, 0), false, 19 * 60);  // Sunday has no window
    ExpectState(night, kTuesday, At(22, 0), false, 6 * 1440);

    // Saturday's night window runs into Sunday, across the week's end.
    const ScheduleWindow weekend{1 << kSaturday, At(23, 0), At(1, 0)};
    ExpectState(weekend, kSunday, At(0, 30), true, 30);
    ExpectState(weekend, kSaturday, At(22, 0), false, 60);

    // Equal times: the whole of each chosen day, and chosen days in a row
    // make one window without an edge at midnight.
    const ScheduleWindow days{(1 << kMonday) | (1 << kTuesday), At(8, 0), At(8, 0)};
    ExpectState(days, kMonday, At(0, 0), true, 2 * 1440);
    ExpectState(days, kTuesday, At(23, 59), true, 1);
    ExpectState(days, kSunday, At(23, 59), false, 1);
    ExpectState(ScheduleWindow{0x7F, 0, 0}, kSaturday, At(12, 0), true, 0);
    ExpectState(ScheduleWindow{0, At(8, 0), At(9, 0)}, kMonday, At(8, 30), false, 0);

    // Every day 09:00 to 17:00.
    const ScheduleWindow office{0x7F, At(9, 0), At(17, 0)};
    ExpectState(office, kSunday, At(17, 0), false, 16 * 60);
    ExpectState(office, kSunday, At(12, 0), true, 5 * 60);
}

TEST(SwitchRules, HotKeyControlModifiersBecomeRegisterHotKeyModifiers)
{
    constexpr int kShift = 0x100;
    constexpr int kControl = 0x200;
    constexpr int kAlt = 0x400;
    constexpr int kExtended = 0x800;
    constexpr unsigned kModAlt = 1;
    constexpr unsigned kModControl = 2;
    constexpr unsigned kModShift = 4;
    const struct {
        int value;
        unsigned modifiers;
    } cases[] = {
        {'K' | kShift, kModShift},
        {'K' | kAlt, kModAlt},
        {'K' | kControl, kModControl},
        {'K' | kShift | kAlt, kModShift | kModAlt},
        {'K' | kControl | kAlt | kShift | kExtended, kModControl | kModAlt | kModShift},
        {0x2D | kExtended, 0},  // Insert on the arrows' block: no modifier
    };
    for (const auto& one : cases) {
        const HotKeyChord chord = HotKeyChordFromControl(one.value);
        EXPECT_EQ(chord.modifiers, one.modifiers) << std::hex << one.value;
        EXPECT_EQ(chord.virtualKey, static_cast<unsigned>(one.value & 0xFF)) << std::hex << one.value;
    }
    for (const int none : {0, kShift | kControl, -1, 0x10000 | 'K'}) {
        EXPECT_EQ(HotKeyChordFromControl(none).virtualKey, 0U) << std::hex << none;
    }
}

TEST(SwitchRules, TheTipSaysWhyInTheFormsItKnowsAndStaysWithinItsRoom)
{
    constexpr std::size_t kRoom = 80;
    ActivityShown on;
    on.on = true;
    ActivityShown off;
    SwitchReasons none;
    EXPECT_EQ(Line(on, none, kRoom), "ON");
    EXPECT_EQ(Line(off, none, kRoom), "OFF");

    ActivityShown limited = on;
    limited.limitEnd = ClockAt(6, 0);
    EXPECT_EQ(Line(limited, none, kRoom), "ON until 06:00");
    ActivityShown dialUp = off;
    dialUp.waitingForDialUp = true;
    EXPECT_EQ(Line(dialUp, none, kRoom), "OFF, waiting for a dial-up connection");
    ActivityShown aol = off;
    aol.waitingForAmericaOnline = true;
    EXPECT_EQ(Line(aol, none, kRoom), "OFF, waiting for America Online");

    SwitchReasons schedule;
    schedule.scheduleHolds = true;
    schedule.scheduleEdge = ClockAt(6, 0);
    EXPECT_EQ(Line(on, schedule, kRoom), "ON until 06:00");
    SwitchReasons program;
    program.programsRunning = {"download.exe"};
    EXPECT_EQ(Line(on, program, kRoom), "ON while download.exe runs");
    SwitchReasons vpn;
    vpn.connectionsUp = {"Office VPN"};
    EXPECT_EQ(Line(on, vpn, kRoom), "ON while Office VPN is connected");

    SwitchReasons awaited;
    awaited.scheduleEdge = ClockAt(22, 0);
    EXPECT_EQ(Line(off, awaited, kRoom), "OFF, waiting for 22:00");
    awaited = {};
    awaited.programsAwaited = {"download.exe"};
    EXPECT_EQ(Line(off, awaited, kRoom), "OFF, waiting for download.exe");
    awaited.programsAwaited.clear();
    awaited.connectionsAwaited = {"Office VPN"};
    EXPECT_EQ(Line(off, awaited, kRoom), "OFF, waiting for Office VPN");

    // Several: a short list, and what does not fit counted.
    SwitchReasons several = schedule;
    several.programsRunning = {"download.exe"};
    several.connectionsUp = {"Office VPN"};
    EXPECT_EQ(Line(on, several, kRoom), "ON: until 06:00, download.exe, Office VPN");
    SwitchReasons many;
    many.scheduleEdge = ClockAt(22, 0);
    many.programsAwaited = {"download.exe", "backup.exe", "sync.exe"};
    many.connectionsAwaited = {"Office VPN", "Mobile broadband", "Home VPN"};
    EXPECT_EQ(Line(dialUp, many, kRoom), "OFF, waiting for a dial-up connection, 22:00, download.exe and 5 more");
    EXPECT_EQ(Line(off, many, 200),
              "OFF, waiting for 22:00, download.exe, backup.exe, sync.exe, Office VPN, Mobile broadband, Home VPN");

    // A name as long as a friendly name may be is cut, never the line's room.
    SwitchReasons longName;
    longName.connectionsUp = {std::string(256, 'n')};
    const std::string cut = Line(on, longName, kRoom);
    EXPECT_EQ(cut.size(), kRoom);
    EXPECT_EQ(cut.substr(0, 9), "ON while ");
    EXPECT_EQ(cut.substr(cut.size() - 16), "... is connected");
    longName.connectionsUp.push_back("Office VPN");
    const std::string cutList = Line(on, longName, kRoom);
    EXPECT_LE(cutList.size(), kRoom);
    EXPECT_EQ(cutList.substr(cutList.size() - 14), "... and 1 more");
    for (std::size_t room = 0; room < 100; ++room) {
        EXPECT_LE(Line(dialUp, many, room).size(), room);
        EXPECT_LE(Line(on, longName, room).size(), room);
    }
}

TEST(SwitchRules, StoredListsSplitTrimAndKeepFileNames)
{
    using switch_settings::SplitNames;
    using switch_settings::SplitProgramNames;
    EXPECT_EQ(SplitNames(" Office VPN ;; \t;Mobile"), (std::vector<std::string>{"Office VPN", "Mobile"}));
    EXPECT_TRUE(SplitNames(" ; ;").empty());
    EXPECT_EQ(SplitProgramNames("C:\\Program Files\\Tool\\download.exe;\\\\server\\share\\sync.exe; x\\ ;b.exe"),
              (std::vector<std::string>{"download.exe", "sync.exe", "b.exe"}));
    EXPECT_EQ(switch_settings::JoinNames({"a", "b c"}), "a;b c");

    // Cut at the limit without keeping a name the cut fell inside.
    const std::string name(100, 'x');
    std::string list;
    for (int i = 0; i < 30; ++i) {
        list += name + ";";
    }
    const std::vector<std::string> names = SplitNames(list);
    EXPECT_EQ(names.size(), switch_settings::kMostListChars / (name.size() + 1));
    for (const std::string& one : names) {
        EXPECT_EQ(one, name);
    }
}

}  // namespace
