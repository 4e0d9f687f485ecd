// CCorvaneApp: the program object of Corvane.exe. It starts GDI+ and the common controls, chooses
// the language and its resource library, and runs the main dialog modally; the program ends when
// that run ends.
#pragma once
#include <windows.h>

#include "framework/app.h"

class CCorvaneApp : public CWinAppEx {
 public:
  BOOL InitInstance() override;
  int ExitInstance() override;

 private:
  ULONG_PTR gdiplusToken_ = 0;
};
