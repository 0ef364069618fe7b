// Any stored values of the sources that switch the activity: the lists
// split into clean names within the limit, the numbers into a schedule, a
// hot key and keep-awake that are in range or off, and the schedule's
// next edge is where its state really changes.
#include "FuzzInput.h"
#include "engine/ScheduleWindow.h"
#include "settings/SwitchSettings.h"

#include <string>

namespace {

void CheckNames(const std::vector<std::string>& names, bool fileNames)
{
    FUZZ_CHECK(switch_settings::JoinNames(names).size() <= switch_settings::kMostListChars);
    for (const std::string& name : names) {
        FUZZ_CHECK(!name.empty());
        FUZZ_CHECK(name.find(';') == std::string::npos);
        FUZZ_CHECK(name.front() != ' ' && name.front() != '\t' && name.back() != ' ' && name.back() != '\t');
        FUZZ_CHECK(!fileNames || name.find('\\') == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    switch_settings::StoredNumbers stored;
    stored.days = input.Number<int>();
    stored.fromMinute = input.Number<int>();
    stored.toMinute = input.Number<int>();
    stored.hotKey = input.Number<int>();
    stored.keepAwake = input.Number<int>();
    const int day = input.Number<std::uint8_t>() % 7;
    const int minute = input.Number<std::uint16_t>() % kMinutesPerDay;
    const std::string text = input.Rest();

    SwitchSettings settings;
    switch_settings::ApplyNumbers(stored, settings);
    FUZZ_CHECK(settings.days >= 0 && settings.days <= switch_settings::kAllDays);
    FUZZ_CHECK(settings.fromMinute >= 0 && settings.fromMinute < kMinutesPerDay);
    FUZZ_CHECK(settings.toMinute >= 0 && settings.toMinute < kMinutesPerDay);
    FUZZ_CHECK(settings.hotKey == 0 || settings.hotKey == stored.hotKey);
    FUZZ_CHECK(settings.keepAwake == (stored.keepAwake == 1));
    CheckNames(switch_settings::SplitNames(text), false);
    CheckNames(switch_settings::SplitProgramNames(text), true);

    const ScheduleWindow window{settings.days, settings.fromMinute, settings.toMinute};
    const ScheduleState state = ScheduleAt(window, day, minute);
    FUZZ_CHECK(state.minutesToEdge >= 0 && state.minutesToEdge <= kMinutesPerWeek);
    if (state.minutesToEdge > 0) {
        const auto later = [&](int minutes) {
            const int at = (day * kMinutesPerDay + minute + minutes) % kMinutesPerWeek;
            return ScheduleAt(window, at / kMinutesPerDay, at % kMinutesPerDay).inside;
        };
        FUZZ_CHECK(later(state.minutesToEdge - 1) == state.inside);
        FUZZ_CHECK(later(state.minutesToEdge) != state.inside);
    }
    return 0;
}
