#include "tray/SwitchReason.h"

#include <tuple>

namespace {

constexpr const char* kEllipsis = "...";

// The text cut to at most room characters, marked when cut.
std::string Cut(const std::string& text, std::size_t room)
{
    const std::string ellipsis = kEllipsis;
    if (text.size() <= room) {
        return text;
    }
    if (room <= ellipsis.size()) {
        return ellipsis.substr(0, room);
    }
    return text.substr(0, room - ellipsis.size()) + ellipsis;
}

// The one reason's long form, its name cut to fit.
std::string LongForm(const std::string& before, const std::string& name, const std::string& after,
                     std::size_t mostChars)
{
    const std::size_t frame = before.size() + after.size();
    return before + Cut(name, mostChars > frame ? mostChars - frame : 0) + after;
}

// The items after the prefix, ", " between them, as many as fit; the rest
// counted as " and N more".
std::string ShortForm(std::string text, const std::vector<std::string>& items, std::size_t mostChars)
{
    // Room for the count of what is left out, whatever it is.
    const std::size_t countRoom = std::string(" and 9999 more").size();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string piece = (i == 0 ? "" : ", ") + items[i];
        const bool last = i + 1 == items.size();
        const std::size_t needed = text.size() + piece.size() + (last ? 0 : countRoom);
        if (needed > mostChars) {
            if (i == 0) {
                const std::size_t taken = text.size() + (last ? 0 : countRoom);
                text += Cut(items[i], mostChars > taken ? mostChars - taken : 0);
                if (last) {
                    return text;
                }
                ++i;
            }
            return text + " and " + std::to_string(items.size() - i) + " more";
        }
        text += piece;
    }
    return text;
}

std::string OnLine(const ActivityShown& activity, const SwitchReasons& reasons, std::size_t mostChars,
                   TimeTextFunction timeText)
{
    if (!activity.redialing.empty()) {
        const std::string when = activity.redialAt.set ? " again at " + timeText(activity.redialAt) : "";
        return LongForm("ON, dialing ", activity.redialing, when, mostChars);
    }
    std::vector<std::string> items;
    if (activity.limitEnd.set) {
        items.push_back("until " + timeText(activity.limitEnd));
    }
    if (reasons.scheduleHolds && reasons.scheduleEdge.set) {
        items.push_back("until " + timeText(reasons.scheduleEdge));
    }
    items.insert(items.end(), reasons.programsRunning.begin(), reasons.programsRunning.end());
    items.insert(items.end(), reasons.connectionsUp.begin(), reasons.connectionsUp.end());
    if (items.empty()) {
        return "ON";
    }
    if (items.size() > 1) {
        return ShortForm("ON: ", items, mostChars);
    }
    if (!reasons.programsRunning.empty()) {
        return LongForm("ON while ", items.front(), " runs", mostChars);
    }
    if (!reasons.connectionsUp.empty()) {
        return LongForm("ON while ", items.front(), " is connected", mostChars);
    }
    return "ON " + items.front();
}

std::string OffLine(const ActivityShown& activity, const SwitchReasons& reasons, std::size_t mostChars,
                    TimeTextFunction timeText)
{
    std::vector<std::string> items;
    if (activity.waitingForDialUp) {
        items.emplace_back("a dial-up connection");
    }
    if (activity.waitingForAmericaOnline) {
        items.emplace_back("America Online");
    }
    if (!reasons.scheduleHolds && reasons.scheduleEdge.set) {
        items.push_back(timeText(reasons.scheduleEdge));
    }
    items.insert(items.end(), reasons.programsAwaited.begin(), reasons.programsAwaited.end());
    items.insert(items.end(), reasons.connectionsAwaited.begin(), reasons.connectionsAwaited.end());
    if (items.empty()) {
        return "OFF";
    }
    return ShortForm("OFF, waiting for ", items, mostChars);
}

}  // namespace

bool TipTime::operator==(const TipTime& other) const
{
    const auto fields = [](const SYSTEMTIME& t) {
        return std::make_tuple(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    };
    return set == other.set && aDayAway == other.aDayAway && (!set || fields(at) == fields(other.at));
}

bool SwitchReasons::operator==(const SwitchReasons& other) const
{
    return scheduleHolds == other.scheduleHolds && scheduleEdge == other.scheduleEdge &&
           programsRunning == other.programsRunning && connectionsUp == other.connectionsUp &&
           programsAwaited == other.programsAwaited && connectionsAwaited == other.connectionsAwaited;
}

std::string SwitchStatusLine(const ActivityShown& activity, const SwitchReasons& reasons, std::size_t mostChars,
                             TimeTextFunction timeText)
{
    std::string line =
        activity.on ? OnLine(activity, reasons, mostChars, timeText) : OffLine(activity, reasons, mostChars, timeText);
    if (line.size() > mostChars) {
        line.resize(mostChars);
    }
    return line;
}
