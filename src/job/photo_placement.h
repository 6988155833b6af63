// Where a photo, its label, its frame and its cut marks go, in the target's pixels:
// on a printed page (and its preview) inside a page cell, and on a saved file around
// the photo's own pixels. Pure arithmetic: every length is millimetres times the
// pixels per millimetre, taken to the nearest integer with halves to even. The label
// sits in the margin from a 3.5 mm margin on, where a frame may also be drawn; a
// framed label moves 0.5 mm away from the photo. The rest differs between the two.
#pragma once

#include <cstdint>

namespace tessaly {

// The frame's grey, RGB(90, 90, 90).
inline constexpr std::uint32_t kFrameColour = 0x5A5A5A;

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PixelRect&) const = default;
};

// True when a job margin of `margin` mm puts the label in the margin.
bool LabelInMargin(double margin);
// True when a frame is drawn for that margin and the frame switch.
bool FrameDrawn(double margin, bool draw_frame);

// A cell of the page (mm from the printable area's corner).
struct CellMm {
  double x0 = 0;
  double y0 = 0;
  double x1 = 0;
  double y1 = 0;
};

struct PrintedPlacementInput {
  CellMm cell;
  double photo_margin = 0;  // the photo's own margin inside the cell (mm)
  double job_margin = 0;    // the job's photo margin (mm)
  double px_x = 0;          // pixels per mm of the target
  double px_y = 0;
  // A preview draws on the whole sheet: everything moves by the printable area's
  // offset (mm); its frame is one pixel wide and its cut marks reach the cell's edges.
  bool preview = false;
  double offset = 0;
  // A contact-sheet thumbnail keeps its width ÷ height `aspect` inside the cell.
  bool contact_sheet = false;
  double aspect = 1;
  bool turned = false;  // the photo was turned to its cell; the label runs upwards
  int font_px = 0;      // the label's font height
  bool draw_frame = false;
  bool draw_cut_marks = false;
};

struct PrintedPlacement {
  // The photo's rectangle as left, top, width and height.
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  int label_x = 0;
  int label_y = 0;
  bool framed = false;
  int frame_pen = 0;
  PixelRect frame;
  // The cut rectangle before it is joined to its neighbour (SnapCutMarks).
  bool cut_marks = false;
  PixelRect cut;
};

// The label's font height on a printed page; the preview's is 1.1 times larger.
int PrintedLabelFontPixels(double font_points, double px_y, bool preview);
PrintedPlacement PlacePrintedPhoto(const PrintedPlacementInput& in);

// A cut-mark edge joined to the previous photo's cut rectangle on the page: a
// negative edge becomes 0; an edge within 3 pixels of the previous far edge (right or
// bottom) takes it, else one within 3 pixels of the previous near edge takes that.
int SnapCutEdge(int edge, int previous_far, int previous_near);
// The cut rectangle `next` with its left and top edges joined to `previous`.
PixelRect SnapCutMarks(PixelRect next, const PixelRect& previous);

struct SavedPlacement {
  bool framed = false;
  int frame_pen = 0;
  PixelRect frame;
  int label_x = 0;
  int label_y = 0;
};

// The label's font height on a saved file of `ppm` pixels per mm.
int SavedLabelFontPixels(double font_points, double ppm);
// Frame and label on a saved file `width` × `height` pixels whose photo is surrounded
// by a `margin` mm margin.
SavedPlacement PlaceSavedPhoto(double width, double height, double margin, double ppm, int font_px,
                               bool draw_frame);

}  // namespace tessaly
