#pragma once
// Modal dialogs from the program's templates. A dialog object lives on its
// caller's stack for one modal run.
#include "win/DataExchange.h"
#include "win/PageBackground.h"
#include "win/Window.h"

namespace win {

class CDialog : public CWindow {
public:
    explicit CDialog(UINT templateId) : templateId(templateId) {}

    INT_PTR DoModal(HWND owner);

    // The dialog or message box of this thread that takes input now (the
    // innermost of nested ones), or null when none is open.
    static HWND FindOpenDialog();

protected:
    // Runs once the controls exist; the default puts the working values into
    // them. True lets the system give the first control the focus.
    virtual BOOL OnInitDialog();
    // The dialog's one exchange between controls and working values.
    virtual void Exchange(CDataExchange&) {}
    // The default OK takes the values from the controls and closes on success.
    virtual void OnOK();
    virtual void OnCancel();
    // A key or mouse message for the dialog or one of its controls, before
    // the dialog manager turns it into navigation; true when it was handled.
    // It runs in a hook, outside the dispatch that reports failures.
    virtual bool PreTranslateMessage(const MSG&) noexcept { return false; }

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Runs the exchange; false when a value was rejected (already reported).
    bool UpdateData(bool saving);
    void EndDialog(INT_PTR result);
    HWND Item(int controlId) const { return GetDlgItem(hwnd, controlId); }
    // Moves the dialog so that its centre is the centre of the area.
    void CentreOn(const RECT& area);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);
    // The dialog of this layer that the window belongs to, or null.
    static CDialog* OwningDialog(HWND window);

    // Answers the messages through which controls ask for their background.
    bool OnBackgroundMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    UINT templateId;
    CPageBackground pageBackground;
};

}  // namespace win
