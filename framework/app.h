// The program object: one per process, reached with AfxGetApp. It holds the resource handle from
// which dialog templates, menus and icons are loaded (the language library, or the program's own
// file) and runs the main message loop.
#pragma once
#include <windows.h>

class CWnd;

class CWinAppEx {
 public:
  CWinAppEx();
  virtual ~CWinAppEx();
  CWinAppEx(const CWinAppEx&) = delete;
  CWinAppEx& operator=(const CWinAppEx&) = delete;

  // false ends the program without Run (a dialog program runs its main dialog in here).
  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return m_exitCode; }
  // The message loop until WM_QUIT; returns ExitInstance().
  virtual int Run();

  HINSTANCE m_hInstance;
  CWnd* m_pMainWnd = nullptr;

 protected:
  int m_exitCode = 0;
};

CWinAppEx* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// Where templates come from; the program's own module until a language library is set.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);
// The wWinMain body of a framework program: InitInstance, then Run or ExitInstance.
int AfxWinMain();
