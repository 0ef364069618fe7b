#pragma once
// The "Quellor History" window: the record of the line read when it opens
// and drawn with the system's colours, the last 24 hours as one strip or the
// last 7 days one strip a day, with the day told in words above for screen
// readers. One at a time; it deletes itself when closed.
#include "history/HistoryText.h"
#include "win/FrameWindow.h"

#include <string>

class CHistoryWindow : public win::CFrameWindow {
public:
    // Brings the open window forward, or opens one.
    static void Open();
    static constexpr const char* kClassName = "QuellorHistory";

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    CHistoryWindow() = default;

    void OnCreate();
    void Layout();
    void Paint(HDC dc) const;
    void OnCommand(UINT id);
    void OpenRecord() const;
    RECT PictureArea() const;
    int Scaled(int units) const { return MulDiv(units, dpi, 96); }

    history::Reading reading;
    long long now = 0;
    bool weekShown = false;
    int dpi = 96;
    HFONT font = nullptr;
    HWND summary = nullptr;
    HWND viewButton = nullptr;
    HWND openButton = nullptr;
    HWND closeButton = nullptr;
};
