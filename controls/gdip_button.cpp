#include "controls/gdip_button.h"

#include <objidl.h>
#include <gdiplus.h>

#include "controls/gdip_mem_dc.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;
using button_faces::Face;

namespace {

// Brighter: each colour times 1.05 plus 0.05, alpha kept.
const ColorMatrix kHotMatrix = {{{1.05f, 0, 0, 0, 0},
                                 {0, 1.05f, 0, 0, 0},
                                 {0, 0, 1.05f, 0, 0},
                                 {0, 0, 0, 1, 0},
                                 {0.05f, 0.05f, 0.05f, 0, 1}}};
// Grey: the luminance weights in every colour.
const ColorMatrix kGreyMatrix = {{{0.3f, 0.3f, 0.3f, 0, 0},
                                  {0.59f, 0.59f, 0.59f, 0, 0},
                                  {0.11f, 0.11f, 0.11f, 0, 0},
                                  {0, 0, 0, 1, 0},
                                  {0, 0, 0, 0, 1}}};

void DrawAt(GpGraphics* graphics, const CGdiPlusBitmap& image, int x, int y) {
  if (image.Bitmap()) GdipDrawImageI(graphics, image.Bitmap(), x, y);
}

void DrawThrough(GpGraphics* graphics, const CGdiPlusBitmap& image, const ColorMatrix& matrix) {
  if (!image.Bitmap()) return;
  GpImageAttributes* attributes = nullptr;
  if (GdipCreateImageAttributes(&attributes) != Ok) return;
  GdipSetImageAttributesColorMatrix(attributes, ColorAdjustTypeDefault, TRUE, &matrix, nullptr,
                                    ColorMatrixFlagsDefault);
  const INT w = static_cast<INT>(image.Width());
  const INT h = static_cast<INT>(image.Height());
  GdipDrawImageRectRectI(graphics, image.Bitmap(), 0, 0, w, h, 0, 0, w, h, UnitPixel, attributes, nullptr, nullptr);
  GdipDisposeImageAttributes(attributes);
}

}  // namespace

bool CGdipButton::StateImage::Make(CDC* like, int width, int height) {
  if (!dc.CreateCompatibleDC(like)) return false;
  if (!bitmap.CreateCompatibleBitmap(*like, width, height)) {
    dc.DeleteDC();
    return false;
  }
  displaced = dc.SelectObject(&bitmap);
  return true;
}

CGdipButton::StateImage::~StateImage() {
  if (dc.GetSafeHdc()) dc.SelectObject(displaced);
  dc.DeleteDC();
}

CGdipButton::~CGdipButton() {
  delete standard_;
  delete alternate_;
  if (toolTip_ && ::IsWindow(toolTip_)) ::DestroyWindow(toolTip_);
}

void CGdipButton::OnDestroy() {
  // The tip goes with its button; the next SetTooltipText makes one for the next window.
  if (toolTip_ && ::IsWindow(toolTip_)) ::DestroyWindow(toolTip_);
  toolTip_ = nullptr;
  tracking_ = false;
  hovered_ = false;
  CButton::OnDestroy();
}

bool CGdipButton::LoadStdImage(UINT pngId) {
  delete standard_;
  standard_ = new CGdiPlusBitmapResource;
  return standard_->Load(pngId, L"PNG");
}

bool CGdipButton::LoadAltImage(UINT pngId) {
  delete alternate_;
  alternate_ = new CGdiPlusBitmapResource;
  const bool loaded = alternate_->Load(pngId, L"PNG");
  hasAlternate = true;
  return loaded;
}

void CGdipButton::PreSubclassWindow() {
  ModifyStyle(0, BS_OWNERDRAW, SWP_FRAMECHANGED);
  CButton::PreSubclassWindow();
}

BOOL CGdipButton::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_LBUTTONDBLCLK) msg->message = WM_LBUTTONDOWN;  // a quick second click is a click
  if (toolTip_ && ::IsWindow(toolTip_)) ::SendMessageW(toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
  return CButton::PreTranslateMessage(msg);
}

HBRUSH CGdipButton::OnReflectedCtlColor(CDC* dc, UINT) {
  const bool standardMissing = !images_[kStandard].Exists();
  const bool alternateMissing = hasAlternate && alternate_ && !images_[kAlternate].Exists();
  if (standard_ && (standardMissing || alternateMissing)) BuildStateImages(dc);
  return nullptr;  // no brush: the button paints every pixel itself
}

