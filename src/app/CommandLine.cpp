#include "app/CommandLine.h"

#include "settings/TimeUnits.h"

#include <vector>

const char* const kSwitchesHelp =
    "Quellor accepts one of these switches:\n\n"
    "/on\tswitches it ON\n"
    "/on:MINUTES\tswitches it ON for 1 to 1440 minutes, then OFF\n"
    "/on:HH:MM\tswitches it ON until the clock reads HH:MM (0:00 to 23:59), then OFF\n"
    "/off\tswitches it OFF\n"
    "/exit\tends it\n"
    "/?\tshows this list";

namespace {

bool SameLetters(std::string_view text, std::string_view lowerCase)
{
    if (text.size() != lowerCase.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lowerCase[i]) {
            return false;
        }
    }
    return true;
}

// Words split at blanks; a pair of double quotes groups, as the system's
// own command-line rule does for the simple cases a script writes.
std::vector<std::string> Words(std::string_view arguments)
{
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool inWord = false;
    for (const char c : arguments) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t' || c == '\r' || c == '\n') && !quoted) {
            if (inWord) {
                words.push_back(word);
            }
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

// 1 to 1440 in plain digits, or 0.
int Minutes(std::string_view digits)
{
    if (digits.empty() || digits.size() > 4) {
        return 0;
    }
    int minutes = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return 0;
        }
        minutes = minutes * 10 + (c - '0');
    }
    return minutes <= kMostOnMinutes ? minutes : 0;
}

// H:MM or HH:MM, hours 0 to 23 and minutes 00 to 59, as minutes after
// midnight; -1 for anything else.
int ClockMinute(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3) {
        return -1;
    }
    int hours = 0;
    int minutes = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == colon) {
            continue;
        }
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        int& part = i < colon ? hours : minutes;
        part = part * 10 + (text[i] - '0');
    }
    return hours < 24 && minutes < kMinutesPerHour ? hours * kMinutesPerHour + minutes : -1;
}

CommandLineRequest Mistake(std::string text)
{
    CommandLineRequest request;
    request.kind = CommandLineRequest::Kind::Mistake;
    request.mistake = std::move(text);
    return request;
}

CommandLineRequest ParseSwitch(const std::string& word)
{
    using Kind = CommandLineRequest::Kind;
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-')) {
        return Mistake("\"" + word + "\" is not a switch.");
    }
    const std::string_view name = std::string_view(word).substr(1);
    CommandLineRequest request;
    if (SameLetters(name, "on")) {
        request.kind = Kind::On;
    } else if (SameLetters(name, "off")) {
        request.kind = Kind::Off;
    } else if (SameLetters(name, "exit")) {
        request.kind = Kind::Exit;
    } else if (name == "?" || SameLetters(name, "help")) {
        request.kind = Kind::Help;
    } else if (name.size() >= 3 && SameLetters(name.substr(0, 3), "on:")) {
        request.kind = Kind::On;
        const std::string_view limit = name.substr(3);
        if (limit.find(':') != std::string_view::npos) {
            request.untilMinuteOfDay = ClockMinute(limit);
            if (request.untilMinuteOfDay < 0) {
                return Mistake("\"" + word + "\" needs a time of day from 0:00 to 23:59, such as 06:00.");
            }
            return request;
        }
        request.minutes = Minutes(limit);
        if (request.minutes == 0) {
            return Mistake("\"" + word + "\" needs a number of minutes from 1 to 1440.");
        }
    } else {
        return Mistake("\"" + word + "\" is not a switch Quellor knows.");
    }
    return request;
}

}  // namespace

CommandLineRequest ParseCommandLine(std::string_view arguments)
{
    const std::vector<std::string> words = Words(arguments);
    if (words.empty()) {
        return {};
    }
    if (words.size() > 1) {
        return Mistake("Give one switch at a time.");
    }
    return ParseSwitch(words.front());
}
