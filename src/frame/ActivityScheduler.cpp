#include "frame/ActivityScheduler.h"

#include "engine/ActivityProbe.h"
#include "engine/ContactPlan.h"
#include "engine/ZoneClock.h"
#include "frame/WarningDismisser.h"
#include "res/AppMessages.h"
#include "settings/Settings.h"

#include <ctime>
#include <memory>

namespace {

std::optional<win::LineTraffic> ReadLine()
{
    win::LineTraffic traffic;
    if (win::ReadLineTraffic(traffic)) {
        return traffic;
    }
    return std::nullopt;
}

}  // namespace

DWORD MillisecondsUntilClock(int minuteOfDay)
{
    return static_cast<DWORD>(CZoneClock().MsUntilMinute(CZoneClock::Now(), minuteOfDay));
}

void CActivityScheduler::SwitchOn()
{
    urlIndex = 0;
    options = ActivityOptions::Read();
    SetTimer(frame, TIMER_CONTACT, ContactPeriodMs(options.intervalMinutes), nullptr);
    if (running == 0) {
        running = 1;
        if (options.DismissesWarnings()) {
            SetTimer(frame, TIMER_WARNINGS, 3000, nullptr);
        }
    }
    if (options.onlyWhenQuiet) {
        quietLine.StartFrom(ReadLine());
    }
    ApplyKeepAwake();
}

void CActivityScheduler::SwitchOff(bool keepWarnings)
{
    if (!keepWarnings) {
        KillTimer(frame, TIMER_WARNINGS);
    }
    KillTimer(frame, TIMER_CONTACT);
    contactWorker.CutShort();
    running = 0;
    keepAwake.Release();
}

void CActivityScheduler::KeepAwakeWhileOn(bool wanted, bool onBatteryToo)
{
    keepAwakeWanted = wanted;
    keepAwakeOnBattery = onBatteryToo;
    ApplyKeepAwake();
}

void CActivityScheduler::ApplyKeepAwake()
{
    SYSTEM_POWER_STATUS power = {};
    if (!GetSystemPowerStatus(&power)) {
        power.ACLineStatus = AC_LINE_UNKNOWN;
    }
    if (IsRunning() && KeepsAwake(keepAwakeWanted, keepAwakeOnBattery, power)) {
        keepAwake.Hold();
    } else {
        keepAwake.Release();
    }
}

void CActivityScheduler::LimitTo(DWORD milliseconds)
{
    EndLimit();
    if (milliseconds == 0 || SetTimer(frame, TIMER_ON_LIMIT, milliseconds, nullptr) == 0) {
        return;
    }
    // The timer counts real time: the end is read off the clock as it will
    // stand then, under whichever of the zone's rules is in force by that time.
    limitEnd = CZoneClock().ReadingIn(milliseconds);
    timeLimited = true;
}

void CActivityScheduler::EndLimit()
{
    KillTimer(frame, TIMER_ON_LIMIT);
    timeLimited = false;
}

std::optional<ULONGLONG> CActivityScheduler::OnContactTick()
{
    const int proxyEnabled = settings::Read(keys::Proxy);
    // A tick while the last contact is still under way makes none and leaves
    // the host order where it is; so does one that finds the line busy.
    if (contactWorker.IsBusy()) {
        return std::nullopt;
    }
    if (options.onlyWhenQuiet) {
        if (const std::optional<ULONGLONG> busyBytes = quietLine.BusyBytes(ReadLine())) {
            return busyBytes;
        }
    }
    auto probe = std::make_unique<CActivityProbe>();
    const keys::HostList list = options.isHttp == 1 ? keys::HostList::Http : keys::HostList::Ftp;
    int index = 0;
    if (options.isRandom == 0) {
        index = NextSequentialIndex(urlIndex);
    } else {
        CRuntimeRandom generator(static_cast<unsigned int>(std::time(nullptr)));
        index = RandomHostIndex(generator);
    }
    const std::string host = settings::Read(keys::HostKey(list, index));
    if (proxyEnabled == 1) {
        probe->SetProxy(options.isHttp, options.proxyAddress);
    }
    probe->SetContactPort(settings::Read(keys::Port));
    if (const auto target = BuildTarget(options.isHttp, host)) {
        contactWorker.Start(std::move(probe), *target, frame);
    }
    return std::nullopt;
}

void CActivityScheduler::ContactEnded()
{
    if (IsRunning() && options.onlyWhenQuiet) {
        quietLine.StartFrom(ReadLine());
    }
}

void CActivityScheduler::DismissWarningWindows() const
{
    CWarningDismisser({"Disconnect Warning", options.prodigyTitle, options.aolTimerTitle, "MSN-Connected"})
        .DismissAll();
}

void CActivityScheduler::Stop()
{
    EndLimit();
    SwitchOff(false);
}
