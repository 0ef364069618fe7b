#pragma once
// The "Redial" tab: the entries of the dial-up service's phonebook that
// Quellor dials again when they drop while it is ON, each with a check box,
// and whether it says so in balloons.
#include "ui/SetupPage.h"

#include <string>
#include <vector>

class CSetupRedialPage : public CSetupPage {
public:
    CSetupRedialPage();

    void Read() override;
    void Exchange(win::CDataExchange& exchange) override;
    void Write() const override;

protected:
    void Prepare() override;
    win::TableRef<SettingControl> ManagedControls() const override;
    bool ShowsNow(int controlId) const override;

private:
    // The phonebook's entries, then any named that it lacks: a name is
    // never lost because its entry is gone for now.
    std::vector<std::string> listed;
    std::vector<std::string> chosen;
    int balloons = 1;
};
