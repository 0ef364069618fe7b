#include "frame/MainFrame.h"

void CMainFrame::OnContactTick() {}
