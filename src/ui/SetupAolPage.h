#pragma once
// The "AOL" tab: which America Online version is used, and the title of its
// idle-warning window, shown only while a version is chosen.
#include "ui/AolChoice.h"
#include "ui/SetupPage.h"

class CSetupAolPage : public CSetupPage {
public:
    CSetupAolPage();

    void Read() override;
    void Exchange(win::CDataExchange& exchange) override;
    void Write() const override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    win::TableRef<SettingControl> ManagedControls() const override;
    bool ShowsNow(int controlId) const override;

private:
    void OnAol3Clicked() { OnVersionClicked(AolVersion::Aol3); }
    void OnAol4Clicked() { OnVersionClicked(AolVersion::Aol4); }
    void OnVersionClicked(AolVersion version);

    static const win::CommandEntry<CSetupAolPage> commands[];
    static const win::MessageMap<CSetupAolPage> messageMap;

    AolChoice aol;
};
