#include "ui/SetupTimerPage.h"

#include "res/resource.h"
#include "settings/Settings.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kControls[] = {IDC_INTERVAL,       IDC_SCALE_1,       IDC_SCALE_5,        IDC_SCALE_10,
                             IDC_INTERVAL_LABEL, IDC_MINUTES_LABEL, IDC_ONLY_WHEN_QUIET};

constexpr SettingControl kManaged[] = {
    {IDC_INTERVAL, keys::DefaultMin},
    {IDC_ONLY_WHEN_QUIET, keys::OnlyWhenQuiet},
};

}  // namespace

CSetupTimerPage::CSetupTimerPage() : CSetupPage("Timer", kControls) {}

void CSetupTimerPage::Prepare()
{
    SendMessageA(Item(IDC_INTERVAL), TBM_SETRANGE, FALSE, MAKELONG(keys::kFewestMinutes, keys::kMostMinutes));
}

// A stored value off the scale shows at its nearer end, and is saved so.
void CSetupTimerPage::Read()
{
    minutes = std::clamp(settings::Read(keys::DefaultMin), keys::kFewestMinutes, keys::kMostMinutes);
    onlyWhenQuiet = settings::Read(keys::OnlyWhenQuiet) == 1 ? 1 : 0;
}

void CSetupTimerPage::Exchange(win::CDataExchange& exchange)
{
    exchange.Trackbar(IDC_INTERVAL, minutes);
    exchange.Check(IDC_ONLY_WHEN_QUIET, onlyWhenQuiet);
}

void CSetupTimerPage::Write() const
{
    settings::Write(keys::DefaultMin, minutes);
    settings::Write(keys::OnlyWhenQuiet, onlyWhenQuiet);
}

win::TableRef<SettingControl> CSetupTimerPage::ManagedControls() const
{
    return kManaged;
}
