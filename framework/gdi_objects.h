// Owners of GDI objects: each deletes the object it holds when it goes, unless the object was
// handed back with Detach. Only the operations the pages and controls use.
#pragma once
#include <windows.h>

class CGdiObject {
 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  virtual ~CGdiObject() { DeleteObject(); }

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  operator HGDIOBJ() const { return m_hObject; }
  bool Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  // Deletes the held object; true when there was one and it went.
  bool DeleteObject();
  int GetObject(int size, void* buffer) const { return ::GetObjectW(m_hObject, size, buffer); }

 protected:
  HGDIOBJ m_hObject = nullptr;
};

class CPen : public CGdiObject {
 public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  bool CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  bool CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
  bool CreateSysColorBrush(int index) { return Attach(::GetSysColorBrush(index)); }
  bool CreatePatternBrush(HBITMAP bitmap) { return Attach(::CreatePatternBrush(bitmap)); }
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
 public:
  bool CreateFontIndirect(const LOGFONTW* font) { return Attach(::CreateFontIndirectW(font)); }
  // Height in tenths of a point, converted on the screen's resolution (or on dc's when given).
  bool CreatePointFont(int pointTenths, const wchar_t* face, HDC dc = nullptr);
  bool GetLogFont(LOGFONTW* font) const { return GetObject(sizeof(*font), font) != 0; }
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject {
 public:
  bool CreateCompatibleBitmap(HDC dc, int width, int height) {
    return Attach(::CreateCompatibleBitmap(dc, width, height));
  }
  bool LoadBitmap(HINSTANCE module, UINT id) {
    return Attach(::LoadBitmapW(module, MAKEINTRESOURCEW(id)));
  }
  bool GetBitmap(BITMAP* info) const { return GetObject(sizeof(*info), info) != 0; }
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CRgn : public CGdiObject {
 public:
  bool CreateRectRgn(int l, int t, int r, int b) { return Attach(::CreateRectRgn(l, t, r, b)); }
  bool CreateRectRgnIndirect(const RECT* rect) { return Attach(::CreateRectRgnIndirect(rect)); }
  bool CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) {
    return Attach(::CreateRoundRectRgn(l, t, r, b, w, h));
  }
  bool CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    return Attach(::CreatePolygonRgn(points, count, fillMode));
  }
  // Makes this region a combination of two others (RGN_AND, RGN_OR, RGN_DIFF, ...); this region
  // must exist already. Returns the region type or ERROR.
  int CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    return ::CombineRgn(*this, *a, b ? static_cast<HRGN>(*b) : nullptr, mode);
  }
  int CopyRgn(const CRgn* source) { return ::CombineRgn(*this, *source, nullptr, RGN_COPY); }
  bool PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y) != FALSE; }
  bool PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
  int GetRgnBox(RECT* rect) const { return ::GetRgnBox(*this, rect); }
  int OffsetRgn(int dx, int dy) { return ::OffsetRgn(*this, dx, dy); }
  void SetRectRgn(int l, int t, int r, int b) { ::SetRectRgn(*this, l, t, r, b); }
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};
