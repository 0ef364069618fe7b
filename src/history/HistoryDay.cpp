#include "history/HistoryDay.h"

#include <algorithm>

namespace history {
namespace {

bool IsOn(const Event& event)
{
    return event.name == "ON";
}

bool IsOff(const Event& event)
{
    return event.name == "OFF";
}

// The first detail, or empty.
std::string FirstDetail(const Event& event)
{
    return event.details.empty() ? std::string() : event.details.front();
}

bool Answered(const Event& event)
{
    return event.details.size() >= 3 && event.details[2] == "answered";
}

void AddOn(Strip& strip, long long from, long long to)
{
    from = std::max(from, strip.from);
    to = std::min(to, strip.to);
    if (from < to) {
        strip.on.push_back({from, to});
    }
}

std::string TimesText(std::size_t count)
{
    if (count == 1) {
        return "once";
    }
    if (count == 2) {
        return "twice";
    }
    return std::to_string(count) + " times";
}

std::string CountText(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

struct Drops {
    std::string name;
    std::size_t count = 0;
    std::vector<long long> backAfter;
    long long downSince = -1;
};

Drops& DropsOf(std::vector<Drops>& all, const std::string& name)
{
    for (Drops& line : all) {
        if (line.name == name) {
            return line;
        }
    }
    Drops added;
    added.name = name;
    all.push_back(std::move(added));
    return all.back();
}

}  // namespace

std::string DurationText(long long seconds)
{
    if (seconds < 60) {
        return std::to_string(seconds) + " s";
    }
    const long long minutes = seconds / 60;
    if (minutes < 60) {
        return std::to_string(minutes) + " min";
    }
    return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
}

Strip StripOf(const std::vector<Event>& events, const Span& shown, long long now)
{
    Strip strip;
    strip.from = shown.from;
    strip.to = shown.to;
    const long long from = shown.from;
    const long long to = shown.to;
    long long onSince = -1;
    for (const Event& event : events) {
        const long long at = StampSeconds(event.at);
        if (IsOn(event) && onSince < 0) {
            onSince = at;
        } else if (IsOff(event) && onSince >= 0) {
            AddOn(strip, onSince, at);
            onSince = -1;
        }
        if (at < from || at >= to) {
            continue;
        }
        if (event.name == "contact") {
            strip.marks.push_back({at, Answered(event) ? MarkKind::Answered : MarkKind::NotAnswered});
        } else if (event.name == "down" || event.name == "up") {
            strip.marks.push_back({at, event.name == "up" ? MarkKind::Up : MarkKind::Down});
        } else if (event.name == "dial") {
            strip.marks.push_back({at, MarkKind::Dial});
        }
    }
    if (onSince >= 0) {
        AddOn(strip, onSince, now);
    }
    return strip;
}

std::string DaySummary(const std::vector<Event>& events, const Span& day, std::size_t skipped)
{
    const long long dayStart = day.from;
    const long long now = day.to;
    long long onSeconds = 0;
    for (const Span& span : StripOf(events, {dayStart, now + 1}, now).on) {
        onSeconds += span.to - span.from;
    }
    std::size_t contacts = 0;
    std::size_t unanswered = 0;
    std::vector<Drops> drops;
    for (const Event& event : events) {
        const long long at = StampSeconds(event.at);
        if (at < dayStart || at > now) {
            continue;
        }
        if (event.name == "contact") {
            ++contacts;
            unanswered += Answered(event) ? 0 : 1;
        } else if (event.name == "down") {
            Drops& line = DropsOf(drops, FirstDetail(event));
            ++line.count;
            line.downSince = at;
        } else if (event.name == "up") {
            Drops& line = DropsOf(drops, FirstDetail(event));
            if (line.downSince >= 0) {
                line.backAfter.push_back(at - line.downSince);
                line.downSince = -1;
            }
        }
    }
    std::string text = "Today: ON " + DurationText(onSeconds) + ", " + CountText(contacts, "contact", "contacts") +
                       ", " + std::to_string(unanswered) + " without answer";
    for (const Drops& line : drops) {
        if (line.count == 0) {
            continue;
        }
        text += "; " + line.name + " dropped " + TimesText(line.count);
        for (std::size_t i = 0; i < line.backAfter.size(); ++i) {
            text += (i == 0 ? ", back after " : (i + 1 == line.backAfter.size() ? " and " : ", ")) +
                    DurationText(line.backAfter[i]);
        }
    }
    text += ".";
    if (skipped > 0) {
        text += " " + CountText(skipped, "line", "lines") + " of the record could not be read.";
    }
    return text;
}

}  // namespace history
