#include "ui/SetupSchedulePage.h"

#include "res/resource.h"
#include "settings/Settings.h"
#include "settings/SwitchSettings.h"
#include "settings/TimeUnits.h"

#include <commctrl.h>

namespace {

constexpr int kControls[] = {IDC_WHEN_DAYS_LABEL, IDC_SUNDAY,  IDC_MONDAY,        IDC_TUESDAY,         IDC_WEDNESDAY,
                             IDC_THURSDAY,        IDC_FRIDAY,  IDC_SATURDAY,      IDC_WHEN_FROM_LABEL, IDC_WHEN_FROM,
                             IDC_WHEN_TO_LABEL,   IDC_WHEN_TO, IDC_SCHEDULE_NOTE, IDC_KEEP_AWAKE,
                             IDC_KEEP_AWAKE_ON_BATTERY};

constexpr SettingControl kManaged[] = {
    {IDC_SUNDAY, keys::WhenDays},      {IDC_MONDAY, keys::WhenDays},    {IDC_TUESDAY, keys::WhenDays},
    {IDC_WEDNESDAY, keys::WhenDays},   {IDC_THURSDAY, keys::WhenDays},  {IDC_FRIDAY, keys::WhenDays},
    {IDC_SATURDAY, keys::WhenDays},    {IDC_WHEN_FROM, keys::WhenFrom}, {IDC_WHEN_TO, keys::WhenTo},
    {IDC_KEEP_AWAKE, keys::KeepAwake}, {IDC_KEEP_AWAKE_ON_BATTERY, keys::KeepAwakeOnBattery},
};

// The day boxes' ids follow each other from Sunday, as the days' bits do.
static_assert(IDC_SATURDAY - IDC_SUNDAY == kDaysPerWeek - 1, "one box for every day");

}  // namespace

CSetupSchedulePage::CSetupSchedulePage() : CSetupPage("Schedule", kControls) {}

// The user's own short time format; the picker's default has seconds,
// which the schedule does not keep.
void CSetupSchedulePage::Prepare()
{
    constexpr LCTYPE kShortTimeFormat = 0x79;  // LOCALE_SSHORTTIME, from Windows 7 on
    char format[80] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, kShortTimeFormat, format, sizeof format) == 0) {
        lstrcpynA(format, "HH:mm", sizeof format);
    }
    for (const int picker : {IDC_WHEN_FROM, IDC_WHEN_TO}) {
        SendMessageA(Item(picker), DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(format));
    }
}

// Read as a whole: the days and both times, or no schedule at all.
void CSetupSchedulePage::Read()
{
    const SwitchSettings stored = SwitchSettings::Read();
    days = stored.days;
    fromMinute = stored.fromMinute;
    toMinute = stored.toMinute;
    keepAwake = stored.keepAwake ? 1 : 0;
    keepAwakeOnBattery = stored.keepAwakeOnBattery ? 1 : 0;
}

void CSetupSchedulePage::Exchange(win::CDataExchange& exchange)
{
    for (int day = 0; day < kDaysPerWeek; ++day) {
        int checked = (days >> day) & 1;
        exchange.Check(IDC_SUNDAY + day, checked);
        days = (days & ~(1 << day)) | (checked << day);
    }
    exchange.Time(IDC_WHEN_FROM, fromMinute);
    exchange.Time(IDC_WHEN_TO, toMinute);
    exchange.Check(IDC_KEEP_AWAKE, keepAwake);
    exchange.Check(IDC_KEEP_AWAKE_ON_BATTERY, keepAwakeOnBattery);
}

void CSetupSchedulePage::Write() const
{
    settings::Write(keys::WhenDays, days);
    settings::Write(keys::WhenFrom, fromMinute);
    settings::Write(keys::WhenTo, toMinute);
    settings::Write(keys::KeepAwake, keepAwake);
    settings::Write(keys::KeepAwakeOnBattery, keepAwakeOnBattery);
}

win::TableRef<SettingControl> CSetupSchedulePage::ManagedControls() const
{
    return kManaged;
}
