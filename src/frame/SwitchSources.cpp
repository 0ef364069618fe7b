#include "frame/SwitchSources.h"

#include "tray/TrayStatus.h"

namespace {

constexpr ActivityCause kOwnSources[] = {ActivityCause::Connections, ActivityCause::Programs, ActivityCause::Schedule};

}  // namespace

template <class Look>
void CSwitchSources::LookAgain(ActivityCause cause, Look look)
{
    const SwitchReasons before = Reasons();
    if (look()) {
        Settle(cause);
    } else if (Reasons() != before) {
        target.ReasonsChanged();
    }
}

void CSwitchSources::Start(HWND frame, const SwitchSettings& chosen)
{
    settings = chosen;
    hotKey.Register(frame, settings.hotKey);
    connections.Start(frame, settings.connections);
    programs.Start(frame, settings.programs);
    if (settings.HasSchedule()) {
        schedule.Start(frame, {settings.days, settings.fromMinute, settings.toMinute});
    } else {
        schedule.Stop();
    }
    for (const ActivityCause cause : kOwnSources) {
        Settle(cause);
    }
    ActivitySwitched(target.IsActivityOn());
}

void CSwitchSources::Stop()
{
    connections.Stop();
    programs.Stop();
    schedule.Stop();
    hotKey.Unregister();
    keepAwake.Release();
    for (const ActivityCause cause : kOwnSources) {
        holding &= ~Bit(cause);
    }
}

void CSwitchSources::Began(ActivityCause cause)
{
    holding |= Bit(cause);
    target.StartActivity(cause);
}

void CSwitchSources::Ended(ActivityCause cause)
{
    holding &= ~Bit(cause);
    if (holding == 0) {
        target.StopActivity(cause);
    } else {
        target.ReasonsChanged();
    }
}

void CSwitchSources::ActivitySwitched(bool on)
{
    if (on && settings.keepAwake) {
        keepAwake.Hold();
    } else {
        keepAwake.Release();
    }
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a window message and its parameters, in their order
bool CSwitchSources::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_TIMER:
        return OnTimer(wParam);
    case WM_TIMECHANGE:
        OnTimeChange();
        return true;
    case WM_POWERBROADCAST:
        OnPowerBroadcast(wParam);
        result = TRUE;
        return true;
    case WM_HOTKEY:
        OnHotKey(wParam);
        return true;
    case WM_SWITCH_CONNECTIONS:
        OnConnectionsNotified();
        return true;
    case WM_SWITCH_PROGRAM_ENDED:
        OnProgramEnded();
        return true;
    default:
        return false;
    }
}

bool CSwitchSources::OnTimer(UINT_PTR timerId)
{
    switch (timerId) {
    case TIMER_SCHEDULE:
        LookAgain(ActivityCause::Schedule, [this] { return schedule.Check(); });
        return true;
    case TIMER_PROGRAMS_POLL:
        LookAgain(ActivityCause::Programs, [this] { return programs.Look(); });
        return true;
    case TIMER_CONNECTIONS_POLL:
    case TIMER_CONNECTIONS_SETTLE:
        LookAgain(ActivityCause::Connections, [this, timerId] { return connections.OnTimer(timerId); });
        return true;
    default:
        return false;
    }
}

void CSwitchSources::OnTimeChange()
{
    LookAgain(ActivityCause::Schedule, [this] { return schedule.Check(); });
}

void CSwitchSources::OnPowerBroadcast(WPARAM event)
{
    if (event != PBT_APMRESUMEAUTOMATIC && event != PBT_APMRESUMESUSPEND) {
        return;
    }
    LookAgain(ActivityCause::Schedule, [this] { return schedule.Check(); });
    LookAgain(ActivityCause::Programs, [this] { return programs.Look(); });
    LookAgain(ActivityCause::Connections, [this] { return connections.Look(); });
}

void CSwitchSources::OnHotKey(WPARAM id)
{
    if (id != static_cast<WPARAM>(CHotKey::kId) || !hotKey.IsRegistered()) {
        return;
    }
    if (target.IsActivityOn()) {
        target.StopActivity(ActivityCause::HotKey);
    } else {
        target.StartActivity(ActivityCause::HotKey);
    }
}

void CSwitchSources::OnConnectionsNotified()
{
    connections.OnNotified();
}

void CSwitchSources::OnProgramEnded()
{
    LookAgain(ActivityCause::Programs, [this] { return programs.Look(); });
}

SwitchReasons CSwitchSources::Reasons() const
{
    SwitchReasons reasons;
    SYSTEMTIME edge = {};
    const bool hasEdge = schedule.NextEdge(edge);
    std::string edgeText = hasEdge ? CTrayStatus::LocalTimeText(edge) : std::string();
    // The clock time names the next such moment: an edge a day or more away
    // (a window on one day of the week) is named with its day too.
    char day[32] = {};
    if (schedule.NextEdgeADayAway() && GetDateFormatA(LOCALE_USER_DEFAULT, 0, &edge, "ddd", day, sizeof day) > 0) {
        edgeText.insert(0, std::string(day) + " ");
    }
    if (schedule.Holds()) {
        reasons.scheduleHolds = true;
        reasons.scheduleUntil = edgeText;
    } else {
        reasons.scheduleNext = edgeText;
    }
    reasons.programsRunning = programs.Running();
    reasons.programsAwaited = programs.Awaited();
    reasons.connectionsUp = connections.Up();
    reasons.connectionsAwaited = connections.Awaited();
    return reasons;
}

bool CSwitchSources::SourceHolds(ActivityCause cause) const
{
    switch (cause) {
    case ActivityCause::Connections:
        return connections.Holds();
    case ActivityCause::Programs:
        return programs.Holds();
    case ActivityCause::Schedule:
        return schedule.Holds();
    default:
        return Holds(cause);
    }
}

void CSwitchSources::Settle(ActivityCause cause)
{
    const bool holds = SourceHolds(cause);
    if (holds && !Holds(cause)) {
        Began(cause);
    } else if (!holds && Holds(cause)) {
        Ended(cause);
    }
}
