#pragma once
// The tabbed Set Up dialog in which every option can be edited. It keeps
// working values while open and writes them all on OK, Apply and FAQ; a
// setting that a policy sets shows the policy's value in a disabled control,
// and no write reaches it.
#include "settings/SettingsKeys.h"
#include "settings/SwitchSettings.h"
#include "ui/AolChoice.h"
#include "ui/HostLists.h"
#include "win/Dialog.h"
#include "win/MessageMap.h"

#include <string>

class CSetupDialog : public win::CDialog {
public:
    // startUp: the state of "Don't Show this Dialog Again on Startup";
    // hotKeyTaken: another program holds the stored hot key, which the
    // "Switch ON" tab then says. Apply posts WM_SETUP_APPLIED to the owner,
    // which may answer with WM_HOTKEY_TAKEN once it has tried the new key.
    explicit CSetupDialog(int startUp, bool hotKeyTaken = false);

protected:
    BOOL OnInitDialog() override;
    void Exchange(win::CDataExchange& dx) override;
    void OnOK() override;
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool PreTranslateMessage(const MSG& message) noexcept override;

private:
    void ReadSettings();
    // Reads the controls and writes every key; false when a value was
    // rejected (reported already) and nothing was written.
    bool Save();
    // The exchange from the controls; a rejected box is shown on its tab.
    bool ReadControls();
    void WriteSettings() const;
    void ExchangeSwitches(win::CDataExchange& dx);
    void Close(INT_PTR result);

    void InsertTabs();
    // Shows the controls of the selected tab and hides all others.
    void ShowTabControls();
    void SelectTab(int tab);
    // Ctrl+Tab and Ctrl+PageDown: 1; with Shift, or Ctrl+PageUp: -1; else 0.
    static int TabStep(const MSG& message);
    void FillHostList();
    // Change URL only for an entry that no policy sets.
    void EnableChangeUrl();
    keys::HostList ChosenList() const;
    void ShowPairs();
    void OnAolVersionClicked(AolVersion version);
    void PrepareSwitchControls();

    void OnTabChanged();
    void OnStartUpClicked();
    void OnHttpClicked();
    void OnFtpClicked();
    void OnRandomClicked();
    void OnSequentialClicked();
    void OnAol3Clicked() { OnAolVersionClicked(AolVersion::Aol3); }
    void OnAol4Clicked() { OnAolVersionClicked(AolVersion::Aol4); }
    void OnChangeUrl();
    void OnAddConnection();
    void OnBrowseProgram();
    LRESULT OnHotKeyTaken(WPARAM taken, LPARAM);
    void OnHotKeyChanged();
    void OnApply();
    void OnFaq();

    static const win::MessageEntry<CSetupDialog> messages[];
    static const win::CommandEntry<CSetupDialog> commands[];
    static const win::NotifyEntry<CSetupDialog> notifications[];
    static const win::MessageMap<CSetupDialog> messageMap;

    int startUp;
    int autoNetSense = 0;
    int prodigy = 0;
    AolChoice aol;
    std::string defaultUrl;
    int isHttp = 1;
    int isFtp = 0;
    int isRand = 1;
    int isSequential = 0;
    int proxy = 0;
    std::string proxyAddress;
    int port = 80;
    CHostLists hosts;
    // The sources that switch the activity; the two lists as their boxes
    // show them.
    SwitchSettings switches;
    std::string whenConnections;
    std::string whenPrograms;
    bool hotKeyTaken;
    int selectedTab = 0;
    bool closing = false;
};
