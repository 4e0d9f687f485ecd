#include "framework/gdi_objects.h"

bool CGdiObject::Attach(HGDIOBJ object) {
  if (!object) return false;
  DeleteObject();
  m_hObject = object;
  return true;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ object = m_hObject;
  m_hObject = nullptr;
  return object;
}

bool CGdiObject::DeleteObject() {
  if (!m_hObject) return false;
  // Stock objects and system-colour brushes ignore the delete; that is harmless.
  bool deleted = ::DeleteObject(m_hObject) != FALSE;
  m_hObject = nullptr;
  return deleted;
}

bool CFont::CreatePointFont(int pointTenths, const wchar_t* face, HDC dc) {
  HDC screen = dc ? dc : ::GetDC(nullptr);
  LOGFONTW font = {};
  font.lfHeight = -MulDiv(pointTenths, ::GetDeviceCaps(screen, LOGPIXELSY), 720);
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  if (!dc) ::ReleaseDC(nullptr, screen);
  return CreateFontIndirect(&font);
}
