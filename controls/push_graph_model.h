// The scrolling graph's data: its value series, their range, and the grid's phase. The window
// only draws what this model hands it. No platform header: it also builds natively, under the
// sanitizers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

// A colour as the platform packs it: 0x00bbggrr.
using GraphColour = std::uint32_t;

class PushGraphLine {
 public:
  PushGraphLine(int id, GraphColour colour) : colour_(colour), id_(id) {}
  GraphColour Colour() const { return colour_; }
  int Id() const { return id_; }
  // Offsets above the minimum, oldest first; 64 bits, as the whole int range does not fit in 32.
  const std::deque<std::int64_t>& Values() const { return values_; }

 private:
  friend class PushGraphModel;
  GraphColour colour_;
  int id_;
  std::deque<std::int64_t> values_;
  size_t pushedSinceAdvance_ = 0;
};

class PushGraphModel {
 public:
  static constexpr int kUncounted = -1;

  bool AddSeries(int id, GraphColour colour);
  // Removes the last-added series with the id; nothing when none has it.
  void RemoveSeries(int id);
  // Appends the value, clamped to the range, to the last-added series with the id. Trims the series
  // to what fits across the plot at once, so a graph that is never painted stays bounded.
  bool PushValue(int value, int id);

  // Moves the grid's phase by the values that scrolled in since the last advance, as a painted
  // graph does also when no paint came in between (a hidden page): one interval per value.
  void Advance();

  // Counts the values that fit across a plot width (at least 1) when not counted yet.
  void CountVisiblePoints(int plotWidth);
  // Pads the shorter series to the longest one's length and drops what no longer fits.
  // Returns false when there is nothing to draw.
  bool PrepareForPaint(int plotWidth);

  // y of a stored offset on a plot of the given height; in 64 bits so big ranges do not overflow.
  int PointY(std::int64_t offset, int height) const;

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
  // What every series holds for the grid's count since the last paint or advance: a paint pads
  // and trims them all to one length; an advance without a paint trims the same way in the count.
  size_t shownLength_ = 0;
};
