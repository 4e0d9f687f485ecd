#include "framework/dc.h"

#include <memory>
#include <unordered_map>
#include "framework/wnd.h"

CDC::~CDC() {
  if (m_owned) DeleteDC();
}

bool CDC::Attach(HDC dc) {
  if (!dc) return false;
  if (m_owned) DeleteDC();
  m_hDC = dc;
  m_owned = false;
  return true;
}

HDC CDC::Detach() {
  HDC dc = m_hDC;
  m_hDC = nullptr;
  m_owned = false;
  return dc;
}

CDC* CDC::FromHandle(HDC dc) {
  // Handlers get a CDC* for a context the system lends them for one message. Wrappers live for a
  // whole generation of 256 new contexts after their last creation, far longer than a message;
  // the tables are reached through plain pointers (see CWnd::FromHandle on thread_local objects).
  using Wrappers = std::unordered_map<HDC, std::unique_ptr<CDC>>;
  thread_local Wrappers* current = nullptr;
  thread_local Wrappers* previous = nullptr;
  if (!dc) return nullptr;
  if (!current) current = new Wrappers();
  auto found = current->find(dc);
  if (found != current->end()) return found->second.get();
  if (previous) {
    auto old = previous->find(dc);
    if (old != previous->end()) return old->second.get();
  }
  if (current->size() >= 256) {
    delete previous;
    previous = current;
    current = new Wrappers();
  }
  auto& slot = (*current)[dc];
  slot = std::make_unique<CDC>();
  slot->Attach(dc);
  return slot.get();
}

bool CDC::CreateCompatibleDC(const CDC* other) { return CreateCompatibleDC(other ? other->m_hDC : nullptr); }

bool CDC::CreateCompatibleDC(HDC other) {
  HDC dc = ::CreateCompatibleDC(other);
  if (!dc) return false;
  if (m_owned) DeleteDC();
  m_hDC = dc;
  m_owned = true;
  return true;
}

bool CDC::DeleteDC() {
  if (!m_hDC || !m_owned) return false;
  bool deleted = ::DeleteDC(m_hDC) != FALSE;
  m_hDC = nullptr;
  m_owned = false;
  return deleted;
}

CPoint CDC::SetWindowOrg(int x, int y) {
  POINT old = {};
  ::SetWindowOrgEx(m_hDC, x, y, &old);
  return old;
}

CPoint CDC::SetViewportOrg(int x, int y) {
  POINT old = {};
  ::SetViewportOrgEx(m_hDC, x, y, &old);
  return old;
}

CPoint CDC::GetWindowOrg() const {
  POINT origin = {};
  ::GetWindowOrgEx(m_hDC, &origin);
  return origin;
}

CPoint CDC::MoveTo(int x, int y) {
  POINT old = {};
  ::MoveToEx(m_hDC, x, y, &old);
  return old;
}

void CDC::FillSolidRect(const RECT& rect, COLORREF color) {
  // The opaque text-out fill: no brush to make, the background colour is restored afterwards.
  COLORREF old = ::SetBkColor(m_hDC, color);
  ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color) {
  FillSolidRect(CRect(x, y, x + width, y + height), color);
}

void CDC::Draw3dRect(const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  int w = r.right - r.left, h = r.bottom - r.top;
  FillSolidRect(r.left, r.top, w - 1, 1, topLeft);
  FillSolidRect(r.left, r.top, 1, h - 1, topLeft);
  FillSolidRect(r.right - 1, r.top, 1, h, bottomRight);
  FillSolidRect(r.left, r.bottom - 1, w, 1, bottomRight);
}

int CDC::DrawText(const std::wstring& text, RECT* rect, UINT format) {
  return ::DrawTextW(m_hDC, text.c_str(), static_cast<int>(text.size()), rect, format);
}

CSize CDC::GetTextExtent(const std::wstring& text) const {
  SIZE size = {};
  ::GetTextExtentPoint32W(m_hDC, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

CPaintDC::CPaintDC(CWnd* window) : CPaintDC(window->GetSafeHwnd()) {}
CPaintDC::CPaintDC(HWND window) : m_hWnd(window) { Attach(::BeginPaint(window, &m_ps)); }
CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}

CClientDC::CClientDC(CWnd* window) : CClientDC(window ? window->GetSafeHwnd() : nullptr) {}
CClientDC::CClientDC(HWND window) : m_hWnd(window) { Attach(::GetDC(window)); }
CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* window) : m_hWnd(window ? window->GetSafeHwnd() : nullptr) {
  Attach(::GetWindowDC(m_hWnd));
}
CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
