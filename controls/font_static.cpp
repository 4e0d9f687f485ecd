#include "controls/font_static.h"

void CFontStatic::SetFace(const std::wstring& face, int newHeight, COLORREF colour, int) {
  faceName = face;
  height = newHeight;
  textColour = colour;
  centred = false;
  right = false;
  left = true;
}

void CFontStatic::PreSubclassWindow() {
  ModifyStyle(0, SS_NOTIFY);
  CStatic::PreSubclassWindow();
}

void CFontStatic::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(client, ownBackground ? backgroundColour : ::GetSysColor(COLOR_BTNFACE));
  dc.SetTextColor(textColour);
  dc.SetBkMode(TRANSPARENT);
  CFont font;  // made for this paint and freed with it
  const bool made = font.Attach(::CreateFontW(
      height, 0, 0, 0, bold ? 900 : 400, italic, underline, strikeOut, DEFAULT_CHARSET, OUT_STRING_PRECIS,
      CLIP_CHARACTER_PRECIS, antialiased ? ANTIALIASED_QUALITY : DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
      faceName.c_str()));
  // Without a font only the background shows: a message box here would re-enter the paint.
  if (!made) return;
  HGDIOBJ old = dc.SelectObject(&font);
  const UINT align = centred ? DT_CENTER : (right ? DT_RIGHT : DT_LEFT);
  CRect text = client;
  dc.DrawText(GetWindowText(), &text, DT_WORDBREAK | DT_NOPREFIX | align);
  dc.SelectObject(old);
}
