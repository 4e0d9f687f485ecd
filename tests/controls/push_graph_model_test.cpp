#include "controls/push_graph_model.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace {

std::vector<std::int64_t> ValuesOf(const PushGraphModel& model, size_t series) {
  const auto& values = model.Series().at(series).Values();
  return std::vector<std::int64_t>(values.begin(), values.end());
}

using Offsets = std::vector<std::int64_t>;

}  // namespace

TEST(PushGraphModel, PushClampsToTheRangeAndStoresOffsets) {
  struct Case { int minimum, maximum, pushed; std::int64_t stored; };
  const Case cases[] = {{0, 100, 50, 50}, {0, 100, 250, 100}, {0, 100, -5, 0},
                        {20, 80, 90, 60}, {20, 80, 10, 0},    {-50, 50, 0, 50},
                        // the whole int range: offsets up to 2^32 - 1 need 64 bits
                        {INT_MIN, INT_MAX, INT_MAX, 4294967295LL}, {INT_MIN, INT_MAX, 0, 2147483648LL},
                        {INT_MIN, INT_MAX, INT_MIN, 0}};
  for (const auto& c : cases) {
    PushGraphModel model;
    model.SetMinimum(c.minimum);
    model.SetMaximum(c.maximum);
    model.AddSeries(1, 0x0000ff);
    ASSERT_TRUE(model.PushValue(c.pushed, 1));
    EXPECT_EQ(ValuesOf(model, 0), Offsets{c.stored}) << c.pushed;
  }
}

TEST(PushGraphModel, SeriesAreFoundByIdLastAddedFirst) {
  PushGraphModel model;
  model.AddSeries(7, 0);
  model.AddSeries(7, 0);
  EXPECT_FALSE(model.PushValue(1, 8));
  EXPECT_TRUE(model.PushValue(30, 7));
  EXPECT_TRUE(ValuesOf(model, 0).empty());
  EXPECT_EQ(ValuesOf(model, 1), Offsets{30});
  model.RemoveSeries(7);
  ASSERT_EQ(model.Series().size(), 1u);
  EXPECT_TRUE(ValuesOf(model, 0).empty());
  model.RemoveSeries(9);
  EXPECT_EQ(model.Series().size(), 1u);
}

TEST(PushGraphModel, PaintPadsShortSeriesAndAnEmptyOneStartsAtTheMinimum) {
  PushGraphModel model;
  model.SetMinimum(10);
  model.SetMaximum(110);
  model.AddSeries(1, 0);
  model.AddSeries(2, 0);
  model.AddSeries(3, 0);
  for (int v : {20, 30, 40}) model.PushValue(v, 1);
  model.PushValue(60, 2);
  ASSERT_TRUE(model.PrepareForPaint(200));
  EXPECT_EQ(ValuesOf(model, 0), (Offsets{10, 20, 30}));
  EXPECT_EQ(ValuesOf(model, 1), (Offsets{50, 50, 50}));
  EXPECT_EQ(ValuesOf(model, 2), (Offsets{0, 0, 0}));  // offset 0 is the minimum itself
}

TEST(PushGraphModel, NothingToPaintWithoutValues) {
  PushGraphModel model;
  model.AddSeries(1, 0);
  EXPECT_FALSE(model.PrepareForPaint(100));
  EXPECT_TRUE(ValuesOf(model, 0).empty());
}

TEST(PushGraphModel, VisiblePointsFromThePlotWidth) {
  struct Case { int width; unsigned short interval; int count; };
  const Case cases[] = {{100, 2, 52}, {101, 2, 53}, {1, 2, 3}, {0, 2, 2}, {-30, 2, 1}, {10, 5, 4}};
  for (const auto& c : cases) {
    PushGraphModel model;
    ASSERT_TRUE(model.SetLineInterval(c.interval));
    model.CountVisiblePoints(c.width);
    EXPECT_EQ(model.VisiblePointCount(), c.count) << c.width;
  }
}

TEST(PushGraphModel, PaintKeepsOneValueLessThanFits) {
  PushGraphModel model;
  model.AddSeries(1, 0);
  for (int i = 0; i < 20; ++i) model.PushValue(i, 1);
  model.SetVisiblePointCount(5);
  ASSERT_TRUE(model.PrepareForPaint(0));
  EXPECT_EQ(ValuesOf(model, 0), (Offsets{16, 17, 18, 19}));

  model.SetVisiblePointCount(1);  // nothing fits: every series is trimmed to nothing
  model.PrepareForPaint(0);
  EXPECT_TRUE(ValuesOf(model, 0).empty());
}

TEST(PushGraphModel, PushTrimsSoAnUnpaintedGraphStaysBounded) {
  PushGraphModel model;
  model.AddSeries(1, 0);
  model.CountVisiblePoints(100);  // 52 points
  for (int i = 0; i < 10000; ++i) model.PushValue(i % 100, 1);
  EXPECT_EQ(model.Series()[0].Values().size(), 52u);
  EXPECT_EQ(model.Series()[0].Values().back(), 99);
}

