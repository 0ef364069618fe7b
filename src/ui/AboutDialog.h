#pragma once
// The About box: the program's icon, name and version; OK closes it.
#include "win/Dialog.h"

class CAboutDialog : public win::CDialog {
public:
    CAboutDialog();
};
