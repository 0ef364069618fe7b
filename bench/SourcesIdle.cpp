// One set of the sources that switch the activity, alive on a hidden window
// with a stand-in for the main frame, for tools/measure-sources: it prints
// every switch and the tip's line as they happen, and otherwise idles.
//   SourcesIdle.exe SECONDS [connections=A;B] [programs=a.exe;b.exe]
//                   [schedule=DAYS,FROM,TO] [hotkey=VALUE] [keepawake]
//   SourcesIdle.exe names      (the connection names the Set Up page offers)
#include "engine/KeepAwake.h"
#include "frame/SwitchSources.h"
#include "res/AppMessages.h"
#include "win/IpHelper.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr UINT_PTR kQuitTimer = 100;

// The tip's times as a 24-hour clock, with the day's number when a day or more away.
std::string ClockText(const TipTime& time)
{
    char text[16] = {};
    std::snprintf(text, sizeof text, "%02u:%02u", time.at.wHour, time.at.wMinute);
    return time.aDayAway ? std::to_string(time.at.wDay) + ". " + text : text;
}

class CPrintingFrame : public CActivitySwitch {
public:
    bool on = false;
    bool keepAwakeWanted = false;

    void SourcesChanged(const SwitchReasons& now, SourceSwitch switchTo, ActivityCause cause) override
    {
        reasons = now;
        if (switchTo != SourceSwitch::None) {
            on = switchTo == SourceSwitch::On;
            std::printf("%lu %s cause %d\n", GetTickCount(), on ? "ON" : "OFF", static_cast<int>(cause));
            if (on && keepAwakeWanted) {
                keepAwake.Hold();
            } else {
                keepAwake.Release();
            }
        }
        PrintTip();
    }
    bool IsRunning() const override { return on; }

    void PrintTip() const
    {
        ActivityShown activity;
        activity.on = on;
        std::printf("%lu tip %s\n", GetTickCount(), SwitchStatusLine(activity, reasons, 100, ClockText).c_str());
        std::fflush(stdout);
    }

private:
    SwitchReasons reasons;
    CKeepAwake keepAwake;
};

CSwitchSources* routed = nullptr;

LRESULT CALLBACK Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kQuitTimer) {
        PostQuitMessage(0);
        return 0;
    }
    if (message == WM_SWITCH_CONNECTIONS) {
        std::printf("%lu notified\n", GetTickCount());
    }
    LRESULT result = 0;
    return routed->OnMessage(message, wParam, lParam, result) ? result
                                                              : DefWindowProcA(window, message, wParam, lParam);
}

SwitchSettings FromArguments(int count, char** arguments)
{
    SwitchSettings settings;
    for (int i = 2; i < count; ++i) {
        const std::string argument = arguments[i];
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const std::string value = equals == std::string::npos ? std::string() : argument.substr(equals + 1);
        if (name == "connections") {
            settings.connections = switch_settings::SplitNames(value);
        } else if (name == "programs") {
            settings.programs = switch_settings::SplitProgramNames(value);
        } else if (name == "schedule") {
            std::sscanf(value.c_str(), "%i,%i,%i", &settings.days, &settings.fromMinute, &settings.toMinute);
        } else if (name == "hotkey") {
            settings.hotKey = std::atoi(value.c_str());
        } else if (name == "keepawake") {
            settings.keepAwake = true;
        }
    }
    return settings;
}

}  // namespace

int main(int count, char** arguments)
{
    if (count < 2) {
        std::fprintf(stderr, "SourcesIdle SECONDS [connections=...] [programs=...] [schedule=D,F,T] [hotkey=V]\n");
        return 2;
    }
    if (std::string(arguments[1]) == "names") {
        for (const std::string& name : win::CurrentConnectionNames()) {
            std::printf("%s\n", name.c_str());
        }
        return 0;
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Route;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SourcesIdle";
    RegisterClassA(&windowClass);
    const HWND window =
        CreateWindowA("SourcesIdle", "SourcesIdle", 0, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
    CPrintingFrame frame;
    CSwitchSources sources(frame);
    routed = &sources;
    const SwitchSettings chosen = FromArguments(count, arguments);
    frame.keepAwakeWanted = chosen.keepAwake;
    sources.Start(window, chosen);
    std::printf("%lu started, hot key %s\n", GetTickCount(), sources.IsHotKeyTaken() ? "taken" : "free");
    frame.PrintTip();
    SetTimer(window, kQuitTimer, static_cast<UINT>(std::atoi(arguments[1])) * 1000U, nullptr);
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    sources.Stop();
    DestroyWindow(window);
    return 0;
}