TEST(PushGraphModel, AdvanceScrollsTheGridByTheNewValues) {
  PushGraphModel model;  // grid 15, interval 2
  model.AddSeries(1, 0);
  model.SetVisiblePointCount(5);
  struct Step { int pushes; int offset; };
  // Below the visible count nothing scrolls; at it each value moves the grid one interval, also the
  // values that a push trimmed away before the advance.
  const Step steps[] = {{3, 0}, {1, 0}, {1, -2}, {1, -4}, {5, -14}, {1, -1}};
  for (const auto& s : steps) {
    for (int i = 0; i < s.pushes; ++i) model.PushValue(1, 1);
    model.Advance();
    EXPECT_EQ(model.GridOffset(), s.offset);
    model.PrepareForPaint(0);  // an advance always repaints
  }
}

TEST(PushGraphModel, AnUnpaintedGraphScrollsAsAPaintedOne) {
  // A hidden page's graph gets its values and advances but no paint. Its grid must move as the
  // painted one's does: one interval (2) per value that came in, once the plot is full.
  PushGraphModel painted, hidden;
  for (PushGraphModel* model : {&painted, &hidden}) {
    model->AddSeries(1, 0);
    model->AddSeries(2, 0);
    model->CountVisiblePoints(10);  // 7 points
  }
  struct Tick { const char* what; int pushes1, pushes2; int offset; };
  const Tick ticks[] = {
      {"filling", 1, 1, 0}, {"filling", 1, 1, 0}, {"filling", 1, 1, 0},
      {"filling", 1, 1, 0}, {"filling", 1, 1, 0}, {"filling", 1, 1, 0},
      {"full: one interval", 1, 1, -2},
      {"one interval again", 1, 1, -4},
      {"two values in one series: two intervals", 2, 1, -8},
      {"a value in the other series only", 0, 1, -10},
      {"steady", 1, 1, -12}, {"steady", 1, 1, -14},
      {"the phase wraps at the grid size", 1, 1, -1},
  };
  for (const auto& t : ticks) {
    SCOPED_TRACE(t.what);
    for (PushGraphModel* model : {&painted, &hidden}) {
      for (int i = 0; i < t.pushes1; ++i) model->PushValue(10, 1);
      for (int i = 0; i < t.pushes2; ++i) model->PushValue(20, 2);
      model->Advance();
    }
    painted.PrepareForPaint(10);  // the advance's repaint; the hidden graph gets none
    EXPECT_EQ(painted.GridOffset(), t.offset);
    EXPECT_EQ(hidden.GridOffset(), t.offset);
    EXPECT_LE(hidden.Series()[0].Values().size(), 7u);
  }
  // Shown again, it paints what a painted graph shows.
  hidden.PrepareForPaint(10);
  EXPECT_EQ(ValuesOf(hidden, 0), ValuesOf(painted, 0));
  EXPECT_EQ(ValuesOf(hidden, 1), ValuesOf(painted, 1));
}

TEST(PushGraphModel, AdvanceBeforeTheFirstPaintMovesByTheWholeSeries) {
  PushGraphModel model;
  model.AddSeries(1, 0);
  model.PushValue(5, 1);
  model.PushValue(5, 1);
  model.Advance();  // (2 + 2) intervals of 2
  EXPECT_EQ(model.GridOffset(), -8);
}

TEST(PushGraphModel, PointYTable) {
  struct Case { int minimum, maximum; std::int64_t offset; int height, y; };
  const Case cases[] = {
      {0, 100, 0, 80, 80}, {0, 100, 100, 80, 0}, {0, 100, 50, 81, 41},
      {0, INT_MAX, INT_MAX, 1000, 0},            // would overflow 32 bits
      {INT_MIN, INT_MAX, INT_MAX, 1000, 501},    // the range itself needs 64 bits
      {INT_MIN, INT_MAX, 4294967295LL, 1000, 0}, // and so does the top offset
      {5, 5, 0, 100, 100},                       // an empty range draws on the bottom line
  };
  for (const auto& c : cases) {
    PushGraphModel model;
    model.SetMinimum(c.minimum);
    model.SetMaximum(c.maximum);
    EXPECT_EQ(model.PointY(c.offset, c.height), c.y) << c.maximum << " " << c.offset;
  }
}

TEST(PushGraphModel, ZeroLineIntervalOrGridSizeIsRefused) {
  PushGraphModel model;
  EXPECT_FALSE(model.SetLineInterval(0));
  EXPECT_FALSE(model.SetGridSize(0));
  EXPECT_FALSE(model.SetGridSize(-4));
  EXPECT_EQ(model.LineInterval(), 2);
  EXPECT_EQ(model.GridSize(), 15);
  EXPECT_TRUE(model.SetGridSize(20));
  EXPECT_EQ(model.GridSize(), 20);
}
