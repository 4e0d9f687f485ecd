#include "shell/about_dlg.h"

#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUT, parent) { MapOpenDialogRegistration(*this); }
