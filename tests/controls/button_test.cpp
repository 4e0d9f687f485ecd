// The image button, the icon button, the font label and the picture box as real windows under
// Wine: scripted hover, press and release with the images they show, and their paint.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "controls/bold_font.h"
#include "controls/font_static.h"
#include "controls/gdip_button.h"
#include "controls/icon_button.h"
#include "controls/picture_box.h"
#include "resources/program_images.h"
#include "tests/controls/window_test_support.h"

using button_faces::Face;
using controls_test::HostWindow;
using controls_test::PostMouse;
using controls_test::Pump;

namespace {

HWND MakeChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, const RECT& r, int id) {
  return ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           ::GetModuleHandleW(nullptr), nullptr);
}

void Repaint(HWND window) { ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

// Moves the real cursor away, so that leave tracking reports the pointer gone.
void PointerAway() {
  ::SetCursorPos(900, 700);
  Pump(250);
}

}  // namespace

class ImageButtonWindow : public ::testing::Test {
 protected:
  void Make(bool withAlternate, bool toggle, bool disabled) {
    HWND raw = MakeChild(host, L"BUTTON", L"", BS_PUSHBUTTON, CRect(20, 20, 60, 60), 1043);
    ASSERT_TRUE(button.SubclassWindow(raw));
    ASSERT_TRUE(button.LoadStdImage(IDP_SHOW_SERVICES));
    if (withAlternate) {
      ASSERT_TRUE(button.LoadAltImage(IDP_HIDE_SERVICES));
    }
    button.alternateShown = false;
    button.toggle = toggle;
    button.disabled = disabled;
    button.SetTooltipText(L"Show Windows service");
    PointerAway();
    Repaint(button);
    Pump();
  }
  void Step(const std::string& step) {
    const CPoint centre(20, 20);
    const CPoint outside(-30, 20);  // left of the button, over the host
    if (step == "hover") {
      PostMouse(button, WM_MOUSEMOVE, centre, 0);
      Pump(200);
    } else if (step == "press") {
      PostMouse(button, WM_LBUTTONDOWN, centre, MK_LBUTTON);
      Pump();
    } else if (step == "repaint") {
      Repaint(button);  // once: an even number of repaints would hide a flip per drawing
      Pump();
    } else if (step == "slide off") {
      PostMouse(button, WM_MOUSEMOVE, outside, MK_LBUTTON);
      Pump();
    } else if (step == "slide back") {
      PostMouse(button, WM_MOUSEMOVE, centre, MK_LBUTTON);
      Pump();
    } else if (step == "release") {
      PostMouse(button, WM_LBUTTONUP, centre, 0);
      Pump();
    } else if (step == "release outside") {
      PostMouse(button, WM_LBUTTONUP, outside, 0);
      Pump();
    } else if (step == "leave") {
      PointerAway();
    }
  }

  HostWindow host;
  CGdipButton button;
};

