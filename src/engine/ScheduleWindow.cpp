#include "engine/ScheduleWindow.h"

#include <algorithm>
#include <array>

namespace {

int Wrapped(int value, int period)
{
    return ((value % period) + period) % period;
}

struct Span {
    int start;   // minute of the week
    int length;  // 1 to a whole day
};

// The span of the window that starts on the given day.
Span SpanOfDay(const ScheduleWindow& window, int day)
{
    const int from = Wrapped(window.fromMinute, kMinutesPerDay);
    const int to = Wrapped(window.toMinute, kMinutesPerDay);
    if (from == to) {
        return {day * kMinutesPerDay, kMinutesPerDay};
    }
    return {day * kMinutesPerDay + from, Wrapped(to - from, kMinutesPerDay)};
}

bool DayChosen(const ScheduleWindow& window, int day)
{
    return (window.days & (1 << day)) != 0;
}

bool InsideAt(const ScheduleWindow& window, int weekMinute)
{
    for (int day = 0; day < kDaysPerWeek; ++day) {
        if (!DayChosen(window, day)) {
            continue;
        }
        const Span span = SpanOfDay(window, day);
        if (Wrapped(weekMinute - span.start, kMinutesPerWeek) < span.length) {
            return true;
        }
    }
    return false;
}

}  // namespace

ScheduleState ScheduleAt(const ScheduleWindow& window, int dayOfWeek, int minuteOfDay)
{
    const int now = Wrapped(Wrapped(dayOfWeek, kDaysPerWeek) * kMinutesPerDay + minuteOfDay, kMinutesPerWeek);
    ScheduleState state;
    state.inside = InsideAt(window, now);

    // The state is constant between the spans' starts and ends, so the next
    // edge is the nearest of them after which it differs.
    std::array<int, 2 * kDaysPerWeek> distances{};
    std::size_t count = 0;
    for (int day = 0; day < kDaysPerWeek; ++day) {
        if (DayChosen(window, day)) {
            const Span span = SpanOfDay(window, day);
            for (const int boundary : {span.start, span.start + span.length}) {
                const int distance = Wrapped(boundary - now, kMinutesPerWeek);
                distances[count++] = distance == 0 ? kMinutesPerWeek : distance;
            }
        }
    }
    std::sort(distances.begin(), distances.begin() + static_cast<std::ptrdiff_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        if (InsideAt(window, Wrapped(now + distances[i], kMinutesPerWeek)) != state.inside) {
            state.minutesToEdge = distances[i];
            break;
        }
    }
    return state;
}
