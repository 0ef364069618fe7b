#pragma once
// The stored values of the sources that switch the activity by themselves,
// as plain values. Whatever is missing, of the wrong type or out of range
// reads as that source off; the rest of the settings is never touched.
#include <string>
#include <string_view>
#include <vector>

struct SwitchSettings {
    // Friendly names of network connections, as Network Connections shows them.
    std::vector<std::string> connections;
    // Executable file names, without a folder.
    std::vector<std::string> programs;
    // Bit 0 Sunday ... bit 6 Saturday, as SYSTEMTIME's day of the week; 0: no schedule.
    int days = 0;
    // Minutes after midnight, 0 to 1439; equal ones mean the whole day.
    int fromMinute = 0;
    int toMinute = 0;
    // The hot-key control's value: virtual key in the low byte, HOTKEYF_* in the next; 0: none.
    int hotKey = 0;
    bool keepAwake = false;
    // Kept awake on battery power too, not on mains power only.
    bool keepAwakeOnBattery = false;

    bool HasSchedule() const { return days != 0; }

    // Reads every value through the key table and validates it.
    static SwitchSettings Read();
};

namespace switch_settings {

// A stored list is read up to this many characters; a name the cut falls
// inside is dropped. Far above any list a user keeps: a friendly name has
// at most 256 characters, a file name 255.
constexpr std::size_t kMostListChars = 2048;
constexpr int kAllDays = 0x7F;
// The hot-key control's modifiers, HOTKEYF_SHIFT | CONTROL | ALT | EXT.
constexpr int kHotKeyModifierMask = 0x0F;

// The names of a ';'-separated list: blanks around each trimmed, empty ones
// dropped, the text first cut at kMostListChars.
std::vector<std::string> SplitNames(std::string_view text);
// The names joined with ';', as they are stored.
std::string JoinNames(const std::vector<std::string>& names);
// What follows the last '\' of a program's name.
std::string_view ProgramFileName(std::string_view name);
// SplitNames, each reduced to its file name; names that end in '\' are dropped.
std::vector<std::string> SplitProgramNames(std::string_view text);

// The stored numbers as they are used: the schedule is off (no days) unless
// days, from and to are all in range; a hot key with an unknown modifier or
// no key is none; keep awake, on battery too, only for exactly 1. Missing values are passed
// as -1, which no range holds.
struct StoredNumbers {
    int days = -1;
    int fromMinute = -1;
    int toMinute = -1;
    int hotKey = -1;
    int keepAwake = -1;
    int keepAwakeOnBattery = -1;
};
void ApplyNumbers(const StoredNumbers& stored, SwitchSettings& settings);

}  // namespace switch_settings
