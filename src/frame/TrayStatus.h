#pragma once
// What the tray icon's tip tells: the program and its version, whether the
// activity is ON (and until when) or OFF (and what it waits for), and how
// the last contact went.
#include "engine/ContactOutcome.h"
#include "frame/SwitchReason.h"

#include <windows.h>

#include <string>

class CTrayStatus {
public:
    enum class Waiting { Nothing, DialUp, AmericaOnline };

    explicit CTrayStatus(std::string title) : title(std::move(title)) {}

    // until: a local time, or null for no limit.
    void SwitchedOn(const SYSTEMTIME* until);
    void SwitchedOff(Waiting waitingFor);
    void ContactEnded(ContactOutcome outcome, const SYSTEMTIME& when);
    // What the sources that switch the activity see now.
    void SetReasons(SwitchReasons now) { reasons = std::move(now); }

    // Lines separated by "\n", at most kMostTipChars in all.
    std::string Text() const;
    static constexpr std::size_t kMostTipChars = 127;

    // Hours and minutes in the user's own format.
    static std::string LocalTimeText(const SYSTEMTIME& time);

private:
    std::string title;
    bool on = false;
    std::string onUntil;
    Waiting waiting = Waiting::Nothing;
    std::string lastContact;
    SwitchReasons reasons;
};
