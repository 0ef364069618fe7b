#pragma once
// What the frame tells the record of the line, in the record's words: the
// switches with their cause, each contact with its host, form, outcome and
// time, the watched connections going down and coming up, and the dials.
#include "engine/ContactOutcome.h"
#include "engine/ContactPlan.h"
#include "frame/ActivityCause.h"
#include "history/HistoryRecord.h"

#include <string>
#include <vector>

class CHistoryNotes {
public:
    // Starts or stops the record as the History setting says.
    void Follow() { record.Follow(); }
    void Stop() { record.Stop(); }

    void Switched(bool on, ActivityCause cause);
    // The switch the program's end makes, which passes no door.
    void SwitchedOffAtEnd();
    void Contact(const std::string& host, ContactForm form, ContactOutcome outcome, DWORD tookMs);
    void Connection(const std::string& name, bool up);
    // The named connections up before and now: those that went and came.
    void Connections(const std::vector<std::string>& before, const std::vector<std::string>& now);
    void Dialed(const std::string& entry, const std::string& result);
    // A tick that made no contact, as the line carried this much anyway.
    void Skipped(ULONGLONG busyBytes);

private:
    CHistoryRecord record;
};
