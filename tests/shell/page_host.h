// A stand-in for the main dialog in page tests: the real main dialog template (IDD_MAIN) with a
// tab control laid over its placeholder, the way the pages are hosted in the program.
#pragma once
#include <windows.h>
#include "framework/framework.h"

class PageHost {
 public:
  PageHost();
  ~PageHost();
  // Creates and shows the dialog with its tab control; false when the template does not load.
  bool Open();
  // The tab control: the pages' parent.
  CWnd& Tab() { return tab_; }
  HWND Window() const { return dialog_.GetSafeHwnd(); }
  // The tab's display area, in the tab's client coordinates.
  CRect DisplayArea() const;
  // Lays a page created on the tab over the display area and shows it.
  void Show(CDialog& page);
  // True when the page's window lies wholly inside the display area.
  bool Fits(const CDialog& page) const;

 private:
  CDialog dialog_;
  CWnd tab_;
};
