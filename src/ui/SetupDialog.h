#pragma once
// The tabbed Set Up dialog in which every option can be edited. It keeps
// working values while open and writes them all on OK, Apply and FAQ; a
// setting that a policy sets shows the policy's value in a disabled control,
// and no write reaches it.
#include "settings/SettingsKeys.h"
#include "ui/AolChoice.h"
#include "ui/HostLists.h"
#include "win/Dialog.h"
#include "win/MessageMap.h"

#include <string>

class CSetupDialog : public win::CDialog {
public:
    // startUp: the state of "Don't Show this Dialog Again on Startup".
    explicit CSetupDialog(int startUp);

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
    // The exchange from the controls; a rejected port is shown on its tab.
    bool ReadControls();
    void WriteSettings() const;
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

    void OnTabChanged();
    void OnStartUpClicked();
    void OnHttpClicked();
    void OnFtpClicked();
    void OnRandomClicked();
    void OnSequentialClicked();
    void OnAol3Clicked() { OnAolVersionClicked(AolVersion::Aol3); }
    void OnAol4Clicked() { OnAolVersionClicked(AolVersion::Aol4); }
    void OnChangeUrl();
    void OnApply();
    void OnFaq();

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
    int selectedTab = 0;
    bool closing = false;
};