void CGdipButton::BuildStateImages(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  const int w = client.Width();
  const int h = client.Height();
  if (w <= 0 || h <= 0) return;
  ns_gdiBtn::CMemDC offScreen(dc, &client);
  GpGraphics* graphics = nullptr;
  if (GdipCreateFromHDC(offScreen, &graphics) != Ok) return;

  StateImage& background = images_[kBackground];
  if (!background.Exists() && background.Make(dc, w, h)) {
    // The parent's pixels behind the button, so its transparent parts show what the parent showed.
    CRect inParent;
    GetWindowRect(&inParent);
    HWND parent = ::GetParent(m_hWnd);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&inParent), 2);
    CClientDC parentDc(parent);
    background.dc.BitBlt(0, 0, w, h, &parentDc, inParent.left, inParent.top, SRCCOPY);
  }

  auto build = [&](int slot, auto drawImage) {
    StateImage& image = images_[slot];
    if (!image.Make(dc, w, h)) return;
    offScreen.BitBlt(0, 0, w, h, &background.dc, 0, 0, SRCCOPY);
    drawImage();
    GdipFlush(graphics, FlushIntentionSync);
    image.dc.BitBlt(0, 0, w, h, &offScreen, 0, 0, SRCCOPY);
  };
  if (standard_ && !images_[kStandard].Exists()) {
    build(kStandard, [&] { DrawAt(graphics, *standard_, 0, 0); });
    build(kStandardPressed, [&] { DrawAt(graphics, *standard_, 1, 1); });
    build(kStandardHot, [&] { DrawThrough(graphics, *standard_, kHotMatrix); });
    build(kDisabled, [&] { DrawThrough(graphics, *standard_, kGreyMatrix); });
  }
  if (hasAlternate && alternate_ && !images_[kAlternate].Exists()) {
    build(kAlternate, [&] { DrawAt(graphics, *alternate_, 0, 0); });
    build(kAlternatePressed, [&] { DrawAt(graphics, *alternate_, 1, 1); });
    build(kAlternateHot, [&] { DrawThrough(graphics, *alternate_, kHotMatrix); });
  }
  GdipDeleteGraphics(graphics);
  imagesBuilt_ = true;
}

CGdipButton::StateImage& CGdipButton::ImageFor(Face face) {
  switch (face) {
    case Face::Standard: return images_[kStandard];
    case Face::StandardPressed: return images_[kStandardPressed];
    case Face::StandardHot: return images_[kStandardHot];
    case Face::Alternate: return images_[kAlternate];
    case Face::AlternatePressed: return images_[kAlternatePressed];
    case Face::AlternateHot: return images_[kAlternateHot];
    case Face::Disabled: return images_[kDisabled];
  }
  return images_[kStandard];
}

bool CGdipButton::DrawItem(DRAWITEMSTRUCT* item) {
  const bool pressed = (item->itemState & ODS_SELECTED) != 0;
  button_faces::Look look;
  look.disabled = disabled;
  look.pressed = pressed;
  look.hovered = hovered_;
  look.hasAlternate = hasAlternate && images_[kAlternate].Exists();
  look.alternateShown = alternateShown;
  current_ = button_faces::Choose(look);

  CRect client;
  GetClientRect(&client);
  StateImage& image = ImageFor(current_);
  StateImage& shown = image.Exists() ? image : images_[kBackground];
  if (shown.Exists())
    ::BitBlt(item->hDC, 0, 0, client.Width(), client.Height(), shown.dc, 0, 0, SRCCOPY);
  return true;
}

bool CGdipButton::OnReflectedCommand(UINT notifyCode) {
  // A two-state button changes over on the click itself: a press that slides off and back is
  // still one click, and a press released outside is none.
  if (notifyCode == BN_CLICKED && toggle && !disabled) {
    alternateShown = !alternateShown;
    Invalidate(false);
  }
  return false;  // the owner's click handler runs next and sees the new state
}

void CGdipButton::OnMouseMove(UINT flags, CPoint point) {
  if (!tracking_) {
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = m_hWnd;
    track.dwHoverTime = 1;
    tracking_ = ::TrackMouseEvent(&track) != FALSE;
  }
  CButton::OnMouseMove(flags, point);
}

void CGdipButton::OnMouseHover(UINT, CPoint) {
  hovered_ = true;
  Invalidate(true);
  if (toolTip_ && ::IsWindow(toolTip_)) ::DestroyWindow(toolTip_);
  toolTip_ = nullptr;
  SetTooltipText(toolTipText_);
  if (toolTip_) ::SendMessageW(toolTip_, TTM_UPDATE, 0, 0);
}

void CGdipButton::OnMouseLeave() {
  tracking_ = false;
  hovered_ = false;
  Invalidate(true);
}

void CGdipButton::SetTooltipText(const std::wstring& text) {
  if (text.empty()) return;
  if (!toolTip_) {
    toolTip_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!toolTip_) return;
    ::SendMessageW(toolTip_, TTM_ACTIVATE, TRUE, 0);
  }
  toolTipText_ = text;
  TOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.hwnd = m_hWnd;
  tool.uId = 1;
  tool.lpszText = const_cast<wchar_t*>(toolTipText_.c_str());
  if (::SendMessageW(toolTip_, TTM_GETTOOLCOUNT, 0, 0) == 0) {
    GetClientRect(&tool.rect);
    ::SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  ::SendMessageW(toolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  ::SendMessageW(toolTip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 2000);
  ::SendMessageW(toolTip_, TTM_ACTIVATE, TRUE, 0);
}
