#pragma once
// One tab of the Set Up dialog. A page has no window of its own: its
// controls are the dialog's, and the dialog passes on the messages that
// concern them. Each page reads its settings when the dialog opens, moves
// them between its controls and its working values, and writes them when
// the dialog saves.
#include "ui/SettingControl.h"
#include "win/DataExchange.h"
#include "win/MessageMap.h"

#include <windows.h>

class CSetupPage {
public:
    virtual ~CSetupPage() = default;
    CSetupPage(const CSetupPage&) = delete;
    CSetupPage& operator=(const CSetupPage&) = delete;

    // The tab's text.
    const char* Name() const { return name; }

    // Binds the page to the dialog's controls once they exist and readies
    // what the template cannot say (ranges, lists, formats).
    void Attach(HWND owner);
    // The page's settings into its working values.
    virtual void Read() {}
    // Between the page's controls and its working values; a rejected value
    // ends the exchange as the dialog's does.
    virtual void Exchange(win::CDataExchange& /*exchange*/) {}
    // The working values into the settings.
    virtual void Write() const {}

    // Shows the page's controls while its tab is selected, hides them otherwise.
    void Show(bool isSelected);
    // Whether the control is one of the page's.
    bool Owns(int controlId) const;
    // A message the dialog did not handle itself; true when the page did,
    // with its result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Disables the controls whose settings a policy sets; true when a policy
    // sets any setting of the page.
    virtual bool DisableManaged() const;

protected:
    // controls: every control shown on the page.
    CSetupPage(const char* name, win::TableRef<int> controls) : name(name), controls(controls) {}

    virtual void Prepare() {}
    // The page's controls that show settings, each with its setting.
    virtual win::TableRef<SettingControl> ManagedControls() const { return {}; }
    // Whether one of the page's controls shows while the page does.
    virtual bool ShowsNow(int /*controlId*/) const { return true; }
    // Shows or hides the page's controls again after ShowsNow changed.
    void ShowAgain() { Show(selected); }

    HWND Dialog() const { return dialog; }
    HWND Item(int controlId) const { return GetDlgItem(dialog, controlId); }

private:
    const char* name;
    win::TableRef<int> controls;
    HWND dialog = nullptr;
    bool selected = false;
};
