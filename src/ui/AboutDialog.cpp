#include "ui/AboutDialog.h"

#include "res/resource.h"

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUT) {}
