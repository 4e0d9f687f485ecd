#include "controls/icon_button.h"

#include "controls/icon_button_layout.h"
#include "framework/app.h"

CSXButton::~CSXButton() {
  if (icon_) ::DestroyIcon(icon_);  // an icon is no GDI object: DeleteObject would leak it
  if (bitmap_) ::DeleteObject(bitmap_);
  if (disabledBitmap_) ::DeleteObject(disabledBitmap_);
}

bool CSXButton::SetIcon(UINT iconId) {
  HICON icon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                               icon_button_layout::kIconSize, icon_button_layout::kIconSize,
                                               LR_DEFAULTCOLOR));
  if (!icon) return false;
  if (icon_) ::DestroyIcon(icon_);
  icon_ = icon;
  imageWidth_ = imageHeight_ = icon_button_layout::kIconSize;
  if (bitmap_) ::DeleteObject(bitmap_);
  bitmap_ = nullptr;
  if (IsWindow()) Invalidate(true);
  return true;
}

bool CSXButton::DrawItem(DRAWITEMSTRUCT* item) {
  const RECT r = item->rcItem;
  const bool pressed = (item->itemState & ODS_SELECTED) != 0;
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  HDC dc = item->hDC;
  CRect client;
  GetClientRect(&client);

  if (item->itemAction != ODA_FOCUS) {
    RECT frame = r;
    ::DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    const std::wstring caption = GetWindowText();
    icon_button_layout::Input in;
    in.client = client.Size();
    in.hasIcon = icon_ != nullptr;
    in.hasCaption = !caption.empty();
    in.pressed = pressed;
    if (in.hasCaption) {
      SIZE extent = {};
      ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
      in.caption = extent;
    }
    const auto placed = icon_button_layout::Place(in);
    const UINT disabledFlag = disabled ? DSS_DISABLED : 0;
    if (icon_) {
      ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon_), 0, placed.icon.x, placed.icon.y,
                   icon_button_layout::kIconSize, icon_button_layout::kIconSize, DST_ICON | disabledFlag);
    }
    if (in.hasCaption) {
      ::SetBkMode(dc, TRANSPARENT);
      ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption.c_str()),
                   static_cast<WPARAM>(caption.size()), placed.caption.x, placed.caption.y,
                   static_cast<int>(in.caption.cx), static_cast<int>(in.caption.cy), DST_PREFIXTEXT | disabledFlag);
    }
  }
  if (!disabled) {
    const bool focusChanged = ((item->itemState ^ lastState_) & ODS_FOCUS) != 0;
    if (focusChanged || (item->itemAction != ODA_FOCUS && ::GetFocus() == m_hWnd)) {
      RECT focus = r;
      const int inset = icon_button_layout::FocusInset(r);
      ::InflateRect(&focus, -inset, -inset);
      ::DrawFocusRect(dc, &focus);
    }
  }
  lastAction_ = item->itemAction;
  lastState_ = item->itemState;
  return true;
}
