#pragma once
// Texts, check boxes, radio buttons, group boxes and trackbars show what
// lies under them, not the dialog's colour: on a tab control's body, the
// body as the tab control paints it (white under most themes, the dialog's
// colour in the classic look and under high contrast). One brush per
// dialog, made from the tab control's own painting when first needed and
// made again after a change of theme or system colours.
#include "win/Handles.h"

namespace win {

class CPageBackground {
public:
    // The answer to WM_CTLCOLORSTATIC or WM_CTLCOLORBTN: the body's brush,
    // lined up with the control's drawing, with the text drawn over it; or
    // null when the control keeps the dialog's own background (it is not
    // over a tab control's body, or it is a box to type in).
    HBRUSH ForControl(HWND dialog, UINT message, HDC dc, HWND control);
    // WM_PRINTCLIENT, which themed controls send to ask their parent for
    // what lies under them: paints the body where the tab control has it.
    void PrintUnder(HWND dialog, HDC dc);
    // The look changed or the dialog is going: the brush is freed.
    void Forget() { brush.Reset(); }

private:
    // The dialog's tab control and its body's brush; false without one.
    bool Prepare(HWND dialog);
    // Copies the tab control's painting, over the dialog's, into the brush.
    void MakeBrush(HWND dialog, const RECT& bounds);
    // The tab control's body in screen coordinates.
    RECT Body() const;
    // Lines the brush up with the tab control's corner as the DC draws it;
    // returns the origin it had.
    POINT AlignBrush(HDC dc, HWND drawnWindow) const;

    HWND tabs = nullptr;
    SIZE size = {};
    CBrushHandle brush;
    bool painting = false;
};

}  // namespace win
