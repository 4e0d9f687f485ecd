// The binding modes and the snapshot text: lines, their limits and the tokeniser.
#include "adapters/binding_rules.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

const char* ActionName(BindingAction action) {
  switch (action) {
    case BindingAction::kEnable: return "enable";
    case BindingAction::kDisable: return "disable";
    default: return "leave";
  }
}

TEST(BindingModes, TheModeTable) {
  using A = BindingAction;
  struct Case {
    int mode;
    bool xp;
    const wchar_t* component;
    BindingAction action;
  } cases[] = {
      {0, false, L"ms_tcpip", A::kEnable},    {0, false, L"qvxproto", A::kLeave},
      {0, true, L"ms_tcpip", A::kEnable},     {1, false, L"ms_tcpip", A::kEnable},
      {1, false, L"ms_smb", A::kEnable},      {1, false, L"ms_tcpip6", A::kEnable},
      {1, false, L"ms_lltdio", A::kEnable},   {1, false, L"ms_rspndr", A::kEnable},
      {1, false, L"ms_ndisuio", A::kEnable},  {1, false, L"ms_pppoe", A::kEnable},
      {1, false, L"qvxproto", A::kLeave},     {1, false, L"MS_TCPIP", A::kLeave},
      {1, true, L"ms_tcpip", A::kLeave},      {1, true, L"ms_netbt", A::kEnable},
      {1, true, L"ms_ndisuio", A::kEnable},   {1, true, L"ms_pppoe", A::kEnable},
      {1, true, L"ms_smb", A::kLeave},        {2, false, L"qvxproto", A::kEnable},
      {2, false, L"QVXPROTO", A::kEnable},    {2, false, L"ms_tcpip", A::kDisable},
      {2, true, L"ms_pppoe", A::kDisable},    {3, false, L"ms_pppoe", A::kEnable},
      {3, false, L"ms_tcpip", A::kDisable},   {3, false, L"qvxproto", A::kDisable},
      {4, false, L"qvxproto", A::kDisable},   {4, false, L"QvxProto", A::kDisable},
      {4, false, L"ms_tcpip", A::kLeave},     {5, false, L"qvxproto", A::kLeave},
      {-1, false, L"ms_tcpip", A::kLeave},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << (c.xp ? " XP " : " later ")
                                    << std::string(c.component, c.component + std::wcslen(c.component)));
    EXPECT_STREQ(ActionName(c.action), ActionName(DecideBinding(c.mode, c.xp, c.component)));
  }
}

TEST(BindingText, LinesAndTheirLimits) {
  EXPECT_EQ(L"ms_tcpip ms_tcpip->root\\net\\0000 1\n", BindingLine(L"ms_tcpip", L"root\\net\\0000", true));
  EXPECT_EQ(L"qvxproto qvxproto->pci\\ven_8086 0\n", BindingLine(L"qvxproto", L"pci\\ven_8086", false));

  std::wstring text;
  EXPECT_FALSE(AppendBindingLine(text, BindingLine(L"ms_tcpip", std::wstring(240, L'p'), true)))
      << "a line beyond 255 characters is dropped";
  EXPECT_TRUE(text.empty());

  const std::wstring line = BindingLine(L"ms_tcpip", std::wstring(90, L'p'), true);  // 112 characters
  int appended = 0;
  while (AppendBindingLine(text, line)) ++appended;
  EXPECT_EQ(18, appended);  // 18 * 112 = 2016; one more would reach 2128
  EXPECT_LT(text.size() + 1, kBindingTextUnits);
}

TEST(BindingText, TokensInThrees) {
  struct Case {
    const char* what;
    std::wstring text;
    size_t pairs;
    const wchar_t* lastComponent;
    const wchar_t* lastToken;
  } cases[] = {
      {"two lines", L"ms_tcpip ms_tcpip->root\\net\\0000 1\nqvxproto qvxproto->root\\net\\0000 0\n", 2, L"qvxproto",
       L"qvxproto->root\\net\\0000"},
      {"runs of separators", L"a\r\n  a->x 1\r\n\r\nb b->y  0\r\n", 2, L"b", L"b->y"},
      {"NUL as separator", std::wstring(L"a a->x 1\0b b->y 0", 17), 2, L"b", L"b->y"},
      {"trailing pair without state", L"a a->x 1\nb b->y", 1, L"a", L"a->x"},
      {"lone id", L"a", 0, nullptr, nullptr},
      {"empty", L"", 0, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto pairs = ParseBindingText(c.text);
    ASSERT_EQ(c.pairs, pairs.size());
    if (c.pairs) {
      EXPECT_EQ(c.lastComponent, pairs.back().componentId);
      EXPECT_EQ(c.lastToken, pairs.back().token);
    }
  }
}

TEST(BindingText, AtMost32PairsWithATrailingPair) {
  std::wstring text;
  for (int i = 0; i < 40; ++i) text += BindingLine(L"c" + std::to_wstring(i), L"dev", true);
  text += L"extra extra->dev";
  const auto pairs = ParseBindingText(text);
  ASSERT_EQ(kMaxBindingPairs, pairs.size());
  EXPECT_EQ(L"c0", pairs.front().componentId);
  EXPECT_EQ(L"c31", pairs.back().componentId);
  EXPECT_EQ(L"c31->dev", pairs.back().token);
}

}  // namespace
