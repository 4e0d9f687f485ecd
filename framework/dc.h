// Device contexts: CDC wraps an HDC (owned when it made it, borrowed when attached); CPaintDC,
// CClientDC and CWindowDC get and give back a window's device context for their lifetime.
#pragma once
#include <windows.h>
#include <string>
#include "framework/gdi_objects.h"
#include "framework/geometry.h"

class CWnd;

class CDC {
 public:
  CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  virtual ~CDC();

  HDC m_hDC = nullptr;
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  // A borrowed context: Detach gives it back untouched, the destructor leaves it alone.
  bool Attach(HDC dc);
  HDC Detach();
  static CDC* FromHandle(HDC dc);  // a per-thread borrowed wrapper, valid during the message

  // An owned memory context compatible with other (the screen when null); DeleteDC ends it.
  bool CreateCompatibleDC(const CDC* other);
  bool CreateCompatibleDC(HDC other);
  bool DeleteDC();
  virtual bool IsPrinting() const { return false; }

  HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
  HPEN SelectObject(CPen* pen) { return static_cast<HPEN>(SelectObject(pen->GetSafeHandle())); }
  HBRUSH SelectObject(CBrush* brush) { return static_cast<HBRUSH>(SelectObject(brush->GetSafeHandle())); }
  HFONT SelectObject(CFont* font) { return static_cast<HFONT>(SelectObject(font->GetSafeHandle())); }
  HBITMAP SelectObject(CBitmap* bitmap) { return static_cast<HBITMAP>(SelectObject(bitmap->GetSafeHandle())); }
  HGDIOBJ SelectStockObject(int index) { return SelectObject(::GetStockObject(index)); }
  int SelectClipRgn(const CRgn* region) { return ::SelectClipRgn(m_hDC, region ? static_cast<HRGN>(*region) : nullptr); }
  int SelectClipRgn(const CRgn* region, int mode) { return ::ExtSelectClipRgn(m_hDC, region ? static_cast<HRGN>(*region) : nullptr, mode); }
  int IntersectClipRect(const RECT& r) { return ::IntersectClipRect(m_hDC, r.left, r.top, r.right, r.bottom); }
  int ExcludeClipRect(const RECT& r) { return ::ExcludeClipRect(m_hDC, r.left, r.top, r.right, r.bottom); }
  int GetClipBox(RECT* rect) const { return ::GetClipBox(m_hDC, rect); }
  int SaveDC() { return ::SaveDC(m_hDC); }
  bool RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved) != FALSE; }
  int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
  COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
  COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
  COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
  CPoint SetWindowOrg(int x, int y);
  CPoint SetViewportOrg(int x, int y);
  CPoint GetWindowOrg() const;

  void FillSolidRect(const RECT& rect, COLORREF color);
  void FillSolidRect(int x, int y, int width, int height, COLORREF color);
  void FillRect(const RECT& rect, HBRUSH brush) { ::FillRect(m_hDC, &rect, brush); }
  void FrameRect(const RECT& rect, HBRUSH brush) { ::FrameRect(m_hDC, &rect, brush); }
  void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
  bool FillRgn(const CRgn* region, HBRUSH brush) { return ::FillRgn(m_hDC, *region, brush) != FALSE; }
  bool FrameRgn(const CRgn* region, HBRUSH brush, int w, int h) { return ::FrameRgn(m_hDC, *region, brush, w, h) != FALSE; }
  bool Rectangle(const RECT& r) { return ::Rectangle(m_hDC, r.left, r.top, r.right, r.bottom) != FALSE; }
  bool Ellipse(const RECT& r) { return ::Ellipse(m_hDC, r.left, r.top, r.right, r.bottom) != FALSE; }
  bool Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count) != FALSE; }
  bool Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count) != FALSE; }
  CPoint MoveTo(int x, int y);
  bool LineTo(int x, int y) { return ::LineTo(m_hDC, x, y) != FALSE; }
  COLORREF SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

  // DrawTextW with a rectangle it may change (DT_CALCRECT).
  int DrawText(const std::wstring& text, RECT* rect, UINT format);
  int DrawText(const wchar_t* text, int length, RECT* rect, UINT format) {
    return ::DrawTextW(m_hDC, text, length, rect, format);
  }
  bool TextOut(int x, int y, const std::wstring& text) {
    return ::TextOutW(m_hDC, x, y, text.c_str(), static_cast<int>(text.size())) != FALSE;
  }
  CSize GetTextExtent(const std::wstring& text) const;
  bool GetTextMetrics(TEXTMETRICW* metrics) const { return ::GetTextMetricsW(m_hDC, metrics) != FALSE; }

  bool BitBlt(int x, int y, int width, int height, const CDC* source, int sx, int sy, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sx, sy, rop) != FALSE;
  }
  bool StretchBlt(int x, int y, int w, int h, const CDC* source, int sx, int sy, int sw, int sh, DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, w, h, source->m_hDC, sx, sy, sw, sh, rop) != FALSE;
  }

 protected:
  bool m_owned = false;  // made by CreateCompatibleDC: deleted, not released
};

// BeginPaint/EndPaint around the object's life; m_ps holds what BeginPaint filled in.
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  explicit CPaintDC(HWND window);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps = {};

 private:
  HWND m_hWnd;
};

// GetDC/ReleaseDC of the client area.
class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* window);
  explicit CClientDC(HWND window);
  ~CClientDC() override;

 private:
  HWND m_hWnd;
};

// GetWindowDC/ReleaseDC of the whole window, frame included.
class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* window);
  ~CWindowDC() override;

 private:
  HWND m_hWnd;
};
