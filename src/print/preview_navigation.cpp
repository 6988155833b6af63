// Page stepping and the preview window's placement.
#include "print/preview_navigation.h"

#include <QCoreApplication>
#include <algorithm>

namespace tessaly {
namespace {

// The button bar starts this far outside the window's left and top edges and is
// this much wider than the window.
constexpr double kBarLeft = -50;
constexpr double kBarTop = -40;
constexpr double kBarExtraWidth = 30;
// Gap between the bar and the paper, room kept below the paper, and the least room
// kept across when the paper is limited by the window's width.
constexpr double kPaperGap = 20;
constexpr double kRoomBelow = 300;
constexpr double kRoomAcross = 200;

}  // namespace

PreviewNavigation::PreviewNavigation(int page_count) : page_count_(std::max(page_count, 0)) {}

PreviewStep PreviewNavigation::Next() {
  if (!NextEnabled()) return {};
  ++page_;
  return {page_, true};
}

PreviewStep PreviewNavigation::Previous() {
  if (!PreviousEnabled()) return {};
  --page_;
  return {page_, false};
}

PreviewStep PreviewNavigation::First() {
  if (page_ < 2) return {};
  page_ = 2;
  return Previous();
}

PreviewStep PreviewNavigation::Last() {
  if (page_count_ < 2 || page_ >= page_count_) return {};
  page_ = page_count_ - 1;
  return Next();
}

QString PreviewNavigation::PagesText() const {
  if (page_ == 0) return QString();
  return QCoreApplication::translate("Tessaly", "Page %1/%2").arg(page_).arg(page_count_);
}

PreviewWindowPlacement PlacePreviewWindow(double inner_width, double inner_height,
                                          double bar_height, double paper_width_mm,
                                          double paper_height_mm) {
  PreviewWindowPlacement placement;
  placement.button_bar = {kBarLeft, kBarTop, inner_width + kBarExtraWidth, bar_height};
  TwipsRect& paper = placement.paper;
  paper.top = kBarTop + bar_height + kPaperGap;
  paper.height = inner_height - bar_height - kRoomBelow;
  paper.width = paper.height * paper_width_mm / paper_height_mm;
  if (paper.width >= inner_width) {
    paper.width = inner_width - kRoomAcross;
    paper.height = paper.width * paper_height_mm / paper_width_mm;
  }
  paper.left = (inner_width - paper.width) / 2;
  return placement;
}

}  // namespace tessaly
