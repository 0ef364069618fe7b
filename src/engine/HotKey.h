#pragma once
// The user's hot key, registered for the main frame, which then receives
// WM_HOTKEY with kId from whatever program has the focus.
#include <windows.h>

class CHotKey {
public:
    static constexpr int kId = 1;

    CHotKey() = default;
    CHotKey(const CHotKey&) = delete;
    CHotKey& operator=(const CHotKey&) = delete;
    ~CHotKey() { Unregister(); }

    // Registers the hot-key control's value (0: none) for the window, after
    // letting go of the one before. False when there is nothing to register
    // or the system refused it; another program's hot key is remembered as
    // taken. Never shows a message.
    bool Register(HWND window, int controlValue);
    void Unregister();
    bool IsRegistered() const { return window != nullptr; }
    // Another program holds the chosen key.
    bool IsTaken() const { return taken; }

private:
    HWND window = nullptr;
    bool taken = false;
};
