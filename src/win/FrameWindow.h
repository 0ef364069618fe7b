#pragma once
// Hidden or visible top-level windows of the program's own classes.
// A frame object lives on the heap and deletes itself once its window is gone.
#include "win/Window.h"

namespace win {

class CFrameWindow : public CWindow {
public:
    // Creates the window of a frame object made with new. On failure the
    // object has been deleted (by its own WM_NCDESTROY, or here when the
    // window never started to exist), so the caller never deletes it.
    // A parent of HWND_MESSAGE makes a message-only window.
    static HWND CreateOwned(CFrameWindow* frame, const char* title, DWORD style,
                            const char* className = kClassName, HWND parent = nullptr);

    // The main frame's class; other frames name their own.
    static constexpr const char* kClassName = "QuellorFrame";

protected:
    // Handles what the derived class does not, the system's default.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static bool RegisterFrameClass(const char* className);

    bool* attached = nullptr;
};

}  // namespace win
