#pragma once
// The "Switch ON" tab: the network connections and programs that switch the
// activity on while they are there, and the hot key that switches it.
#include "ui/SetupPage.h"

#include <string>

class CSetupSwitchOnPage : public CSetupPage {
public:
    // hotKeyTaken: another program holds the stored hot key, which the page
    // then says until the key is changed or found free (WM_HOTKEY_TAKEN).
    explicit CSetupSwitchOnPage(bool hotKeyTaken);

    void Read() override;
    void Exchange(win::CDataExchange& exchange) override;
    void Write() const override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void Prepare() override;
    win::TableRef<SettingControl> ManagedControls() const override;
    bool ShowsNow(int controlId) const override;

private:
    void OnAddConnection();
    void OnBrowseProgram();
    LRESULT OnHotKeyTaken(WPARAM taken, LPARAM);
    void OnHotKeyChanged();

    static const win::MessageEntry<CSetupSwitchOnPage> messages[];
    static const win::CommandEntry<CSetupSwitchOnPage> commands[];
    static const win::NotifyEntry<CSetupSwitchOnPage> notifications[];
    static const win::MessageMap<CSetupSwitchOnPage> messageMap;

    // The two lists as their boxes show them.
    std::string connections;
    std::string programs;
    int hotKey = 0;
    bool hotKeyTaken;
};
