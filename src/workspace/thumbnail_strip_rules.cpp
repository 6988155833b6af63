#include "workspace/thumbnail_strip_rules.h"

#include <algorithm>
#include <cmath>

namespace tessaly {

QString TumbLabelText(int number) {
  const QString digits = QString::number(number);
  return number < 10 ? QLatin1Char(' ') + digits + QLatin1Char(' ') : digits;
}

int TumbAt(int x, int cell) {
  if (cell <= 0 || x < kTumbFirstLeft) return -1;
  const int offset = x - kTumbFirstLeft;
  return offset % TumbPitch(cell) < cell ? offset / TumbPitch(cell) : -1;
}

int VisibleTumbs(int width, int cell) {
  if (cell <= 0) return 1;
  return std::max(1, (width - kTumbFirstLeft + kTumbGap) / TumbPitch(cell));
}

QRect TumbPictureRect(int width, int height, int cell) {
  if (width <= 0 || height <= 0 || cell <= 0) return QRect(0, 0, cell, cell);
  // The shorter side keeps at least one pixel, however long and thin the picture.
  if (height < width) {
    const double ratio = static_cast<double>(height) / width;
    const int side = std::max(1, static_cast<int>(std::lround(ratio * cell)));
    const int top = static_cast<int>(std::lround((1 - ratio) * cell / 2));
    return QRect(0, std::min(top, cell - side), cell, side);
  }
  const double ratio = static_cast<double>(width) / height;
  const int side = std::max(1, static_cast<int>(std::lround(ratio * cell)));
  const int left = static_cast<int>(std::lround((1 - ratio) * cell / 2));
  return QRect(std::min(left, cell - side), 0, side, cell);
}

int ThumbnailStripState::Add(int visible) {
  ++count_;
  active_ = count_ - 1;
  if (!FullyVisible(active_, visible)) SetScroll(active_ - visible + 1);
  return active_;
}

bool ThumbnailStripState::Activate(int position) {
  if (position < 0 || position >= count_) return false;
  active_ = position;
  return true;
}

int ThumbnailStripState::RemoveCurrent() {
  if (active_ < 0) return -1;
  const int removed = active_;
  --count_;
  if (count_ == 0) {
    active_ = -1;
  } else if (active_ == count_) {
    active_ = count_ - 1;
  }
  SetScroll(scroll_);
  return removed;
}

bool ThumbnailStripState::Next(int visible) {
  if (active_ < 0 || active_ >= count_ - 1) return false;
  ++active_;
  if (!FullyVisible(active_, visible)) SetScroll(active_ - visible + 1);
  return true;
}

bool ThumbnailStripState::Previous(int visible) {
  if (active_ <= 0) return false;
  --active_;
  if (!FullyVisible(active_, visible)) SetScroll(active_);
  return true;
}

void ThumbnailStripState::Center(int visible) {
  SetScroll(active_ - visible / 2);
}

void ThumbnailStripState::SetScroll(int value) {
  scroll_ = std::clamp(value, 0, ScrollMaximum());
}

bool ThumbnailStripState::FullyVisible(int position, int visible) const {
  return scroll_ <= position && position <= scroll_ + visible - 1;
}

}  // namespace tessaly
