#pragma once
// The "Schedule" tab: the days and the hours in which the activity is on,
// and whether the computer is kept awake then, on battery power too.
#include "ui/SetupPage.h"

class CSetupSchedulePage : public CSetupPage {
public:
    CSetupSchedulePage();

    void Read() override;
    void Exchange(win::CDataExchange& exchange) override;
    void Write() const override;

protected:
    void Prepare() override;
    win::TableRef<SettingControl> ManagedControls() const override;

private:
    // Bit 0 Sunday ... bit 6 Saturday; minutes after midnight.
    int days = 0;
    int fromMinute = 0;
    int toMinute = 0;
    int keepAwake = 0;
    int keepAwakeOnBattery = 0;
};
