#include "frame/SwitchSources.h"

#include <algorithm>

namespace {

constexpr ActivityCause kOwnSources[] = {ActivityCause::Connections, ActivityCause::Programs, ActivityCause::Schedule};

// The names that are not among those present, in their order.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a list and the part of it that is there
std::vector<std::string> Awaited(const std::vector<std::string>& names, const std::vector<std::string>& present)
{
    std::vector<std::string> awaited;
    for (const std::string& name : names) {
        if (std::find(present.begin(), present.end(), name) == present.end()) {
            awaited.push_back(name);
        }
    }
    return awaited;
}

}  // namespace

// A look that changed only what the tip tells (another of the named
// programs runs now) tells the frame that alone.
template <class Look>
void CSwitchSources::LookAgain(ActivityCause cause, Look look)
{
    if (look()) {
        Settle(cause);
    } else if (Reasons() != told) {
        Tell(SourceSwitch::None, cause);
    }
}

void CSwitchSources::Tell(SourceSwitch switchTo, ActivityCause cause)
{
    told = Reasons();
    target.SourcesChanged(told, switchTo, cause);
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
    Tell(SourceSwitch::None, ActivityCause::Settings);
}

void CSwitchSources::Stop()
{
    connections.Stop();
    programs.Stop();
    schedule.Stop();
    hotKey.Unregister();
    for (const ActivityCause cause : kOwnSources) {
        holding &= ~Bit(cause);
    }
}

void CSwitchSources::Began(ActivityCause cause)
{
    holding |= Bit(cause);
    Tell(SourceSwitch::On, cause);
}

void CSwitchSources::Ended(ActivityCause cause)
{
    holding &= ~Bit(cause);
    Tell(holding == 0 ? SourceSwitch::Off : SourceSwitch::None, cause);
}
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a window message and its parameters, in their order
bool CSwitchSources::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_TIMER:
        return OnTimer(wParam);
    case WM_TIMECHANGE:
        LookAtSchedule();
        return true;
    case WM_POWERBROADCAST:
        OnPowerBroadcast(wParam);
        result = TRUE;
        return true;
    case WM_HOTKEY:
        OnHotKey(wParam);
        return true;
    case WM_SWITCH_CONNECTIONS:
        connections.OnNotified();
        return true;
    case WM_SWITCH_PROGRAM_ENDED:
        LookAtPrograms();
        return true;
    default:
        return false;
    }
}

bool CSwitchSources::OnTimer(UINT_PTR timerId)
{
    switch (timerId) {
    case TIMER_SCHEDULE:
        LookAtSchedule();
        return true;
    case TIMER_PROGRAMS_POLL:
        LookAtPrograms();
        return true;
    case TIMER_CONNECTIONS_POLL:
    case TIMER_CONNECTIONS_SETTLE:
        LookAgain(ActivityCause::Connections, [this, timerId] { return connections.OnTimer(timerId); });
        return true;
    default:
        return false;
    }
}

void CSwitchSources::LookAtSchedule()
{
    LookAgain(ActivityCause::Schedule, [this] { return schedule.Check(); });
}

void CSwitchSources::LookAtPrograms()
{
    LookAgain(ActivityCause::Programs, [this] { return programs.Look(); });
}

void CSwitchSources::OnPowerBroadcast(WPARAM event)
{
    if (event != PBT_APMRESUMEAUTOMATIC && event != PBT_APMRESUMESUSPEND) {
        return;
    }
    LookAtSchedule();
    LookAtPrograms();
    LookAgain(ActivityCause::Connections, [this] { return connections.Look(); });
}

void CSwitchSources::OnHotKey(WPARAM id)
{
    if (id != static_cast<WPARAM>(CHotKey::kId) || !hotKey.IsRegistered()) {
        return;
    }
    Tell(target.IsRunning() ? SourceSwitch::Off : SourceSwitch::On, ActivityCause::HotKey);
}

SwitchReasons CSwitchSources::Reasons() const
{
    SwitchReasons reasons;
    reasons.scheduleHolds = schedule.Holds();
    reasons.scheduleEdge.set = schedule.NextEdge(reasons.scheduleEdge.at);
    reasons.scheduleEdge.aDayAway = schedule.NextEdgeADayAway();
    reasons.programsRunning = programs.Running();
    reasons.programsAwaited = Awaited(programs.Names(), programs.Running());
    reasons.connectionsUp = connections.Up();
    reasons.connectionsAwaited = Awaited(connections.Names(), connections.Up());
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
