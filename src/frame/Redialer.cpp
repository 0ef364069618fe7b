#include "frame/Redialer.h"

#include "engine/RasDial.h"
#include "engine/RedialPlan.h"
#include "engine/ZoneClock.h"
#include "res/AppMessages.h"

#include <algorithm>

namespace {

// Of an entry's name in a balloon, whose text holds 255 characters.
constexpr std::size_t kMostNameChars = 64;

std::string Shortened(const std::string& name)
{
    return name.size() <= kMostNameChars ? name : name.substr(0, kMostNameChars - 3) + "...";
}

std::string DurationText(DWORD milliseconds)
{
    const DWORD seconds = milliseconds / 1000;
    if (seconds < 60) {
        return std::to_string(seconds) + " s";
    }
    if (seconds < 3600) {
        return std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) + " s";
    }
    return std::to_string(seconds / 3600) + " h " + std::to_string(seconds / 60 % 60) + " min";
}

// Milliseconds until the tick count reaches due; 0 once it has. The tick
// count wraps after 49 days, far beyond any pause.
DWORD Remaining(DWORD due, DWORD now)
{
    const auto left = static_cast<LONG>(due - now);
    return left > 0 ? static_cast<DWORD>(left) : 0;
}

template <class Entries>
auto FindEntry(Entries& entries, const std::string& name)
{
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.name == name; });
    return found != entries.end() ? &*found : nullptr;
}

}  // namespace

void CRedialer::SwitchOn()
{
    if (on) {
        return;
    }
    on = true;
    polled = false;
    chosen = RedialSettings::Read();
    entries.clear();
    for (const std::string& name : chosen.entries) {
        entries.push_back(Entry{name});
    }
    if (!entries.empty()) {
        watch.Start(frame);
    }
}

void CRedialer::SwitchOff()
{
    if (!on) {
        return;
    }
    on = false;
    watch.Stop();
    KillTimer(frame, TIMER_REDIAL);
    entries.clear();
    // AutoNetSense looks again at a drop it left to the dialing.
    PostMessageA(frame, WM_REDIAL_STOPPED, 0, 0);
}

void CRedialer::Follow()
{
    const RedialSettings now = RedialSettings::Read();
    chosen.balloons = now.balloons;
    if (on && now.entries != chosen.entries) {
        SwitchOff();
        SwitchOn();
    }
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a window message and its parameters, in their order
bool CRedialer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_REDIAL_POLLED) {
        // Sent by the watch: kept, and acted on once the message loop comes
        // round to it, never inside a wait on the shell.
        if (on) {
            // NOLINTNEXTLINE(performance-no-int-to-ptr): the watch's list, as it sent it
            entriesUp = *reinterpret_cast<const std::vector<std::string>*>(lParam);
            polled = true;
            PostMessageA(frame, WM_REDIAL_LOOK, 0, 0);
        }
    } else if (message == WM_REDIAL_LOOK) {
        LookAtEntries();
    } else if (message == WM_REDIAL_DIALED) {
        OnDialed();
    } else if (message == WM_TIMER && wParam == TIMER_REDIAL) {
        DialWhatIsDue();
        target.RedialChanged(nullptr);
    } else {
        return false;
    }
    result = 0;
    return true;
}

bool CRedialer::WillRedial(const std::string& entry) const
{
    const Entry* found = on ? FindEntry(entries, entry) : nullptr;
    return found != nullptr && found->state != State::GaveUp;
}

void CRedialer::Show(ActivityShown& activity) const
{
    if (!on) {
        return;
    }
    const std::string* dialing = dialer.Dialing();
    if (dialing != nullptr && FindEntry(entries, *dialing) != nullptr) {
        activity.redialing = *dialing;
        return;
    }
    const DWORD now = GetTickCount();
    const Entry* soonest = nullptr;
    for (const Entry& entry : entries) {
        if (entry.state == State::Waiting &&
            (soonest == nullptr || Remaining(entry.nextTry, now) < Remaining(soonest->nextTry, now))) {
            soonest = &entry;
        }
    }
    if (soonest != nullptr) {
        activity.redialing = soonest->name;
        activity.redialAt.set = Remaining(soonest->nextTry, now) > 0;
        activity.redialAt.at = soonest->nextTryTime;
    }
}

