#pragma once
// The tabbed Set Up dialog in which every option can be edited. It keeps
// working values while open and writes them all on OK, Apply and FAQ; a
// setting that a policy sets shows the policy's value in a disabled control,
// and no write reaches it. Each tab is a page of its own (CSetupPage); the
// dialog keeps the tab strip, the boxes under it and the buttons.
#include "ui/SetupAolPage.h"
#include "ui/SetupHelpPage.h"
#include "ui/SetupProdigyPage.h"
#include "ui/SetupProxyPage.h"
#include "ui/SetupRedialPage.h"
#include "ui/SetupSchedulePage.h"
#include "ui/SetupSwitchOnPage.h"
#include "ui/SetupTimerPage.h"
#include "ui/SetupUrlPage.h"
#include "win/Dialog.h"
#include "win/MessageMap.h"

#include <array>

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
    // Reads the controls and writes every key; false when a value was
    // rejected (reported already) and nothing was written.
    bool Save();
    // The exchange from the controls; a rejected box is shown on its tab.
    bool ReadControls();
    void WriteSettings() const;
    void Close(INT_PTR result);
    // Disables what a policy sets and says so under the tabs.
    void DisableManaged();

    void InsertTabs();
    // Shows the controls of the selected tab and hides all others.
    void ShowTabControls();
    void SelectTab(int tab);
    // Ctrl+Tab and Ctrl+PageDown: 1; with Shift, or Ctrl+PageUp: -1; else 0.
    static int TabStep(const MSG& message);

    void OnTabChanged();
    void OnStartUpClicked();
    void OnApply();
    void OnFaq();

    static const win::CommandEntry<CSetupDialog> commands[];
    static const win::NotifyEntry<CSetupDialog> notifications[];
    static const win::MessageMap<CSetupDialog> messageMap;

    int startUp;
    int autoNetSense = 0;
    CSetupUrlPage urlPage;
    CSetupTimerPage timerPage;
    CSetupProxyPage proxyPage;
    CSetupAolPage aolPage;
    CSetupProdigyPage prodigyPage;
    CSetupHelpPage helpPage;
    CSetupSwitchOnPage switchOnPage;
    CSetupSchedulePage schedulePage;
    CSetupRedialPage redialPage;
    // One for each tab, in the tabs' order.
    const std::array<CSetupPage*, 9> pages{&urlPage,  &timerPage,    &proxyPage,    &aolPage,   &prodigyPage,
                                           &helpPage, &switchOnPage, &schedulePage, &redialPage};
    int selectedTab = 0;
    bool closing = false;
};
