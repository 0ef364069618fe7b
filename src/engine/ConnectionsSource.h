#pragma once
// Named network connections as a source: holds while one of them is up
// (the adapter's operational status), matched on the adapter's friendly
// name without regard to case. The system's interface-change notification
// calls on a thread of its own, which only posts WM_SWITCH_CONNECTIONS;
// where no notification comes (before Windows Vista, or under Wine) a
// window timer looks every 3 s.
#include <windows.h>

#include <string>
#include <vector>

class CConnectionsSource {
public:
    CConnectionsSource() = default;
    CConnectionsSource(const CConnectionsSource&) = delete;
    CConnectionsSource& operator=(const CConnectionsSource&) = delete;
    ~CConnectionsSource() { Stop(); }

    // Looks at the adapters and starts following them for the named
    // connections; afterwards Holds() says whether one is up.
    void Start(HWND messageWindow, const std::vector<std::string>& names);
    void Stop();
    bool Holds() const { return !up.empty(); }
    // The connections named, and those of them that are up, as named.
    const std::vector<std::string>& Names() const { return names; }
    const std::vector<std::string>& Up() const { return up; }

    // WM_SWITCH_CONNECTIONS: the adapters are looked at shortly after, once
    // the change has settled.
    void OnNotified();
    // TIMER_CONNECTIONS_POLL or TIMER_CONNECTIONS_SETTLE: true when the
    // first named connection came up or the last went.
    bool OnTimer(UINT_PTR timerId);
    // Looks at the adapters now; true as OnTimer.
    bool Look();

private:
    static void WINAPI Notified(void* context, void* row, int type);

    HWND window = nullptr;
    std::vector<std::string> names;
    std::vector<std::wstring> wideNames;
    std::vector<std::string> up;
    HANDLE notification = nullptr;
};
