#include "shell/corvane_app.h"

#include <commctrl.h>
#include <objidl.h>  // left out by WIN32_LEAN_AND_MEAN, needed by GDI+
#include <gdiplus.h>

#include "shell/corvane_dlg.h"
#include "shell/lang_text.h"
#include "shell/language_choice.h"
#include "shell/program_folder.h"

BOOL CCorvaneApp::InitInstance() {
  Gdiplus::GdiplusStartupInput gdiplus;
  Gdiplus::GdiplusStartup(&gdiplusToken_, &gdiplus, nullptr);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);

  // The pages read and write their settings files in the current folder: make it the program
  // folder, wherever the program was started from.
  std::wstring folder = ProgramFolderOfModule();
  ::SetCurrentDirectoryW(folder.c_str());
  LanguageChoice language = ChooseLanguage(folder, ::GetUserDefaultLCID());
  g_LangIndex = language.index;
  LoadResourceDll(language.suffix);

  CCorvaneDlg dialog;
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  return FALSE;
}

int CCorvaneApp::ExitInstance() {
  if (gdiplusToken_) Gdiplus::GdiplusShutdown(gdiplusToken_);
  gdiplusToken_ = 0;
  return CWinAppEx::ExitInstance();
}
