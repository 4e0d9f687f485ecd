// The scrolling graph's data: its value series, their range, and the grid's phase. The window
// only draws what this model hands it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <deque>
#include <vector>

class PushGraphLine {
 public:
  PushGraphLine(int id, COLORREF colour) : colour_(colour), id_(id) {}
  COLORREF Colour() const { return colour_; }
  int Id() const { return id_; }
  // Offsets above the minimum, oldest first.
  const std::deque<int>& Values() const { return values_; }

 private:
  friend class PushGraphModel;
  COLORREF colour_;
  int id_;
  std::deque<int> values_;
  size_t droppedSinceAdvance_ = 0;  // trimmed at a push, still owed to the grid's next scroll
};

class PushGraphModel {
 public:
  static constexpr int kUncounted = -1;

  bool AddSeries(int id, COLORREF colour);
  // Removes the last-added series with the id; nothing when none has it.
  void RemoveSeries(int id);
  // Appends the value, clamped to the range, to the last-added series with the id. Trims the series
  // to what fits across the plot at once, so a graph that is never painted stays bounded.
  bool PushValue(int value, int id);

  // Moves the grid's phase by the values that scrolled in since the last advance.
  void Advance();

  // Counts the values that fit across a plot width (at least 1) when not counted yet.
  void CountVisiblePoints(int plotWidth);
  // Pads the shorter series to the longest one's length and drops what no longer fits.
  // Returns false when there is nothing to draw.
  bool PrepareForPaint(int plotWidth);

  // y of a stored offset on a plot of the given height; in 64 bits so big ranges do not overflow.
  int PointY(int offset, int height) const;

  const std::vector<PushGraphLine>& Series() const { return series_; }

  int Maximum() const { return maximum_; }
  int Minimum() const { return minimum_; }
  void SetMaximum(int value) { maximum_ = value; }
  void SetMinimum(int value) { minimum_ = value; }
  int GridSize() const { return gridSize_; }
  unsigned short LineInterval() const { return lineInterval_; }
  // Zero would divide the plot by nothing (and loop the grid for ever): refused, false.
  bool SetGridSize(int pixels);
  bool SetLineInterval(unsigned short pixels);
  int GridOffset() const { return gridOffset_; }
  int VisiblePointCount() const { return visiblePoints_; }
  void SetVisiblePointCount(int count) { visiblePoints_ = count; }

 private:
  PushGraphLine* LastWithId(int id);
  size_t LongestSeries() const;
  static void TrimTo(PushGraphLine& line, size_t keep);

  std::vector<PushGraphLine> series_;
  int maximum_ = 100;
  int minimum_ = 0;
  int gridSize_ = 15;
  unsigned short lineInterval_ = 2;
  int gridOffset_ = 0;
  int visiblePoints_ = kUncounted;
};
