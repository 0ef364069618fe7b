#pragma once
// What the tray icon's tip tells: the program and its version, what the
// activity does now (ON, until when, or what it waits for), and how the
// last contact went.
#include "engine/ContactOutcome.h"

#include <windows.h>

#include <string>

class CTrayStatus {
public:
    explicit CTrayStatus(std::string title) : title(std::move(title)) {}

    // The activity's line, such as "ON until 06:00" or "OFF, waiting for a
    // dial-up connection".
    void SetState(std::string line) { state = std::move(line); }
    void ContactEnded(ContactOutcome outcome, const SYSTEMTIME& when);

    // Lines separated by "\n"; the shell shows at most 127 characters.
    std::string Text() const;

    // Hours and minutes in the user's own format.
    static std::string LocalTimeText(const SYSTEMTIME& time);

private:
    std::string title;
    std::string state = "OFF";
    std::string lastContact;
};
