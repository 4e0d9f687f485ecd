// The scrolling graph as a real window: it takes its placeholder's place and draws its grid and
// series off-screen into one copy.
#include <gtest/gtest.h>

#include "controls/push_graph.h"
#include "tests/controls/window_test_support.h"

using controls_test::HostWindow;
using controls_test::Pump;

TEST(PushGraphWindow, ReplacesItsPlaceholderAndDrawsGridAndSeries) {
  HostWindow host;
  HWND placeholder = ::CreateWindowExW(WS_EX_STATICEDGE, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 90, host,
                                       reinterpret_cast<HMENU>(1023), ::GetModuleHandleW(nullptr), nullptr);
  C2DPushGraph graph;
  EXPECT_FALSE(graph.ReplaceStatic(4242, &host));
  ASSERT_TRUE(graph.ReplaceStatic(1023, &host));
  EXPECT_FALSE(::IsWindow(placeholder));
  EXPECT_EQ(::GetDlgItem(host, 1023), graph.GetSafeHwnd());
  EXPECT_TRUE(graph.GetExStyle() & WS_EX_STATICEDGE);

  const COLORREF red = RGB(255, 0, 0);
  const COLORREF cyan = RGB(0, 255, 255);
  graph.showGrid = true;
  ASSERT_TRUE(graph.AddSeries(1, red));
  ASSERT_TRUE(graph.AddSeries(2, cyan));
  for (int i = 0; i < 150; ++i) {
    graph.PushValue(100, 1);  // along the top edge
    graph.PushValue(50, 2);
    graph.Advance();
  }
  Pump();
  CRect client;
  graph.GetClientRect(&client);
  const auto pixels = controls_test::Capture(graph);
  controls_test::SaveToGallery(graph, "push_graph_two_series");
  const int h = client.Height();
  EXPECT_EQ(pixels.At(client.Width() - 20, h - 1), RGB(0, 150, 0));   // the bottom grid line
  EXPECT_EQ(pixels.At(client.Width() - 20, 0), red);                 // the full series, at the top
  EXPECT_EQ(pixels.At(client.Width() - 20, h - h * 50 / 100), cyan);  // the half series
  EXPECT_EQ(pixels.At(client.Width() - 21, h - 5), RGB(0, 0, 0));     // the background
  // After 150 pushes the graph keeps only what fits across it.
  EXPECT_LE(graph.Model().Series()[0].Values().size(), static_cast<size_t>(graph.Model().VisiblePointCount()));

  // A graph never painted stays bounded too.
  graph.ShowWindow(SW_HIDE);
  for (int i = 0; i < 5000; ++i) graph.PushValue(i % 100, 1);
  EXPECT_LE(graph.Model().Series()[0].Values().size(), static_cast<size_t>(graph.Model().VisiblePointCount()));

  // A resize recounts at the next paint and drops what no longer fits.
  graph.ShowWindow(SW_SHOW);
  graph.MoveWindow(10, 10, 40, 90);
  Pump();
  graph.GetClientRect(&client);
  EXPECT_EQ(graph.Model().VisiblePointCount(), (client.Width() + 1) / 2 + 2);
  EXPECT_LT(graph.Model().Series()[0].Values().size(), static_cast<size_t>(graph.Model().VisiblePointCount()));
}
