#pragma once
// What the tray icon's tip tells: the program and its version, what the
// activity does now (ON and why, or OFF and what it waits for), and how the
// last contact went.
#include "engine/ContactOutcome.h"
#include "tray/SwitchReason.h"

#include <windows.h>

#include <string>

class CTrayStatus {
public:
    explicit CTrayStatus(std::string title) : title(std::move(title)) {}

    void SetState(const ActivityShown& now, SwitchReasons why)
    {
        activity = now;
        reasons = std::move(why);
    }
    void ContactEnded(ContactOutcome outcome, const SYSTEMTIME& when);
    // A tick made no contact, as the line carried traffic anyway.
    void ContactSkipped(const SYSTEMTIME& when);

    // Lines separated by "\n", at most kMostTipChars in all.
    std::string Text() const;
    static constexpr std::size_t kMostTipChars = 127;

    // The outcome as the tip words it.
    static const char* OutcomeText(ContactOutcome outcome);

    // Hours and minutes in the user's own format.
    static std::string LocalTimeText(const SYSTEMTIME& time);

private:
    // The same, after the short day name for a time a day or more away.
    static std::string TimeText(const TipTime& time);

    std::string title;
    ActivityShown activity;
    SwitchReasons reasons;
    std::string lastContact;
};
