#pragma once
// What the History window shows of a stretch of time, worked out from the
// record's events: the ON periods, each contact with its outcome, the
// connections going down and up and the dials; and the day told in words.
// Times are seconds as StampSeconds counts them.
#include "history/HistoryText.h"

#include <string>
#include <vector>

namespace history {

enum class MarkKind { Answered, NotAnswered, Down, Up, Dial };

struct Mark {
    long long at = 0;
    MarkKind kind = MarkKind::Answered;
};

struct Span {
    long long from = 0;
    long long to = 0;
};

struct Strip {
    long long from = 0;
    long long to = 0;
    std::vector<Span> on;
    std::vector<Mark> marks;
};

// The events, in the record's order, that fall in [shown.from, shown.to);
// an ON that is still running at the end of the record runs until now.
Strip StripOf(const std::vector<Event>& events, const Span& shown, long long now);

// "Today: ON 6 h 12 min, 372 contacts, 3 without answer; Office VPN dropped
// twice, back after 40 s and 2 min." for the events of day.from to day.to
// (now), with the lines that could not be read told after it.
std::string DaySummary(const std::vector<Event>& events, const Span& day, std::size_t skipped);

// "40 s", "2 min", "6 h 12 min".
std::string DurationText(long long seconds);

}  // namespace history
