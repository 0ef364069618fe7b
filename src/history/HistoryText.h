#pragma once
// The record's text: one line per event, "YYYY-MM-DDTHH:MM:SS,EVENT,DETAIL...",
// quoted as comma-separated values are (a field with a comma, a quote or a
// line end in double quotes, its quotes doubled). Written by Quellor, read
// back as untrusted text: any program of the user's can write the file.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace history {

// The most the record holds, and the most of it that is ever read.
inline constexpr std::size_t kMostBytes = 1024 * 1024;
// A longer line is no line of the record.
inline constexpr std::size_t kMostLineChars = 1024;

struct Stamp {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct Event {
    Stamp at;
    std::string name;
    std::vector<std::string> details;
};

// The line with its CRLF end.
std::string FormatLine(const Event& event);
// One line without its end; false when it is no event of the record.
bool ParseLine(std::string_view line, Event& event);

struct Reading {
    std::vector<Event> events;
    // Lines that could not be read.
    std::size_t skipped = 0;
};
// At most kMostBytes of text, line by line.
Reading ReadText(std::string_view text);

// Whether the start of a file can be a record: no NUL, and a line end within
// the longest line when it holds more than that.
bool LooksLikeRecord(std::string_view head);
// What stays when the older half goes: from the first line that starts at
// or after the middle.
std::string_view NewerHalf(std::string_view text);

// Seconds since 2000-01-01 for a stamp, with no regard to daylight saving.
long long StampSeconds(const Stamp& stamp);

}  // namespace history
