#include "ui/HistoryPicture.h"

#include "history/HistoryDay.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

constexpr long long kDay = 86400;
constexpr long long kHour = 3600;

void Fill(HDC dc, const RECT& area, int colour)
{
    FillRect(dc, &area, GetSysColorBrush(colour));
}

int XOf(const RECT& area, long long at, long long from, long long to)
{
    return area.left + static_cast<int>((at - from) * (area.right - area.left) / (to - from));
}

}  // namespace

void CHistoryPicture::Draw(HDC dc, const RECT& area, bool week) const
{
    if (area.bottom <= area.top || area.right <= area.left) {
        return;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (!week) {
        DrawStrip(dc, area, now - kDay, now);
        DrawHours(dc, area, now - kDay, now);
    } else {
        const long long midnight = now - now % kDay;
        const int height = (area.bottom - area.top) / 7;
        for (int day = 0; day < 7; ++day) {
            const long long from = midnight - (6 - day) * kDay;
            RECT strip = {area.left, area.top + day * height, area.right, area.top + (day + 1) * height - 2};
            DrawStrip(dc, strip, from, from + kDay);
            static constexpr const char* kDayNames[] = {"Sat", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri"};
            const char* name = kDayNames[((from / kDay) % 7 + 7) % 7];
            RECT label = {area.left - Scaled(kDayLabelWidth), strip.top, area.left - Scaled(4), strip.bottom};
            DrawTextA(dc, name, -1, &label, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        }
        DrawHours(dc, area, midnight, midnight + kDay);
    }
}

// The ON periods as a band along the lower half; answered contacts as grey
// ticks in the upper half, those without answer as dark bars down to the
// bottom; drops, returns and dials as marks along the top.
void CHistoryPicture::DrawStrip(HDC dc, const RECT& area, long long from, long long to) const
{
    const history::Strip strip = history::StripOf(events, {from, to}, now);
    Fill(dc, area, COLOR_BTNFACE);
    const int middle = (area.top + area.bottom) / 2;
    for (const history::Span& span : strip.on) {
        const int left = XOf(area, span.from, from, to);
        Fill(dc, {left, middle, std::max(XOf(area, span.to, from, to), left + 1), area.bottom}, COLOR_HIGHLIGHT);
    }
    const int mark = Scaled(4);
    // A full record puts dozens of contacts on one pixel's width: each
    // column is drawn once for each kind of mark.
    int lastX[5] = {-1, -1, -1, -1, -1};
    for (const history::Mark& each : strip.marks) {
        const int x = XOf(area, each.at, from, to);
        if (std::exchange(lastX[static_cast<int>(each.kind)], x) == x) {
            continue;
        }
        switch (each.kind) {
        case history::MarkKind::Answered:
            Fill(dc, {x, area.top + (middle - area.top) / 2, x + 1, middle}, COLOR_GRAYTEXT);
            break;
        case history::MarkKind::NotAnswered:
            Fill(dc, {x, area.top + 2 * mark, x + std::max(2, Scaled(2)), area.bottom}, COLOR_WINDOWTEXT);
            break;
        case history::MarkKind::Down:
            Fill(dc, {x - mark, area.top, x + mark, area.top + mark}, COLOR_WINDOWTEXT);
            break;
        case history::MarkKind::Up:
            Fill(dc, {x - mark, area.top + mark, x + mark, area.top + 2 * mark}, COLOR_HIGHLIGHT);
            break;
        case history::MarkKind::Dial:
            Fill(dc, {x - mark / 2, area.top, x + mark / 2, area.top + 2 * mark}, COLOR_GRAYTEXT);
            break;
        }
    }
    FrameRect(dc, &area, GetSysColorBrush(COLOR_WINDOWTEXT));
}

// The clock's whole hours, every second one named, below the strips.
void CHistoryPicture::DrawHours(HDC dc, const RECT& area, long long from, long long to) const
{
    for (long long hour = (from + kHour - 1) / kHour * kHour; hour <= to; hour += kHour) {
        const int x = XOf(area, hour, from, to);
        Fill(dc, {x, area.bottom, x + 1, area.bottom + Scaled(3)}, COLOR_WINDOWTEXT);
        const long long clock = (hour / kHour) % 24;
        if (clock % 2 == 0) {
            const std::string text = std::to_string(clock);
            RECT label = {x - Scaled(15), area.bottom + Scaled(3), x + Scaled(15),
                          area.bottom + Scaled(kLabelHeight + 3)};
            DrawTextA(dc, text.c_str(), -1, &label, DT_CENTER | DT_TOP | DT_SINGLELINE);
        }
    }
}