TEST_F(ImageButtonWindow, ImageSelectionScripts) {
  struct Case {
    const char* what;
    bool withAlternate, toggle, disabled;
    std::vector<std::string> steps;
    std::vector<Face> faces;  // after each step
    bool alternateShownAtEnd;
    size_t clicks;            // BN_CLICKED that reached the host
  };
  const Case cases[] = {
      {"plain button", false, false, false, {"hover", "press", "repaint", "release", "leave"},
       {Face::StandardHot, Face::StandardPressed, Face::StandardPressed, Face::StandardHot, Face::Standard}, false, 1},
      {"toggle flips on the click, not per press or repaint", true, true, false,
       {"hover", "press", "repaint", "release", "leave"},
       {Face::StandardHot, Face::StandardPressed, Face::StandardPressed, Face::AlternateHot, Face::Alternate}, true, 1},
      {"a second click flips back", true, true, false,
       {"hover", "press", "release", "press", "repaint", "release"},
       {Face::StandardHot, Face::StandardPressed, Face::AlternateHot, Face::AlternatePressed, Face::AlternatePressed,
        Face::StandardHot}, false, 2},
      {"press, slide off, slide back and release inside flips once", true, true, false,
       {"hover", "press", "slide off", "slide back", "repaint", "release"},
       {Face::StandardHot, Face::StandardPressed, Face::Standard, Face::StandardPressed, Face::StandardPressed,
        Face::AlternateHot}, true, 1},
      {"a press released outside is no click and does not flip", true, true, false,
       {"hover", "press", "slide off", "release outside", "leave"},
       {Face::StandardHot, Face::StandardPressed, Face::Standard, Face::Standard, Face::Standard}, false, 0},
      {"disabled look whatever the pointer does", false, false, true, {"hover", "press", "release"},
       {Face::Disabled, Face::Disabled, Face::Disabled}, false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (button.IsWindow()) button.DestroyWindow();
    Make(c.withAlternate, c.toggle, c.disabled);
    ASSERT_TRUE(button.ImagesBuilt());
    host.clicks.clear();
    EXPECT_EQ(button.CurrentFace(), c.disabled ? Face::Disabled : Face::Standard);
    for (size_t i = 0; i < c.steps.size(); ++i) {
      Step(c.steps[i]);
      EXPECT_EQ(static_cast<int>(button.CurrentFace()), static_cast<int>(c.faces[i])) << "after " << c.steps[i];
    }
    EXPECT_EQ(button.alternateShown, c.alternateShownAtEnd);
    EXPECT_EQ(host.clicks.size(), c.clicks);
    if (c.alternateShownAtEnd) controls_test::SaveToGallery(button, "image_button_toggled");
  }
}

TEST_F(ImageButtonWindow, PressedShiftsHotBrightensDisabledGreys) {
  Make(false, false, false);
  const auto standard = controls_test::Capture(button);
  controls_test::SaveToGallery(button, "image_button_standard");
  Step("hover");
  const auto hot = controls_test::Capture(button);
  controls_test::SaveToGallery(button, "image_button_hot");
  EXPECT_TRUE(button.IsHovered());
  EXPECT_NE(button.ToolTipWindow(), nullptr);
  Step("press");
  const auto pressed = controls_test::Capture(button);
  controls_test::SaveToGallery(button, "image_button_pressed");
  Step("release");
  Step("leave");

  // The tile's dark outline runs along x = 1; pressed, it lies one pixel further right and down.
  const COLORREF outline = standard.At(1, 16);
  EXPECT_EQ(pressed.At(2, 17), outline);
  EXPECT_NE(pressed.At(1, 16), outline);
  // The tile's face is brighter under the pointer.
  const COLORREF face = standard.At(5, 28);
  const COLORREF brighter = hot.At(5, 28);
  EXPECT_GT(GetRValue(brighter) + GetGValue(brighter) + GetBValue(brighter),
            GetRValue(face) + GetGValue(face) + GetBValue(face));

  button.disabled = true;
  Repaint(button);
  Pump();
  const auto grey = controls_test::Capture(button);
  controls_test::SaveToGallery(button, "image_button_disabled");
  const COLORREF g = grey.At(5, 28);
  EXPECT_NEAR(GetRValue(g), GetGValue(g), 3);
  EXPECT_NEAR(GetGValue(g), GetBValue(g), 3);
}

TEST_F(ImageButtonWindow, TooltipGoesWithItsButton) {
  Make(false, false, false);
  const HWND firstTip = button.ToolTipWindow();
  ASSERT_TRUE(::IsWindow(firstTip));
  EXPECT_EQ(controls_test::FirstToolWindow(firstTip), button.GetSafeHwnd());

  button.DestroyWindow();
  Pump(0);
  EXPECT_EQ(button.ToolTipWindow(), nullptr) << "a handle kept past its button";
  EXPECT_FALSE(::IsWindow(firstTip)) << "the tip outlived its button";

  // The same object on a new window gets a tip for that window.
  Make(false, false, false);
  ASSERT_TRUE(::IsWindow(button.ToolTipWindow()));
  EXPECT_EQ(controls_test::FirstToolWindow(button.ToolTipWindow()), button.GetSafeHwnd());
  Step("hover");
  EXPECT_EQ(controls_test::FirstToolWindow(button.ToolTipWindow()), button.GetSafeHwnd());

  host.DestroyWindow();
  Pump(0);
  EXPECT_EQ(button.ToolTipWindow(), nullptr);
}

TEST(GdiPlusBitmapResource, LoadsTheProgramsPngsAndRefusesWhatIsMissing) {
  CGdiPlusBitmapResource image;
  for (UINT id : {150u, 151u, 152u, 165u, 166u, 167u, 168u, 169u, 170u, 175u, 176u, 179u, 180u, 183u, 184u}) {
    EXPECT_TRUE(image.Load(id)) << id;
    EXPECT_EQ(image.Width(), 32u) << id;
  }
  EXPECT_FALSE(image.Load(999));
  EXPECT_EQ(image.Bitmap(), nullptr);
  EXPECT_FALSE(image.Load(IDB_SORT_ASCENDING));  // a bitmap resource, not a PNG one
}

TEST(IconButtonWindow, IconAndCaptionPaint) {
  HostWindow host;
  CSXButton withCaption;
  CSXButton iconOnly;
  ASSERT_TRUE(withCaption.SubclassWindow(MakeChild(host, L"BUTTON", L"&Help", BS_OWNERDRAW, CRect(10, 10, 130, 40), 1000)));
  ASSERT_TRUE(iconOnly.SubclassWindow(MakeChild(host, L"BUTTON", L"", BS_OWNERDRAW, CRect(150, 10, 190, 40), 1005)));
  EXPECT_FALSE(withCaption.SetIcon(4242));
  EXPECT_EQ(withCaption.Icon(), nullptr);
  ASSERT_TRUE(withCaption.SetIcon(1162));
  ASSERT_TRUE(iconOnly.SetIcon(1162));
  ASSERT_TRUE(iconOnly.SetIcon(1162));  // replacing the icon frees the old one
  Pump();
  Repaint(withCaption);
  Repaint(iconOnly);
  Pump();
  const COLORREF iconBlue = RGB(0x20, 0x60, 0xc0);
  // Icon alone: centred, (40 - 16) / 2 = 12 and (30 - 16) / 2 = 7; its middle is at (19, 14).
  const auto alone = controls_test::Capture(iconOnly);
  EXPECT_EQ(alone.At(12 + 7, 7 + 2), iconBlue);
  // With a caption the icon sits 4 pixels from the left.
  const auto captioned = controls_test::Capture(withCaption);
  EXPECT_EQ(captioned.At(4 + 7, 7 + 2), iconBlue);
  controls_test::SaveToGallery(withCaption, "icon_button_caption");
  controls_test::SaveToGallery(iconOnly, "icon_button_icon_only");
}

// The process's GDI or USER objects (GR_GDIOBJECTS, GR_USEROBJECTS); -1 where the platform does
// not count them (Wine answers ERROR_CALL_NOT_IMPLEMENTED).
long GuiObjects(DWORD kind) {
  ::SetLastError(0);
  const DWORD count = ::GetGuiResources(::GetCurrentProcess(), kind);
  return count == 0 && ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? -1 : static_cast<long>(count);
}

// Whether the icon handle still names an icon; frees the copies that asking makes.
bool IconAlive(HICON icon) {
  ICONINFO info = {};
  if (!::GetIconInfo(icon, &info)) return false;
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  return true;
}

TEST(IconButtonWindow, ReplacingTheIconFreesTheOldOne) {
  HostWindow host;
  CSXButton button;
  ASSERT_TRUE(button.SubclassWindow(MakeChild(host, L"BUTTON", L"&Help", BS_OWNERDRAW, CRect(10, 10, 130, 40), 1000)));
  ASSERT_TRUE(button.SetIcon(1162));
  Repaint(button);
  Pump();
  const long gdiBefore = GuiObjects(GR_GDIOBJECTS);
  const long userBefore = GuiObjects(GR_USEROBJECTS);
  std::vector<HICON> replaced;
  for (int i = 0; i < 50; ++i) {
    replaced.push_back(button.Icon());
    ASSERT_TRUE(button.SetIcon(1162));
    ASSERT_NE(button.Icon(), replaced.back()) << "each load is a new icon";
    Repaint(button);
  }
  Pump();
  if (gdiBefore >= 0 && userBefore >= 0) {
    EXPECT_LE(GuiObjects(GR_GDIOBJECTS), gdiBefore) << "GDI objects grew over 50 replacements";
    EXPECT_LE(GuiObjects(GR_USEROBJECTS), userBefore) << "USER objects grew over 50 replacements";
  } else {
    std::printf("GetGuiResources counts nothing here; the replaced icons' handles are checked instead\n");
  }
  for (size_t i = 0; i < replaced.size(); ++i) EXPECT_FALSE(IconAlive(replaced[i])) << "replaced icon " << i << " lives on";
  EXPECT_TRUE(IconAlive(button.Icon()));
}

TEST(FontStaticWindow, BigDigitsOnTheButtonFace) {
  HostWindow host;
  CFontStatic label;
  ASSERT_TRUE(label.SubclassWindow(MakeChild(host, L"STATIC", L"7&", SS_LEFT, CRect(10, 10, 300, 220), 1119)));
  EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);
  label.SetFace(L"Arial Bold", 180, RGB(0, 0, 0), 0);
  label.Invalidate(true);
  Pump();
  const auto pixels = controls_test::Capture(label);
  controls_test::SaveToGallery(label, "font_static_number");
  EXPECT_EQ(pixels.At(289, 5), ::GetSysColor(COLOR_BTNFACE));
  int top = -1;
  int bottom = -1;
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x)
      if (pixels.At(x, y) == RGB(0, 0, 0)) {
        if (top < 0) top = y;
        bottom = y;
      }
  ASSERT_GE(top, 0) << "no text drawn";
  EXPECT_GT(bottom - top, 90);  // digits of a 180-pixel font
}

