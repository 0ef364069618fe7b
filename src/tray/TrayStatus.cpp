#include "tray/TrayStatus.h"

const char* CTrayStatus::OutcomeText(ContactOutcome outcome)
{
    switch (outcome) {
    case ContactOutcome::Answered:
        return "answered";
    case ContactOutcome::Refused:
        return "refused";
    case ContactOutcome::HostNotFound:
        return "host not found";
    case ContactOutcome::NoConnection:
        return "no connection";
    case ContactOutcome::NoAnswer:
        break;
    }
    return "no answer";
}

void CTrayStatus::ContactEnded(ContactOutcome outcome, const SYSTEMTIME& when)
{
    lastContact = "Last contact " + LocalTimeText(when) + " " + OutcomeText(outcome);
}

void CTrayStatus::ContactSkipped(const SYSTEMTIME& when)
{
    lastContact = LocalTimeText(when) + " no contact needed: the line was busy";
}

std::string CTrayStatus::Text() const
{
    // The title and the last contact stay whole; the second line takes the rest.
    const std::size_t others = title.size() + 1 + (lastContact.empty() ? 0 : lastContact.size() + 1);
    const std::size_t room = kMostTipChars > others ? kMostTipChars - others : 0;
    std::string text = title + "\n" + SwitchStatusLine(activity, reasons, room, TimeText);
    if (!lastContact.empty()) {
        text += "\n" + lastContact;
    }
    return text;
}

std::string CTrayStatus::LocalTimeText(const SYSTEMTIME& time)
{
    char text[64] = {};
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, text, sizeof text) == 0) {
        wsprintfA(text, "%02u:%02u", time.wHour, time.wMinute);
    }
    return text;
}

std::string CTrayStatus::TimeText(const TipTime& time)
{
    char day[32] = {};
    if (time.aDayAway && GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time.at, "ddd", day, sizeof day) > 0) {
        return std::string(day) + " " + LocalTimeText(time.at);
    }
    return LocalTimeText(time.at);
}
