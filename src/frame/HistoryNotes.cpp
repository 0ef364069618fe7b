#include "frame/HistoryNotes.h"

#include "tray/TrayStatus.h"

#include <algorithm>

namespace {

const char* CauseText(ActivityCause cause)
{
    switch (cause) {
    case ActivityCause::Menu:
        return "menu";
    case ActivityCause::CommandLineSwitch:
        return "switch";
    case ActivityCause::HotKey:
        return "hot key";
    case ActivityCause::TimeLimit:
        return "time limit";
    case ActivityCause::AutoNetSense:
        return "AutoNetSense";
    case ActivityCause::AmericaOnline:
        return "America Online";
    case ActivityCause::Connections:
        return "Connections";
    case ActivityCause::Programs:
        return "Programs";
    case ActivityCause::Schedule:
        return "Schedule";
    case ActivityCause::Settings:
        break;
    }
    return "Settings";
}

const char* FormText(ContactForm form)
{
    switch (form) {
    case ContactForm::HttpProxy:
        return "HTTP proxy";
    case ContactForm::FtpProxy:
        return "FTP proxy";
    case ContactForm::Direct:
        break;
    }
    return "port 81";
}

}  // namespace

void CHistoryNotes::Switched(bool on, ActivityCause cause)
{
    record.Add(on ? "ON" : "OFF", {CauseText(cause)});
}

void CHistoryNotes::SwitchedOffAtEnd()
{
    record.Add("OFF", {"exit"});
}

void CHistoryNotes::Contact(const std::string& host, ContactForm form, ContactOutcome outcome, DWORD tookMs)
{
    record.Add("contact", {host, FormText(form), CTrayStatus::OutcomeText(outcome), std::to_string(tookMs)});
}

void CHistoryNotes::Connection(const std::string& name, bool up)
{
    record.Add(up ? "up" : "down", {name});
}

void CHistoryNotes::Connections(const std::vector<std::string>& before, const std::vector<std::string>& now)
{
    for (const std::string& name : before) {
        if (std::find(now.begin(), now.end(), name) == now.end()) {
            Connection(name, false);
        }
    }
    for (const std::string& name : now) {
        if (std::find(before.begin(), before.end(), name) == before.end()) {
            Connection(name, true);
        }
    }
}

void CHistoryNotes::Dialed(const std::string& entry, const std::string& result)
{
    record.Add("dial", {entry, result});
}

void CHistoryNotes::Skipped(ULONGLONG busyBytes)
{
    record.Add("skipped", {"line busy", std::to_string(busyBytes)});
}
