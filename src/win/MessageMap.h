#pragma once
// Static per-class tables that map window messages, commands, control
// notifications and menu-item check marks to member functions. Each window
// or dialog class defines its tables in its .cpp, next to the handlers.
#include <windows.h>

#include <cstddef>

namespace win {

template <class T>
struct MessageEntry {
    UINT message;
    LRESULT (T::*handler)(WPARAM, LPARAM);
};

// A menu command, an accelerator or a button click (BN_CLICKED).
template <class T>
struct CommandEntry {
    UINT id;
    void (T::*handler)();
};

// A control notification: WM_COMMAND with a code other than BN_CLICKED, or
// WM_NOTIFY. WM_NOTIFY handlers answer 0.
template <class T>
struct NotifyEntry {
    UINT id;
    UINT code;
    void (T::*handler)();
};

// A menu item whose check mark follows a condition, refreshed whenever a
// popup menu opens.
template <class T>
struct UpdateEntry {
    UINT id;
    bool (T::*isChecked)() const;
};

template <class E>
class TableRef {
public:
    TableRef() = default;
    template <std::size_t N>
    TableRef(const E (&entries)[N]) noexcept : first(entries), count(N) {}
    const E* begin() const { return first; }
    const E* end() const { return first + count; }

private:
    const E* first = nullptr;
    std::size_t count = 0;
};

template <class T>
struct MessageMap {
    TableRef<MessageEntry<T>> messages;
    TableRef<CommandEntry<T>> commands;
    TableRef<NotifyEntry<T>> notifications;
    TableRef<UpdateEntry<T>> updates;
};

// Looks the message up in the tables; true when a handler ran, with its
// result. Check-mark updates never count as handling WM_INITMENUPOPUP.
template <class T>
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a window procedure's parameters, in its order
bool DispatchMessageMap(T& target, const MessageMap<T>& map, UINT message, WPARAM wParam,
                        LPARAM lParam, LRESULT& result)
{
    for (const auto& entry : map.messages) {
        if (entry.message == message) {
            result = (target.*entry.handler)(wParam, lParam);
            return true;
        }
    }
    result = 0;
    if (message == WM_COMMAND) {
        const UINT id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        const bool fromControl = lParam != 0;
        if (fromControl && code != BN_CLICKED) {
            for (const auto& entry : map.notifications) {
                if (entry.id == id && entry.code == code) {
                    (target.*entry.handler)();
                    return true;
                }
            }
            return false;
        }
        for (const auto& entry : map.commands) {
            if (entry.id == id) {
                (target.*entry.handler)();
                return true;
            }
        }
        return false;
    }
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);  // NOLINT(performance-no-int-to-ptr): the header
        for (const auto& entry : map.notifications) {
            if (entry.id == header->idFrom && entry.code == header->code) {
                (target.*entry.handler)();
                return true;
            }
        }
        return false;
    }
    if (message == WM_INITMENUPOPUP) {
        const HMENU menu = reinterpret_cast<HMENU>(wParam);  // NOLINT(performance-no-int-to-ptr): the menu's handle
        for (const auto& entry : map.updates) {
            const bool checked = (target.*entry.isChecked)();
            CheckMenuItem(menu, entry.id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
        }
    }
    return false;
}

}  // namespace win
