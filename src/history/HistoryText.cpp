#include "history/HistoryText.h"

#include <algorithm>
#include <iterator>

namespace history {
namespace {

bool NeedsQuotes(std::string_view field)
{
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

// The value's last digits, with leading zeros; no printf engine for it.
template <int Digits>
void AppendDigits(std::string& line, int value)
{
    char text[Digits] = {};
    for (int i = Digits - 1; i >= 0; --i) {
        text[i] = static_cast<char>('0' + (value % 10 + 10) % 10);
        value /= 10;
    }
    line.append(text, Digits);
}

void AppendField(std::string& line, std::string_view field)
{
    if (!NeedsQuotes(field)) {
        line.append(field);
        return;
    }
    line += '"';
    for (const char c : field) {
        if (c == '"') {
            line += '"';
        }
        line += c;
    }
    line += '"';
}

// Splits one line into its fields; false on a quote that does not close,
// text after a closing quote, or a quote or carriage return in a field that
// is not quoted: written again, such a field would be quoted, and a line
// near the longest would then be too long to read back.
bool SplitFields(std::string_view line, std::vector<std::string>& fields)
{
    std::size_t at = 0;
    while (true) {
        std::string field;
        if (at < line.size() && line[at] == '"') {
            ++at;
            while (true) {
                if (at >= line.size()) {
                    return false;
                }
                if (line[at] == '"') {
                    if (at + 1 < line.size() && line[at + 1] == '"') {
                        field += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                field += line[at++];
            }
            if (at < line.size() && line[at] != ',') {
                return false;
            }
        } else {
            const std::size_t end = std::min(line.find(',', at), line.size());
            field.assign(line.substr(at, end - at));
            if (field.find_first_of("\"\r") != std::string::npos) {
                return false;
            }
            at = end;
        }
        fields.push_back(std::move(field));
        if (at >= line.size()) {
            return true;
        }
        ++at;  // the comma
    }
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): where the digits are, then their range
bool ReadNumber(std::string_view text, std::size_t at, std::size_t digits, int low, int high, int& value)
{
    value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value >= low && value <= high;
}

bool ParseStamp(std::string_view text, Stamp& stamp)
{
    constexpr std::string_view kShape = "0000-00-00T00:00:00";
    if (text.size() != kShape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        if (kShape[i] != '0' && text[i] != kShape[i]) {
            return false;
        }
    }
    return ReadNumber(text, 0, 4, 1601, 9999, stamp.year) && ReadNumber(text, 5, 2, 1, 12, stamp.month) &&
           ReadNumber(text, 8, 2, 1, 31, stamp.day) && ReadNumber(text, 11, 2, 0, 23, stamp.hour) &&
           ReadNumber(text, 14, 2, 0, 59, stamp.minute) && ReadNumber(text, 17, 2, 0, 59, stamp.second);
}

// One line into the event, with fields as room the caller keeps from line
// to line: a full record has thousands.
bool ParseInto(std::string_view line, Event& event, std::vector<std::string>& fields)
{
    fields.clear();
    if (line.size() > kMostLineChars || !SplitFields(line, fields) || fields.size() < 2 ||
        !ParseStamp(fields[0], event.at) || fields[1].empty()) {
        return false;
    }
    event.name = std::move(fields[1]);
    event.details.assign(std::make_move_iterator(fields.begin() + 2), std::make_move_iterator(fields.end()));
    return true;
}

}  // namespace

std::string FormatLine(const Event& event)
{
    std::string line;
    AppendDigits<4>(line, event.at.year);
    line += '-';
    AppendDigits<2>(line, event.at.month);
    line += '-';
    AppendDigits<2>(line, event.at.day);
    line += 'T';
    AppendDigits<2>(line, event.at.hour);
    line += ':';
    AppendDigits<2>(line, event.at.minute);
    line += ':';
    AppendDigits<2>(line, event.at.second);
    line += ',';
    AppendField(line, event.name);
    for (const std::string& detail : event.details) {
        line += ',';
        AppendField(line, detail);
    }
    line += "\r\n";
    return line;
}

bool ParseLine(std::string_view line, Event& event)
{
    std::vector<std::string> fields;
    return ParseInto(line, event, fields);
}

Reading ReadText(std::string_view text)
{
    Reading reading;
    text = text.substr(0, kMostBytes);
    reading.events.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::vector<std::string> fields;
    fields.reserve(8);
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        const bool ended = end != std::string_view::npos;
        end = ended ? end : text.size();
        std::string_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        Event event;
        if (ParseInto(line, event, fields)) {
            reading.events.push_back(std::move(event));
        } else if (!line.empty()) {
            ++reading.skipped;
        }
        at = end + 1;
    }
    return reading;
}

bool LooksLikeRecord(std::string_view head)
{
    if (head.find('\0') != std::string_view::npos) {
        return false;
    }
    return head.size() <= kMostLineChars + 2 || head.find('\n') <= kMostLineChars + 1;
}

std::string_view NewerHalf(std::string_view text)
{
    const std::size_t middle = text.size() / 2;
    const std::size_t end = text.find('\n', middle == 0 ? 0 : middle - 1);
    return end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
}

long long StampSeconds(const Stamp& stamp)
{
    // Days from civil date, after Howard Hinnant's algorithm.
    const int y = stamp.year - (stamp.month <= 2 ? 1 : 0);
    const int era = y / 400;
    const int yearOfEra = y - era * 400;
    const int monthIndex = (stamp.month + 9) % 12;
    const int dayOfYear = (153 * monthIndex + 2) / 5 + stamp.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const long long days = static_cast<long long>(era) * 146097 + dayOfEra - 730425;
    return days * 86400 + static_cast<long long>(stamp.hour) * 3600 + static_cast<long long>(stamp.minute) * 60 +
           stamp.second;
}

}  // namespace history
