#pragma once
// The "Timer" tab: the minutes between two contacts, on a trackbar, and
// whether a contact is made only when the line has been quiet.
#include "settings/SettingsKeys.h"
#include "ui/SetupPage.h"

class CSetupTimerPage : public CSetupPage {
public:
    CSetupTimerPage();

    void Read() override;
    void Exchange(win::CDataExchange& exchange) override;
    void Write() const override;

protected:
    void Prepare() override;
    win::TableRef<SettingControl> ManagedControls() const override;

private:
    int minutes = keys::kFewestMinutes;
    int onlyWhenQuiet = 0;
};