// An entry being dialed is left to its dial: the service lists a connection
// while it is being made.
void CRedialer::LookAtEntries()
{
    if (!on || !polled) {
        return;
    }
    const DWORD now = GetTickCount();
    const std::string* dialing = dialer.Dialing();
    std::vector<TrayBalloon> news;
    bool changed = false;
    for (Entry& entry : entries) {
        const bool up = std::find(entriesUp.begin(), entriesUp.end(), entry.name) != entriesUp.end();
        if ((dialing != nullptr && *dialing == entry.name) || entry.state == State::GaveUp) {
            continue;
        }
        if (up && entry.state != State::Up) {
            changed = true;
            if (const auto back = Back(entry)) {
                news.push_back(*back);
            }
        } else if (!up && entry.state != State::Waiting) {
            changed = true;
            entry.dropTold = entry.state == State::Up;
            if (entry.dropTold) {
                news.push_back({"Connection dropped",
                                Shortened(entry.name) + " dropped. Quellor is dialing it again.", false});
            }
            entry.state = State::Waiting;
            entry.failures = 0;
            entry.downSince = now;
            entry.nextTry = now;
        }
    }
    changed = DialWhatIsDue() || changed;
    for (const TrayBalloon& balloon : news) {
        Tell(&balloon);
    }
    if (changed && news.empty()) {
        Tell(nullptr);
    }
}

std::optional<TrayBalloon> CRedialer::Back(Entry& entry)
{
    const bool dropTold = entry.dropTold;
    const DWORD down = GetTickCount() - entry.downSince;
    entry = Entry{entry.name, State::Up};
    if (!dropTold) {
        return std::nullopt;
    }
    return TrayBalloon{"Connection back",
                       Shortened(entry.name) + " is connected again. It was down for " + DurationText(down) + ".",
                       false};
}

void CRedialer::OnDialed()
{
    std::string name;
    DWORD error = 0;
    if (!dialer.TakeResult(name, error)) {
        return;
    }
    Entry* entry = on ? FindEntry(entries, name) : nullptr;
    std::optional<TrayBalloon> balloon;
    if (entry != nullptr && entry->state != State::GaveUp) {
        if (error == 0) {
            balloon = Back(*entry);
        } else if (redial::RetryCannotMend(error)) {
            balloon = GiveUp(*entry, ": " + ras_dial::ErrorText(error));
        } else if (++entry->failures >= redial::kMostFailures) {
            balloon = GiveUp(*entry, " after " + std::to_string(redial::kMostFailures) + " tries");
        } else {
            const DWORD pause = redial::PauseAfterFailures(entry->failures);
            entry->state = State::Waiting;
            entry->nextTry = GetTickCount() + pause;
            entry->nextTryTime = CZoneClock().ReadingIn(pause);
        }
    }
    DialWhatIsDue();
    Tell(balloon ? &*balloon : nullptr);
}

TrayBalloon CRedialer::GiveUp(Entry& entry, const std::string& why)
{
    entry.state = State::GaveUp;
    // AutoNetSense's own rule holds again for this entry.
    PostMessageA(frame, WM_REDIAL_STOPPED, 0, 0);
    return {"Quellor stopped dialing", "Quellor stopped dialing " + Shortened(entry.name) + why + ".", true};
}

// One dial at a time: a modem dials one number, and a list of names that
// are not in the phonebook must not start a thread each.
bool CRedialer::DialWhatIsDue()
{
    KillTimer(frame, TIMER_REDIAL);
    if (!on) {
        return false;
    }
    bool started = false;
    const DWORD now = GetTickCount();
    DWORD soonest = 0;
    for (const Entry& entry : entries) {
        if (entry.state != State::Waiting) {
            continue;
        }
        const DWORD left = Remaining(entry.nextTry, now);
        if (left == 0 && !dialer.IsBusy()) {
            started = dialer.Start(entry.name, frame);
        } else if (left > 0 && (soonest == 0 || left < soonest)) {
            soonest = left;
        }
    }
    if (soonest > 0) {
        SetTimer(frame, TIMER_REDIAL, soonest, nullptr);
    }
    return started;
}

void CRedialer::Tell(const TrayBalloon* balloon)
{
    target.RedialChanged(chosen.balloons ? balloon : nullptr);
}
