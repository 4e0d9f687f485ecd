#include "controls/push_graph_model.h"

#include <algorithm>
#include <new>

bool PushGraphModel::AddSeries(int id, GraphColour colour) {
  try {
    series_.emplace_back(id, colour);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

PushGraphLine* PushGraphModel::LastWithId(int id) {
  for (auto it = series_.rbegin(); it != series_.rend(); ++it)
    if (it->id_ == id) return &*it;
  return nullptr;
}

void PushGraphModel::RemoveSeries(int id) {
  for (auto it = series_.end(); it != series_.begin();) {
    --it;
    if (it->id_ == id) {
      series_.erase(it);
      return;
    }
  }
}

bool PushGraphModel::PushValue(int value, int id) {
  PushGraphLine* line = LastWithId(id);
  if (!line) return false;
  const int clamped = std::min(std::max(value, minimum_), maximum_);
  line->values_.push_back(static_cast<std::int64_t>(clamped) - minimum_);
  ++line->pushedSinceAdvance_;
  // What fits across the plot at once, so a graph that is never painted stays bounded; the grid
  // counts the pushes, not what is held.
  if (visiblePoints_ > 0) TrimTo(*line, static_cast<size_t>(visiblePoints_));
  return true;
}

size_t PushGraphModel::LongestSeries() const {
  size_t n = 0;
  for (const auto& line : series_) n = std::max(n, line.values_.size());
  return n;
}

void PushGraphModel::TrimTo(PushGraphLine& line, size_t keep) {
  while (line.values_.size() > keep) line.values_.pop_front();
}

void PushGraphModel::Advance() {
  // n: what the longest series would hold now, had a paint trimmed them since the last advance.
  size_t pushed = 0;
  for (auto& line : series_) {
    pushed = std::max(pushed, line.pushedSinceAdvance_);
    line.pushedSinceAdvance_ = 0;
  }
  const size_t longest = shownLength_ + pushed;
  shownLength_ = visiblePoints_ > 0 ? std::min(longest, static_cast<size_t>(visiblePoints_ - 1)) : longest;
  const long long n = static_cast<long long>(longest);
  if (n < visiblePoints_) return;
  const long long step = (n - visiblePoints_ + 1) * lineInterval_;
  gridOffset_ = static_cast<int>((gridOffset_ - step) % gridSize_);
}

void PushGraphModel::CountVisiblePoints(int plotWidth) {
  if (visiblePoints_ != kUncounted) return;
  int count = plotWidth / lineInterval_;
  if (plotWidth % lineInterval_ != 0) ++count;
  count += 2;
  visiblePoints_ = count > 0 ? count : 1;
}

bool PushGraphModel::PrepareForPaint(int plotWidth) {
  CountVisiblePoints(plotWidth);
  const size_t n = LongestSeries();
  if (n == 0) return false;
  for (auto& line : series_) {
    if (line.values_.empty()) line.values_.push_back(0);  // the minimum, as an offset
    while (line.values_.size() < n) line.values_.push_back(line.values_.back());
    TrimTo(line, static_cast<size_t>(visiblePoints_ - 1));
    line.pushedSinceAdvance_ = 0;  // what is held now is the whole count
  }
  shownLength_ = series_.front().values_.size();
  return true;
}

int PushGraphModel::PointY(std::int64_t offset, int height) const {
  const int64_t range = std::max<int64_t>(1, static_cast<int64_t>(maximum_) - minimum_);
  return static_cast<int>(height - static_cast<int64_t>(height) * offset / range);
}

bool PushGraphModel::SetGridSize(int pixels) {
  if (pixels <= 0) return false;
  gridSize_ = pixels;
  return true;
}

bool PushGraphModel::SetLineInterval(unsigned short pixels) {
  if (pixels == 0) return false;
  lineInterval_ = pixels;
  return true;
}
