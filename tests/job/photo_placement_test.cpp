// Photo, label, frame and cut-mark rectangles computed by hand for a few printed and
// previewed cells and saved files, halves to even included, and the joining of cut
// marks to a neighbour's.
#include "job/photo_placement.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(PhotoPlacement, PrintedCellsByHand) {
  struct Case {
    const char* name;
    PrintedPlacementInput in;
    PrintedPlacement want;
  };
  PrintedPlacementInput framed_page;
  framed_page.cell = {5, 5, 45, 65};
  framed_page.photo_margin = 2;
  framed_page.job_margin = 4;
  framed_page.px_x = framed_page.px_y = 4;
  framed_page.font_px = 12;
  framed_page.draw_frame = framed_page.draw_cut_marks = true;

  PrintedPlacementInput preview_thumb;
  preview_thumb.cell = {0, 0, 30, 20};
  preview_thumb.photo_margin = 1;
  preview_thumb.job_margin = 3.2;
  preview_thumb.px_x = preview_thumb.px_y = 4;
  preview_thumb.preview = true;
  preview_thumb.offset = 5;
  preview_thumb.contact_sheet = true;
  preview_thumb.aspect = 1.5;
  preview_thumb.font_px = 10;
  preview_thumb.draw_frame = preview_thumb.draw_cut_marks = true;

  PrintedPlacementInput turned_inner;
  turned_inner.cell = {0, 0, 40, 30};
  turned_inner.photo_margin = 1;
  turned_inner.job_margin = 3.2;
  turned_inner.px_x = turned_inner.px_y = 10;
  turned_inner.turned = true;
  turned_inner.font_px = 30;
  turned_inner.draw_frame = true;

  PrintedPlacementInput turned_halves;
  turned_halves.cell = {0.25, 0.25, 40.25, 30.25};
  turned_halves.job_margin = 3.5;
  turned_halves.px_x = turned_halves.px_y = 10;
  turned_halves.turned = true;
  turned_halves.draw_frame = turned_halves.draw_cut_marks = true;

  const Case cases[] = {
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
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PrintedPlacement got = PlacePrintedPhoto(c.in);
    EXPECT_EQ(got.x, c.want.x);
    EXPECT_EQ(got.y, c.want.y);
    EXPECT_EQ(got.w, c.want.w);
    EXPECT_EQ(got.h, c.want.h);
    EXPECT_EQ(got.label_x, c.want.label_x);
    EXPECT_EQ(got.label_y, c.want.label_y);
    EXPECT_EQ(got.framed, c.want.framed);
    if (c.want.framed) {
      EXPECT_EQ(got.frame_pen, c.want.frame_pen);
      EXPECT_EQ(got.frame, c.want.frame);
    }
    EXPECT_EQ(got.cut_marks, c.want.cut_marks);
    EXPECT_EQ(got.cut, c.want.cut);
  }
  EXPECT_EQ(PrintedLabelFontPixels(10, 4, false), 14);
  EXPECT_EQ(PrintedLabelFontPixels(10, 4, true), 15);
}

TEST(PhotoPlacement, SavedFilesByHand) {
  EXPECT_EQ(SavedLabelFontPixels(10, 10), 35);
  // A 5 mm margin at 10 px/mm: frame 0.4 mm outside the photo on every side, label
  // under the photo's corner, dropped 0.5 mm.
  SavedPlacement got = PlaceSavedPhoto(500, 400, 5, 10, 20, true);
  EXPECT_TRUE(got.framed);
  EXPECT_EQ(got.frame_pen, 2);
  EXPECT_EQ(got.frame, (PixelRect{46, 46, 454, 354}));
  EXPECT_EQ(got.label_x, 450);
  EXPECT_EQ(got.label_y, 355);
  // Below a 3.5 mm margin: no frame, the label 5 mm from the right and 4 mm above the
  // bottom.
  got = PlaceSavedPhoto(500, 400, 3.2, 10, 20, true);
  EXPECT_FALSE(got.framed);
  EXPECT_EQ(got.label_x, 450);
  EXPECT_EQ(got.label_y, 340);
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
