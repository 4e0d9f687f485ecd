#include "controls/bold_font.h"

void SetBoldFont(HWND window) {
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  LOGFONTW logFont = {};
  if (!::GetObjectW(font ? font : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont), &logFont)) return;
  logFont.lfWeight = FW_BOLD;
  HFONT bold = ::CreateFontIndirectW(&logFont);
  if (bold) ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(bold), TRUE);
}
