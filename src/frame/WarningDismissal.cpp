#include "frame/MainFrame.h"

void CMainFrame::DismissWarningWindows() {}
