// The preview window's rules: stepping through the pages (First, Previous, Next,
// Last), which step buttons are enabled, the "Page p/P" text and whether it changes
// before or after the page is drawn, and where the paper sits in the window. Page 0
// means that no page is shown yet; the window opens with a Next to page 1. Geometry
// is in twips of the window's inside, the paper keeping the sheet's proportions.
#pragma once

#include <QString>

namespace tessaly {

// What a step command asks of the window: the page to draw (0 when the command does
// nothing), and whether "Page p/P" is shown before the drawing (Next) or after it.
struct PreviewStep {
  int page = 0;
  bool text_before_drawing = false;
};

class PreviewNavigation {
 public:
  explicit PreviewNavigation(int page_count);

  PreviewStep Next();
  PreviewStep Previous();
  // First goes to page 1 and Last to the last page, as a Previous from page 2 and a
  // Next from the page before the last; each does nothing when already there.
  PreviewStep First();
  PreviewStep Last();

  int Page() const { return page_; }
  int PageCount() const { return page_count_; }
  bool PreviousEnabled() const { return page_ >= 2; }
  bool NextEnabled() const { return page_ < page_count_; }
  // "Page p/P"; empty before the first page.
  QString PagesText() const;

 private:
  int page_ = 0;
  int page_count_ = 0;
};

// A rectangle in twips of the preview window's inside.
struct TwipsRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

struct PreviewWindowPlacement {
  TwipsRect button_bar;
  TwipsRect paper;
};

// The button bar along the top (slightly outside the window's edges, so that only
// its lower edge shows) and the paper below it as high as the window allows, or as
// wide when the sheet's proportions make it too wide, centred across.
PreviewWindowPlacement PlacePreviewWindow(double inner_width, double inner_height,
                                          double bar_height, double paper_width_mm,
                                          double paper_height_mm);

}  // namespace tessaly
