// Photo, label, frame and cut-mark rectangles computed by hand for a few printed and
// previewed cells, halves to even included, and the joining of cut marks to a
// neighbour's. Saved files are drawn and compared in the save pipeline's test.
#include "job/photo_placement.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tessaly {
namespace {

TEST(PhotoPlacement, PrintedCellsByHand) {
  // The fields every case sets; the flags are the frame and the cut marks.
  const auto input = [](CellMm cell, double photo_margin, double job_margin, double px, int font_px,
                        bool frame, bool cut) {
    PrintedPlacementInput in;
    in.cell = cell;
    in.photo_margin = photo_margin;
    in.job_margin = job_margin;
    in.px_x = in.px_y = px;
    in.font_px = font_px;
    in.draw_frame = frame;
    in.draw_cut_marks = cut;
    return in;
  };
  const PrintedPlacementInput framed_page = input({5, 5, 45, 65}, 2, 4, 4, 12, true, true);
  PrintedPlacementInput preview_thumb = input({0, 0, 30, 20}, 1, 3.2, 4, 10, true, true);
  preview_thumb.preview = preview_thumb.contact_sheet = true;
  preview_thumb.offset = 5;
  preview_thumb.aspect = 1.5;
  PrintedPlacementInput turned_inner = input({0, 0, 40, 30}, 1, 3.2, 10, 30, true, false);
  PrintedPlacementInput turned_halves =
      input({0.25, 0.25, 40.25, 30.25}, 0, 3.5, 10, 0, true, true);
  turned_inner.turned = turned_halves.turned = true;

  const std::tuple<const char*, PrintedPlacementInput, PrintedPlacement> cases[] = {
      // Label under the photo's bottom-right corner, dropped 0.5 mm by the frame;
      // frame 0.4 mm out at the top-left and 0.3 mm at the bottom-right.
      {"framed page",
       framed_page,
       {28, 28, 144, 224, 172, 254, true, 1, {26, 26, 173, 253}, true, {20, 20, 178, 258}}},
      // Shifted by the offset, centred thumbnail, label 5 mm inside the photo, no
      // frame below a 3.5 mm margin, cut marks on the cell's edges.
      {"preview thumbnail",
       preview_thumb,
       {24, 36, 112, 48, 116, 54, false, 0, {}, true, {20, 20, 140, 100}}},
      // A turned label inside the photo: 5 mm and a font height from its right edge,
      // 5 mm below its top.
      {"turned, inner label", turned_inner, {10, 10, 380, 280, 310, 60, false, 0, {}, false, {}}},
      // 2.5 rounds to 2: the turned label moves right, away from the photo.
      {"turned, halves",
       turned_halves,
       {2, 2, 400, 300, 407, 2, true, 2, {-2, -2, 405, 305}, true, {2, 2, 400, 300}}},
  };
  for (const auto& [name, in, want] : cases) {
    SCOPED_TRACE(name);
    const PrintedPlacement got = PlacePrintedPhoto(in);
    EXPECT_EQ(std::tuple(got.x, got.y, got.w, got.h, got.label_x, got.label_y, got.framed),
              std::tuple(want.x, want.y, want.w, want.h, want.label_x, want.label_y, want.framed));
    if (want.framed) {
      EXPECT_EQ(std::pair(got.frame_pen, got.frame), std::pair(want.frame_pen, want.frame));
    }
    EXPECT_EQ(std::pair(got.cut_marks, got.cut), std::pair(want.cut_marks, want.cut));
  }
  EXPECT_EQ(PrintedLabelFontPixels(10, 4, false), 14);
  EXPECT_EQ(PrintedLabelFontPixels(10, 4, true), 15);
}

TEST(CutMarks, NeighboursWithinThreePixelsShareALine) {
  EXPECT_EQ(SnapCutEdge(161, 158, 0), 158);  // 3 apart: joins
  EXPECT_EQ(SnapCutEdge(162, 158, 0), 162);  // 4 apart: stays
  EXPECT_EQ(SnapCutEdge(2, 158, 0), 0);      // near the previous near edge
  EXPECT_EQ(SnapCutEdge(-1, 158, 0), 0);
  EXPECT_EQ(SnapCutEdge(155, 158, 156), 158);  // the far edge is tried first
  EXPECT_EQ(SnapCutMarks({161, 2, 300, 200}, {20, 0, 158, 90}), (PixelRect{158, 0, 300, 200}));
}

}  // namespace
}  // namespace tessaly
