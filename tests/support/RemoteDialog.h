#pragma once
// Drives a dialog of another process the way its user would: clicks, typed
// text, keys, tab and list clicks; and reads back what its controls show.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class CRemoteDialog {
public:
    explicit CRemoteDialog(HWND dialog = nullptr) : dialog(dialog) {}

    HWND Handle() const { return dialog; }
    HWND Control(int id) const { return GetDlgItem(dialog, id); }
    bool IsOpen() const { return dialog != nullptr && IsWindow(dialog); }
    // The dialog has been closed; false when it is still there after the time.
    bool WaitUntilClosed(DWORD timeoutMs = 5000) const;

    // A click that returns once the dialog has handled it. Only for clicks
    // that open nothing modal.
    void Click(int id) const;
    // A click that may open a modal window (a message box, another dialog):
    // posted, so the caller goes on while it runs.
    void PostClick(int id) const;
    // Replaces the text of a box, as typing over it would.
    void Type(int id, const std::string& text) const;
    // A key pressed and released on a control (the dialog's keyboard
    // handling sees it as it would see the user's key).
    void PressKey(int id, UINT virtualKey) const;
    // A key typed on the keyboard, with the keys held around it (Ctrl,
    // Shift), to whichever control has the focus once the dialog is in
    // front: the program sees them in its key state as a user's keys.
    void TypeKey(std::initializer_list<UINT> held, UINT virtualKey) const;
    // The close box in the caption.
    void PostCloseBox() const;

    bool IsChecked(int id) const;
    bool IsShown(int id) const;
    std::string Text(int id) const;
    // The control that has the keyboard focus in the dialog's thread.
    HWND Focus() const;
    // The selection of an edit box, as first and last position.
    std::pair<int, int> Selection(int id) const;

    // A mouse click on tab index of a tab control; true once it is selected.
    bool ClickTab(int tabControlId, int index) const;
    int SelectedTab(int tabControlId) const;
    int TabCount(int tabControlId) const;

    std::vector<std::string> ListItems(int listId) const;
    int ListSelection(int listId) const;
    void SelectListItem(int listId, int index) const;
    // A double click on a list item, posted (it may open a modal dialog).
    void PostDoubleClickListItem(int listId, int index) const;

    int TrackbarPosition(int id) const;
    // A time picker's time of day in minutes after midnight; -1 when it
    // cannot say.
    int PickedMinutes(int id) const;

private:
    HWND dialog;
};

// A dialog of the process with this title, once it is on screen (its
// controls are filled in by then).
HWND WaitForDialog(DWORD processId, const char* title, DWORD timeoutMs = 10000);

// A message box of the process with this caption, and the text it shows.
HWND WaitForMessageBox(DWORD processId, const char* caption, DWORD timeoutMs = 5000);
std::string MessageBoxText(HWND box);
