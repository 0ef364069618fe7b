#include "frame/MainFrame.h"
#include "frame/WarningDismisser.h"

void CMainFrame::DismissWarningWindows()
{
    CWarningDismisser({"Disconnect Warning", prodigyTitle, aolTimerTitle, "MSN-Connected"}).DismissAll();
}
