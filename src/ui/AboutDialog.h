#pragma once
#include "win/Dialog.h"

class CAboutDialog : public win::CDialog {
public:
    CAboutDialog();
};
