#pragma once
// Message-only window whose timer steps the tray icon through its pictures:
// it receives no broadcasts, and its class is its own, so that a search for
// the main frame never finds it. It ignores a close from outside: only the
// tray icon ends it.
#include "tray/PictureTarget.h"
#include "win/FrameWindow.h"
#include "win/MessageMap.h"

#include <vector>

class CTrayTimerWnd : public win::CFrameWindow {
public:
    CTrayTimerWnd(CPictureTarget& target, const HICON* pictures, int count, UINT delayMs);

    static constexpr const char* kClassName = "QuellorAnimation";

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);

    static const win::MessageEntry<CTrayTimerWnd> messages[];
    static const win::MessageMap<CTrayTimerWnd> messageMap;

    CPictureTarget& target;
    std::vector<HICON> pictures;
    UINT delayMs;
    UINT_PTR timer = 0;
    std::size_t currentPicture = 0;
};
