#include "settings/SwitchSettings.h"

#include "settings/TimeUnits.h"

namespace switch_settings {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The text up to kMostListChars, without a name the cut falls inside.
std::string_view CutAtWholeNames(std::string_view text)
{
    if (text.size() <= kMostListChars) {
        return text;
    }
    const bool cutInsideName = text[kMostListChars] != ';';
    text = text.substr(0, kMostListChars);
    if (cutInsideName) {
        const std::size_t lastSeparator = text.rfind(';');
        text = text.substr(0, lastSeparator == std::string_view::npos ? 0 : lastSeparator);
    }
    return text;
}

bool InRange(int value, int lowest, int highest)
{
    return value >= lowest && value <= highest;
}

}  // namespace

std::vector<std::string> SplitNames(std::string_view text)
{
    text = CutAtWholeNames(text);
    std::vector<std::string> names;
    while (!text.empty()) {
        const std::size_t separator = text.find(';');
        const std::string_view name = Trimmed(text.substr(0, separator));
        if (!name.empty()) {
            names.emplace_back(name);
        }
        text = separator == std::string_view::npos ? std::string_view() : text.substr(separator + 1);
    }
    return names;
}

std::string JoinNames(const std::vector<std::string>& names)
{
    std::string joined;
    for (const std::string& name : names) {
        if (!joined.empty()) {
            joined += ';';
        }
        joined += name;
    }
    return joined;
}

std::string_view ProgramFileName(std::string_view name)
{
    const std::size_t lastBackslash = name.rfind('\\');
    return Trimmed(lastBackslash == std::string_view::npos ? name : name.substr(lastBackslash + 1));
}

std::vector<std::string> SplitProgramNames(std::string_view text)
{
    std::vector<std::string> names;
    for (const std::string& name : SplitNames(text)) {
        const std::string_view fileName = ProgramFileName(name);
        if (!fileName.empty()) {
            names.emplace_back(fileName);
        }
    }
    return names;
}

void ApplyNumbers(const StoredNumbers& stored, SwitchSettings& settings)
{
    const bool scheduleValid = InRange(stored.days, 0, kAllDays) && InRange(stored.fromMinute, 0, kMinutesPerDay - 1) &&
                               InRange(stored.toMinute, 0, kMinutesPerDay - 1);
    settings.days = scheduleValid ? stored.days : 0;
    settings.fromMinute = scheduleValid ? stored.fromMinute : 0;
    settings.toMinute = scheduleValid ? stored.toMinute : 0;

    const int modifiers = (stored.hotKey >> 8) & 0xFF;
    const bool hotKeyValid =
        InRange(stored.hotKey, 1, 0xFFFF) && (stored.hotKey & 0xFF) != 0 && (modifiers & ~kHotKeyModifierMask) == 0;
    settings.hotKey = hotKeyValid ? stored.hotKey : 0;

    settings.keepAwake = stored.keepAwake == 1;
    settings.keepAwakeOnBattery = stored.keepAwakeOnBattery == 1;
}

}  // namespace switch_settings
