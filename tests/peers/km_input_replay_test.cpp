#include "peers/km_input_replay.h"

#include <gtest/gtest.h>

#include "peers/lan_message.h"
#include "platform/scan_code_input.h"

namespace {

struct KeyInput {
  WORD scan;
  DWORD flags;
};

std::vector<KeyInput> Keys(const std::vector<INPUT>& inputs) {
  std::vector<KeyInput> keys;
  for (const INPUT& input : inputs) {
    EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_KEYBOARD));
    EXPECT_EQ(input.ki.wVk, 0) << "the scan code alone says which key";
    keys.push_back({input.ki.wScan, input.ki.dwFlags});
  }
  return keys;
}

bool operator==(const KeyInput& a, const KeyInput& b) { return a.scan == b.scan && a.flags == b.flags; }
std::ostream& operator<<(std::ostream& out, const KeyInput& k) {
  return out << "{0x" << std::hex << k.scan << ", 0x" << k.flags << std::dec << "}";
}

constexpr DWORD kScan = KEYEVENTF_SCANCODE;
constexpr DWORD kUp = KEYEVENTF_KEYUP;
constexpr DWORD kExt = KEYEVENTF_EXTENDEDKEY;

TEST(KmKeyReplay, EachKeyActionAndFlag) {
  struct {
    const char* what;
    uint8_t action;
    uint16_t scan;
    uint8_t flags;
    std::vector<KeyInput> inputs;
  } cases[] = {
      {"press", kKeyDown, 0x1E, 0, {{0x1E, kScan}}},
      {"release", kKeyUp, 0x1E, 0, {{0x1E, kScan | kUp}}},
      {"extended press (right Ctrl)", kKeyDown, 0x1D, 1, {{0x1D, kScan | kExt}}},
      {"extended release", kKeyUp, 0x4B, 1, {{0x4B, kScan | kExt | kUp}}},
      {"only bit 0 of the flags counts", kKeyDown, 0x10, 0xFE, {{0x10, kScan}}},
      {"an unknown action presses", 7, 0x10, 0, {{0x10, kScan}}},
      {"release all: both Ctrl, both Alt, both Shift, both Windows keys", kKeyReleaseAll, 0, 0,
       {{0x1D, kScan | kUp}, {0x38, kScan | kUp}, {0x1D, kScan | kUp | kExt}, {0x38, kScan | kUp | kExt},
        {0x2A, kScan | kUp}, {0x36, kScan | kUp}, {0x5B, kScan | kUp | kExt}, {0x5C, kScan | kUp | kExt}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Keys(KmKeyInputs(c.action, c.scan, c.flags)), c.inputs);
  }
}

TEST(KmKeyReplay, ReturnToLocalReleasesTheModifiersAndBothWindowsKeys) {
  const std::vector<KeyInput> expected = {{0x1D, kScan | kUp}, {0x38, kScan | kUp}, {0x2A, kScan | kUp},
                                          {0x36, kScan | kUp}, {0x5B, kScan | kUp | kExt},
                                          {0x5C, kScan | kUp | kExt}};
  EXPECT_EQ(Keys(KmLocalModifierReleaseInputs()), expected);
}

TEST(KmMouseReplay, EachMouseWord) {
  struct {
    const char* what;
    uint16_t kind;
    int32_t dx, dy;
    DWORD flags;
    LONG wantDx, wantDy;
    DWORD data;
  } cases[] = {
      {"move", kMouseMove, 12, -7, MOUSEEVENTF_MOVE, 12, -7, 0},
      {"left down", kMouseLeftDown, 3, 4, MOUSEEVENTF_LEFTDOWN, 0, 0, 0},
      {"left up", kMouseLeftUp, 0, 0, MOUSEEVENTF_LEFTUP, 0, 0, 0},
      {"right down", kMouseRightDown, 0, 0, MOUSEEVENTF_RIGHTDOWN, 0, 0, 0},
      {"right up", kMouseRightUp, 0, 0, MOUSEEVENTF_RIGHTUP, 0, 0, 0},
      {"wheel one notch away", kMouseWheel, 120, 0, MOUSEEVENTF_WHEEL, 0, 0, 120},
      {"wheel: the low 16 bits of dx as a signed number", kMouseWheel, 0x0000FF88, 0, MOUSEEVENTF_WHEEL, 0, 0,
       static_cast<DWORD>(-120)},
      {"unknown kind: no flags", 9, 5, 5, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const INPUT input = KmMouseInput(c.kind, c.dx, c.dy);
    EXPECT_EQ(input.type, static_cast<DWORD>(INPUT_MOUSE));
    EXPECT_EQ(input.mi.dwFlags, c.flags);
    EXPECT_EQ(input.mi.dx, c.wantDx);
    EXPECT_EQ(input.mi.dy, c.wantDy);
    EXPECT_EQ(input.mi.mouseData, c.data);
  }
}

// Wine types nothing for a scan-code key without a virtual key: the fill-in maps one.
TEST(ScanCodeInputFillIn, VirtualKeyFromTheScanCode) {
  struct {
    const char* what;
    WORD scan;
    DWORD flags;
    WORD vk;
  } cases[] = {
      {"A", 0x1E, kScan, 'A'},
      {"left Ctrl", 0x1D, kScan, VK_LCONTROL},
      {"right Ctrl (extended)", 0x1D, kScan | kExt, VK_RCONTROL},
      {"right Alt (extended)", 0x38, kScan | kExt, VK_RMENU},
      {"left Windows key (extended)", 0x5B, kScan | kExt | kUp, VK_LWIN},
      {"right Windows key (extended)", 0x5C, kScan | kExt, VK_RWIN},
      {"left arrow (extended)", 0x4B, kScan | kExt, VK_LEFT},
      {"not a scan-code input: left alone", 0x1E, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = c.scan;
    input.ki.dwFlags = c.flags;
    FillVirtualKeyFromScanCode(&input);
    EXPECT_EQ(input.ki.wVk, c.vk);
  }
}

}  // namespace