TEST(PictureBoxWindow, WhiteWithoutAPictureAndTheBitmapAtTheTopLeft) {
  HostWindow host;
  CPictureBoxFile box;
  ASSERT_TRUE(box.SubclassWindow(MakeChild(host, L"STATIC", L"", SS_LEFT, CRect(10, 10, 60, 40), 1200)));
  auto allWhite = [](const controls_test::Pixels& p) {
    for (COLORREF c : p.data)
      if (c != RGB(255, 255, 255)) return false;
    return true;
  };
  box.Invalidate(true);
  Pump();
  EXPECT_TRUE(allWhite(controls_test::Capture(box)));  // empty path

  box.SetBitmapFile(L"Z:" CORVANE_SOURCE_DIR L"/no/such/picture.bmp");
  Pump();
  EXPECT_FALSE(box.HasPicture());
  EXPECT_TRUE(allWhite(controls_test::Capture(box)));  // nothing loaded: white, not stale memory
  controls_test::SaveToGallery(box, "picture_box_not_loaded");

  const std::wstring arrow = L"Z:" CORVANE_SOURCE_DIR L"/resources/images/134.bmp";
  box.SetBitmapFile(arrow);
  Pump();
  auto pixels = controls_test::Capture(box);
  EXPECT_EQ(pixels.At(4, 0), RGB(0, 0, 0));        // the arrow's tip, at the top-left corner
  EXPECT_EQ(pixels.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(pixels.At(30, 20), RGB(255, 255, 255)); // beyond the 9 by 5 picture
  controls_test::SaveToGallery(box, "picture_box_arrow");

  box.SetBitmapFile(L"Z:" CORVANE_SOURCE_DIR L"/no/such/picture.bmp");  // keeps the previous one
  Pump();
  EXPECT_EQ(controls_test::Capture(box).At(4, 0), RGB(0, 0, 0));
}

TEST(BoldFont, GivesTheWindowItsFontInBold) {
  HostWindow host;
  HWND label = MakeChild(host, L"STATIC", L"Bold", SS_LEFT, CRect(10, 10, 100, 30), 1300);
  ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  SetBoldFont(label);
  LOGFONTW font = {};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)), sizeof(font), &font);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
}
