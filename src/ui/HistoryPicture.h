#pragma once
// The record drawn with GDI in the system's colours: the last 24 hours as
// one strip, or the last 7 days one strip a day with the day's name beside
// it, the clock's hours along the bottom. The font is the device context's.
#include "history/HistoryText.h"

#include <windows.h>

#include <vector>

class CHistoryPicture {
public:
    // Sizes at 96 dots per inch.
    static constexpr int kLabelHeight = 16;
    static constexpr int kDayLabelWidth = 40;

    // NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a time and a resolution, named
    CHistoryPicture(const std::vector<history::Event>& events, long long now, int dpi)
        : events(events), now(now), dpi(dpi)
    {
    }
    // area: the strips; the day names go to its left, the hours below it.
    void Draw(HDC dc, const RECT& area, bool week) const;

private:
    void DrawStrip(HDC dc, const RECT& area, long long from, long long to) const;
    void DrawHours(HDC dc, const RECT& area, long long from, long long to) const;
    int Scaled(int units) const { return MulDiv(units, dpi, 96); }

    const std::vector<history::Event>& events;
    long long now;
    int dpi;
};
