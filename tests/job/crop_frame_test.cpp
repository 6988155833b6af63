// Crop frame: hover zones and their order, one drag step of every mode against
// hand-computed rectangles (minimum size, borders, aspect limits), the edge choice,
// random pointer sequences that must keep the invariants, the largest centred frame
// at its tolerances, quarter turns checked against really turned pixels, the
// orientation toggle, the print resolution and the rounded corners.
#include "job/crop_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <set>
#include <vector>

#include "edits/quarter_turn.h"

namespace tessaly {
namespace {

// A 600 × 400 pixel picture in twips.
constexpr double kWide = 9000;
constexpr double kTall = 6000;

CropFrame Frame(double scale_width, double scale_height, double aspect, CropRect rect) {
  CropFrame frame;
  frame.SetScale(scale_width, scale_height);
  frame.SetAspect(aspect);
  frame.SetRect(rect);
  return frame;
}

PointerMoveResult Hover(CropFrame& frame, double x, double y) {
  return frame.PointerMove(false, x, y, true, false, false);
}

PointerMoveResult Drag(CropFrame& frame, double x, double y) {
  return frame.PointerMove(true, x, y, true, false, false);
}

void ExpectRect(const CropRect& actual, const CropRect& expected) {
  EXPECT_FLOAT_EQ(actual.Left, expected.Left);
  EXPECT_FLOAT_EQ(actual.Top, expected.Top);
  EXPECT_FLOAT_EQ(actual.Width, expected.Width);
  EXPECT_FLOAT_EQ(actual.Height, expected.Height);
}

TEST(CropFrame, HoverPicksDragModeAndPointerInOrder) {
  // Rectangle 1500..6000 × 1200..4200 twips.
  struct Case {
    const char* name;
    double x, y;
    int mode;
    ViewPointer pointer;
  };
  const Case cases[] = {
      {"80 left of the left edge, far above", 1420, 100, kDragHorizontal, ViewPointer::SizeAll},
      {"70 right of the right edge, mid-height", 6070, 2700, kDragNone, ViewPointer::Default},
      {"89 inside the left edge", 1589, 2700, kDragHorizontal, ViewPointer::SizeAll},
      {"90 inside the left edge is the move zone", 1590, 2700, kDragMove, ViewPointer::Hand},
      {"59 inside the right edge", 5941, 2700, kDragHorizontal, ViewPointer::SizeAll},
      {"60 inside the right edge is the move zone", 5940, 2700, kDragMove, ViewPointer::Hand},
      {"59 right of the right edge, far below", 6059, 9999, kDragHorizontal, ViewPointer::SizeAll},
      {"89 above the top edge", 3000, 1111, kDragVertical, ViewPointer::SizeAll},
      {"90 above the top edge", 3000, 1110, kDragNone, ViewPointer::Default},
      {"59 below the bottom edge", 3000, 4259, kDragVertical, ViewPointer::SizeAll},
      {"60 below the bottom edge", 3000, 4260, kDragNone, ViewPointer::Default},
      {"level with the top edge, far left", 100, 1200, kDragVertical, ViewPointer::SizeAll},
      {"the top-left corner resizes horizontally", 1500, 1200, kDragHorizontal,
       ViewPointer::SizeAll},
      {"the bottom-right corner resizes horizontally", 6000, 4200, kDragHorizontal,
       ViewPointer::SizeAll},
      {"above the rectangle, between its sides", 3000, 500, kDragNone, ViewPointer::Default},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CropFrame frame = Frame(kWide, kTall, 2.0 / 3.0, {1500, 1200, 4500, 3000});
    const PointerMoveResult result = Hover(frame, c.x, c.y);
    EXPECT_EQ(frame.DragMode(), c.mode);
    EXPECT_TRUE(result.pointer_changed);
    EXPECT_EQ(result.pointer, c.pointer);
    EXPECT_FALSE(result.resolution_changed);
  }
}

TEST(CropFrame, DisabledContactSheetAndPipetteStopTheInteraction) {
  // A blocked move must neither change the mode nor store the pointer position: the
  // drag afterwards moves by its offset from the hover at (3000, 2000).
  struct Case {
    const char* name;
    bool enabled, white_balance, thumb_mode;
    bool pointer_changed;
    ViewPointer pointer;
  };
  const Case cases[] = {
      {"job without photos", false, false, false, false, ViewPointer::Default},
      {"white-balance pick", true, true, false, true, ViewPointer::Pipette},
      {"contact sheet", true, false, true, false, ViewPointer::Default},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CropFrame frame = Frame(kWide, kTall, 0.5, {1500, 1200, 4500, 2250});
    Hover(frame, 3000, 2000);
    ASSERT_EQ(frame.DragMode(), kDragMove);
    for (bool held : {false, true}) {
      const PointerMoveResult r =
          frame.PointerMove(held, 1520, 100, c.enabled, c.white_balance, c.thumb_mode);
      EXPECT_EQ(r.pointer_changed, c.pointer_changed);
      EXPECT_EQ(r.pointer, c.pointer);
      EXPECT_FALSE(r.resolution_changed);
      EXPECT_EQ(frame.DragMode(), kDragMove);
      ExpectRect(frame.Rect(), {1500, 1200, 4500, 2250});
    }
    Drag(frame, 3100, 2050);
    ExpectRect(frame.Rect(), {1600, 1250, 4500, 2250});
  }
}

TEST(CropFrame, OneDragStepOfEveryMode) {
  // Picture 9000 × 6000, aspect 0.5. Each case hovers to pick the mode (and the
  // previous position), then drags once with the button held.
  struct Case {
    const char* name;
    CropRect start;
    double hover_x, hover_y;
    int mode;
    double x, y;
    CropRect expected;
  };
  const CropRect move{1500, 1200, 4500, 2250};
  const CropRect side{3000, 2000, 3000, 1500};
  const CropRect side_low{3000, 4000, 3000, 1500};
  const CropRect vert{2000, 1000, 4000, 2000};
  const CropRect vert_right{5000, 2000, 2000, 1000};
  const Case cases[] = {
      {"move", move, 3000, 2000, kDragMove, 3100, 1950, {1600, 1150, 4500, 2250}},
      {"move past the left border", move, 3000, 2000, kDragMove, 1000, 2000, {0, 1200, 4500, 2250}},
      {"move past the right border",
       move,
       3000,
       2000,
       kDragMove,
       7000,
       2000,
       {4500, 1200, 4500, 2250}},
      {"move past the bottom border",
       move,
       3000,
       2000,
       kDragMove,
       3000,
       9000,
       {1500, 3750, 4500, 2250}},
      {"move past the top border", move, 3000, 2000, kDragMove, 3000, 0, {1500, 0, 4500, 2250}},
      {"left edge out", side, 3010, 2700, kDragHorizontal, 2000, 2700, {2000, 2000, 4000, 2000}},
      {"left edge beyond the border",
       side,
       3010,
       2700,
       kDragHorizontal,
       -500,
       2700,
       {0, 2000, 6000, 3000}},
      {"left edge to exactly 444 from the right", side, 3010, 2700, kDragHorizontal, 5556, 2700,
       side},
      {"left edge to 445 from the right",
       side,
       3010,
       2700,
       kDragHorizontal,
       5555,
       2700,
       {5555, 2000, 445, 222.5f}},
      {"left edge, bottom limited: the right edge moves in",
       side_low,
       3010,
       4500,
       kDragHorizontal,
       1000,
       4500,
       {1000, 4000, 4000, 2000}},
      {"right edge out", side, 5990, 2700, kDragHorizontal, 7000, 2700, {3000, 2000, 4000, 2000}},
      {"right edge past the border ends at it",
       side,
       5990,
       2700,
       kDragHorizontal,
       12000,
       2700,
       {3000, 2000, 6000, 3000}},
      {"right edge past the border, bottom limited",
       side_low,
       5990,
       4500,
       kDragHorizontal,
       12000,
       4500,
       {3000, 4000, 4000, 2000}},
      {"right edge to a width of 444", side, 5990, 2700, kDragHorizontal, 3444, 2700, side},
      {"right edge to a width of 445",
       side,
       5990,
       2700,
       kDragHorizontal,
       3445,
       2700,
       {3000, 2000, 445, 222.5f}},
      {"right edge left of the left edge", side, 5990, 2700, kDragHorizontal, 2000, 2700, side},
      {"top edge up", vert, 3000, 1010, kDragVertical, 3000, 500, {2000, 500, 5000, 2500}},
      {"top edge beyond the border",
       vert,
       3000,
       1010,
       kDragVertical,
       3000,
       -100,
       {2000, 0, 6000, 3000}},
      {"top edge to exactly 444 from the bottom", vert, 3000, 1010, kDragVertical, 3000, 2556,
       vert},
      {"top edge, width limited: the top stays at the pointer",
       vert_right,
       6000,
       2010,
       kDragVertical,
       6000,
       0,
       {5000, 0, 4000, 2000}},
      {"bottom edge down", vert, 3000, 2990, kDragVertical, 3000, 4000, {2000, 1000, 6000, 3000}},
      {"bottom edge past the border, width limited",
       vert,
       3000,
       2990,
       kDragVertical,
       3000,
       9999,
       {2000, 1000, 7000, 3500}},
      {"bottom edge to a height of 444", vert, 3000, 2990, kDragVertical, 3000, 1444, vert},
      {"bottom edge to a height of 445",
       vert,
       3000,
       2990,
       kDragVertical,
       3000,
       1445,
       {2000, 1000, 890, 445}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CropFrame frame = Frame(kWide, kTall, 0.5, c.start);
    Hover(frame, c.hover_x, c.hover_y);
    ASSERT_EQ(frame.DragMode(), c.mode);
    const PointerMoveResult result = Drag(frame, c.x, c.y);
    ExpectRect(frame.Rect(), c.expected);
    EXPECT_FALSE(result.pointer_changed);
    // Raised after every held move in a drag mode, also when nothing changed.
    EXPECT_TRUE(result.resolution_changed);
    EXPECT_EQ(frame.DragMode(), c.mode);
  }
}

TEST(CropFrame, HeldMoveOutsideAnyZoneDoesNothing) {
  CropFrame frame = Frame(kWide, kTall, 0.5, {1500, 1200, 4500, 2250});
  Hover(frame, 3000, 500);
  ASSERT_EQ(frame.DragMode(), kDragNone);
  const PointerMoveResult result = Drag(frame, 2000, 2000);
  EXPECT_FALSE(result.resolution_changed);
  EXPECT_FALSE(result.pointer_changed);
  ExpectRect(frame.Rect(), {1500, 1200, 4500, 2250});
}

TEST(CropFrame, MovesAreRelativeToThePreviousPointerEvenAfterClamping) {
  CropFrame frame = Frame(kWide, kTall, 0.5, {1500, 1200, 4500, 2250});
  Hover(frame, 3000, 2000);
  Drag(frame, 2000, 2000);
  ExpectRect(frame.Rect(), {500, 1200, 4500, 2250});
  Drag(frame, 1000, 2000);  // would reach −500: flush with the border
  ExpectRect(frame.Rect(), {0, 1200, 4500, 2250});
  Drag(frame, 1500, 2000);  // 500 to the right of the last pointer position
  ExpectRect(frame.Rect(), {500, 1200, 4500, 2250});
  Drag(frame, 1500, 9000);
  ExpectRect(frame.Rect(), {500, 3750, 4500, 2250});
}

TEST(CropFrame, EdgeChoiceHalvesTheWholeSideWithIntegerDivision) {
  // Side 4501.7 from 1500.5: int(4501.7) ÷ 2 = 2250, so the mark is 3750.5 (exact
  // halving would give 3751.35). The previous pointer comes from a hover over a
  // helper rectangle whose edge sits there; then the real rectangle is dragged to
  // 2500 and shows which edge moved.
  struct Case {
    double previous;
    bool leading_edge;
  };
  const Case cases[] = {{1000, true}, {3750, true}, {3750.5, false}, {3751, false}, {8000, false}};
  const float side = 4501.7f;
  for (bool vertical : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << (vertical ? "top/bottom " : "left/right ") << c.previous);
      CropFrame frame;
      frame.SetScale(vertical ? kTall : kWide, vertical ? kWide : kTall);
      frame.SetAspect(vertical ? 2.0 : 0.5);
      const float p = static_cast<float>(c.previous);
      frame.SetRect(vertical ? CropRect{1000, p, 1000, 2000} : CropRect{p, 1000, 2000, 1000});
      Hover(frame, vertical ? 1500 : c.previous, vertical ? c.previous : 1500);
      ASSERT_EQ(frame.DragMode(), vertical ? kDragVertical : kDragHorizontal);
      const float other = 600;
      frame.SetRect(vertical ? CropRect{other, 1500.5f, side / 2, side}
                             : CropRect{1500.5f, other, side, side / 2});
      Drag(frame, vertical ? 3000 : 2500, vertical ? 2500 : 3000);
      const CropRect r = frame.Rect();
      const float lead = vertical ? r.Top : r.Left;
      const float length = vertical ? r.Height : r.Width;
      const double far_edge = 1500.5 + static_cast<double>(side);
      if (c.leading_edge) {
        EXPECT_FLOAT_EQ(lead, 2500);
        EXPECT_FLOAT_EQ(length, static_cast<float>(far_edge - 2500));
      } else {
        EXPECT_FLOAT_EQ(lead, 1500.5f);
        EXPECT_FLOAT_EQ(length, 999.5f);
      }
      EXPECT_FLOAT_EQ(vertical ? r.Left : r.Top, other);
    }
  }
}

TEST(CropFrame, RandomPointerSequencesKeepTheInvariants) {
  // Hovers aim near an edge or inside the rectangle so that every mode gets picked;
  // held moves wander anywhere, also off the picture. Each side is stored in single
  // precision, so an edge that stays put can creep by float steps (~0.0005 twips
  // each) past the border; the slack allows that, the rounded corners may not.
  constexpr double kSlack = 0.01;
  std::mt19937 rng(4417);
  std::uniform_real_distribution<double> anywhere(-2000, 11000);
  std::uniform_real_distribution<double> near(-80, 50);
  std::uniform_real_distribution<double> unit(0, 1);
  std::uniform_int_distribution<int> pick(0, 3);
  int changed[13] = {};
  for (int run = 0; run < 40; ++run) {
    const double sw = run % 2 ? 7005 : 9015;
    const double sh = run % 2 ? 9990 : 5985;
    CropFrame frame;
    frame.SetScale(sw, sh);
    frame.SetLargestCentred(run % 3 ? 102 : 127, run % 3 ? 152 : 178, run % 4 ? 0 : 3.5);
    const double aspect = frame.Aspect();
    // A drag keeps the dragged side above 444; the other side follows the aspect.
    const double kMinimumSide = std::min({444.0, 444.0 * aspect, 444.0 / aspect});
    for (int step = 0; step < 300; ++step) {
      const CropRect before = frame.Rect();
      const int mode = frame.DragMode();
      const bool held = pick(rng) != 0;
      double x = anywhere(rng);
      double y = anywhere(rng);
      if (!held) {
        const double l = before.Left, t = before.Top, w = before.Width, h = before.Height;
        const double inside_x = l + w * unit(rng), inside_y = t + h * unit(rng);
        const double edges[4][2] = {{l + near(rng), inside_y},
                                    {l + w + near(rng), inside_y},
                                    {inside_x, t + near(rng)},
                                    {inside_x, t + h + near(rng)}};
        const int target = pick(rng);
        x = edges[target][0];
        y = edges[target][1];
        if (unit(rng) < 0.3) {
          x = inside_x;
          y = inside_y;
        }
      }
      frame.PointerMove(held, x, y, true, false, false);
      const CropRect r = frame.Rect();
      SCOPED_TRACE(testing::Message() << "run " << run << " step " << step);
      ASSERT_GE(r.Left, 0);
      ASSERT_GE(r.Top, 0);
      ASSERT_LE(static_cast<double>(r.Left) + r.Width, sw + kSlack);
      ASSERT_LE(static_cast<double>(r.Top) + r.Height, sh + kSlack);
      ASSERT_LE(frame.CropX1(), std::lrint(sw));
      ASSERT_LE(frame.CropY1(), std::lrint(sh));
      ASSERT_GE(std::min(r.Width, r.Height), kMinimumSide - kSlack);
      ASSERT_NEAR(r.Height, r.Width * aspect, 1e-5 * r.Height);
      if (held && mode == kDragMove) {
        ASSERT_EQ(r.Width, before.Width);
        ASSERT_EQ(r.Height, before.Height);
      }
      if (held && (r.Left != before.Left || r.Top != before.Top || r.Width != before.Width)) {
        ++changed[mode];
      }
    }
  }
  // The sequences really moved and resized the frame in every mode.
  EXPECT_GT(changed[kDragMove], 100);
  EXPECT_GT(changed[kDragHorizontal], 100);
  EXPECT_GT(changed[kDragVertical], 100);
}

TEST(CropFrame, LargestCentredFrame) {
  struct Case {
    const char* name;
    double sw, sh, print_height, print_width, margin;
    double aspect;
    CropRect expected;
  };
  const double r = kTall / kWide;
  const double above = std::nextafter(r + 0.0001, 1.0);
  const double upright_r = kWide / kTall;
  const double below = std::nextafter(upright_r - 0.0001, 0.0);
  const Case cases[] = {
      {"landscape, same shape", kWide, kTall, 100, 150, 0, 100.0 / 150, {0, 0, 9000, 6000}},
      {"landscape, taller frame", kWide, kTall, 130, 180, 5, 12.0 / 17, {250, 0, 8500, 6000}},
      {"landscape, flatter frame", kWide, kTall, 100, 200, 0, 0.5, {0, 750, 9000, 4500}},
      {"landscape, exactly at the tolerance",
       kWide,
       kTall,
       r + 0.0001,
       1,
       0,
       r + 0.0001,
       {0, static_cast<float>((kTall - kWide * (r + 0.0001)) / 2), 9000,
        static_cast<float>(kWide * (r + 0.0001))}},
      {"landscape, just past the tolerance",
       kWide,
       kTall,
       above,
       1,
       0,
       above,
       {static_cast<float>((kWide - kTall / above) / 2), 0, static_cast<float>(kTall / above),
        6000}},
      {"upright, same shape", kTall, kWide, 100, 150, 0, 1.5, {0, 0, 6000, 9000}},
      {"upright, narrower frame", kTall, kWide, 100, 200, 0, 2, {750, 0, 4500, 9000}},
      {"upright, wider frame", kTall, kWide, 130, 180, 5, 17.0 / 12, {0, 250, 6000, 8500}},
      {"upright, exactly at the tolerance",
       kTall,
       kWide,
       1,
       upright_r - 0.0001,
       0,
       upright_r - 0.0001,
       {static_cast<float>((kTall - kWide / (upright_r - 0.0001)) / 2), 0,
        static_cast<float>(kWide / (upright_r - 0.0001)), 9000}},
      {"upright, just past the tolerance",
       kTall,
       kWide,
       1,
       below,
       0,
       below,
       {0, static_cast<float>((kWide - kTall * below) / 2), 6000,
        static_cast<float>(kTall * below)}},
      {"square picture stands the frame upright",
       kTall,
       kTall,
       100,
       150,
       0,
       1.5,
       {1000, 0, 4000, 6000}},
      {"square picture, square frame", kTall, kTall, 100, 100, 0, 1, {0, 0, 6000, 6000}},
  };
  // The upright boundary cases rely on 1 ÷ (1 ÷ t) giving t back.
  ASSERT_EQ(1 / (1 / (upright_r - 0.0001)), upright_r - 0.0001);
  ASSERT_EQ(1 / (1 / below), below);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CropFrame frame;
    frame.SetScale(c.sw, c.sh);
    frame.SetLargestCentred(c.print_height, c.print_width, c.margin);
    EXPECT_DOUBLE_EQ(frame.Aspect(), c.aspect);
    ExpectRect(frame.Rect(), c.expected);
  }
}

// Picture coordinates (top row 0) into the bottom-up surface layout.
std::uint32_t PixelId(const std::vector<std::uint8_t>& bits, int width, int height, int x, int y) {
  const std::uint8_t* p =
      bits.data() + static_cast<std::size_t>(height - 1 - y) * StrideFor(width) + 3 * x;
  return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16);
}

// The pixels the crop covers, for a frame whose corners sit on pixel boundaries.
std::set<std::uint32_t> CoveredPixels(const CropFrame& frame, const std::vector<std::uint8_t>& bits,
                                      int width, int height) {
  constexpr int kTwips = 15;
  std::set<std::uint32_t> ids;
  for (int y = frame.CropY0() / kTwips; y < frame.CropY1() / kTwips; ++y) {
    for (int x = frame.CropX0() / kTwips; x < frame.CropX1() / kTwips; ++x) {
      ids.insert(PixelId(bits, width, height, x, y));
    }
  }
  return ids;
}

TEST(CropFrame, TurnWithPictureCoversTheSamePixels) {
  // A 7 × 5 picture with a distinct value in every pixel, turned for real; the crop
  // covers pixels 1..3 × 2..3 (twips 15 per pixel).
  for (int step : {90, -90}) {
    SCOPED_TRACE(step);
    int width = 7;
    int height = 5;
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(StrideFor(width)) * height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        std::uint8_t* p = bits.data() + static_cast<std::size_t>(y) * StrideFor(width) + 3 * x;
        p[0] = static_cast<std::uint8_t>(1 + x);
        p[1] = static_cast<std::uint8_t>(1 + y);
      }
    }
    CropFrame frame = Frame(105, 75, 2.0 / 3.0, {15, 30, 45, 30});
    const std::set<std::uint32_t> before = CoveredPixels(frame, bits, width, height);
    ASSERT_EQ(before.size(), 6u);
    for (int turn = 1; turn <= 4; ++turn) {
      ASSERT_TRUE(QuarterTurnBytes(bits, width, height, step));
      frame.TurnWithPicture(step);
      EXPECT_EQ(frame.ScaleWidth(), width * 15.0);
      EXPECT_EQ(frame.ScaleHeight(), height * 15.0);
      EXPECT_DOUBLE_EQ(frame.Aspect(), turn % 2 ? 1.5 : 2.0 / 3.0);
      EXPECT_EQ(CoveredPixels(frame, bits, width, height), before) << "turn " << turn;
    }
    ExpectRect(frame.Rect(), {15, 30, 45, 30});
  }
}

TEST(CropFrame, TurnWithPictureHandComputed) {
  CropFrame cw = Frame(kWide, kTall, 0.5, {1000, 500, 4000, 2000});
  cw.TurnWithPicture(90);
  ExpectRect(cw.Rect(), {3500, 1000, 2000, 4000});
  cw.TurnWithPicture(-90);
  ExpectRect(cw.Rect(), {1000, 500, 4000, 2000});
  EXPECT_EQ(cw.ScaleWidth(), kWide);
  EXPECT_DOUBLE_EQ(cw.Aspect(), 0.5);

  CropFrame ccw = Frame(kWide, kTall, 0.5, {1000, 500, 4000, 2000});
  ccw.TurnWithPicture(-90);
  ExpectRect(ccw.Rect(), {500, 4000, 2000, 4000});
  EXPECT_EQ(ccw.ScaleWidth(), kTall);
  EXPECT_EQ(ccw.ScaleHeight(), kWide);
  EXPECT_DOUBLE_EQ(ccw.Aspect(), 2);
}

TEST(CropFrame, RotateCropTogglesCentredAndLimited) {
  struct Case {
    const char* name;
    double sw, sh, aspect;
    CropRect start, once, twice;
  };
  const Case cases[] = {
      {"unlimited: twice gives the same size, centred",
       kWide,
       kTall,
       0.5,
       {1000, 500, 4000, 2000},
       {3500, 1000, 2000, 4000},
       {2500, 2000, 4000, 2000}},
      {"height limited",
       kWide,
       kTall,
       0.5,
       {0, 1000, 8000, 4000},
       {3000, 0, 3000, 6000},
       {1500, 1500, 6000, 3000}},
      {"width limited",
       kTall,
       kWide,
       2,
       {1000, 500, 4000, 8000},
       {0, 3000, 6000, 3000},
       {1500, 1500, 3000, 6000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CropFrame frame = Frame(c.sw, c.sh, c.aspect, c.start);
    frame.SetVisible(false);
    frame.RotateCrop();
    EXPECT_DOUBLE_EQ(frame.Aspect(), 1 / c.aspect);
    EXPECT_TRUE(frame.Visible());
    ExpectRect(frame.Rect(), c.once);
    frame.RotateCrop();
    EXPECT_DOUBLE_EQ(frame.Aspect(), c.aspect);
    ExpectRect(frame.Rect(), c.twice);
  }
}

TEST(CropFrame, PrintResolutionUsesTheLongerSides) {
  struct Case {
    const char* name;
    double sw, sh;
    CropRect rect;
    int pixels;
    double print_width, margin;
    double expected;
  };
  const Case cases[] = {
      {"whole picture, 3000 px on 150 mm", kWide, kTall, {0, 0, 9000, 6000}, 3000, 150, 0, 508},
      {"margins come off the print width", kWide, kTall, {0, 0, 9000, 6000}, 3000, 152, 1, 508},
      {"half the width", kWide, kTall, {100, 100, 4500, 3000}, 3000, 150, 0, 254},
      {"upright crop in a landscape picture", kWide, kTall, {0, 0, 3000, 4500}, 3000, 150, 0, 254},
      {"upright picture", kTall, kWide, {0, 0, 3000, 4500}, 4000, 127, 3.5, 25.4 * 4000 / 240},
      {"landscape crop in an upright picture",
       kTall,
       kWide,
       {0, 0, 6000, 3000},
       4000,
       150,
       0,
       25.4 * 4000 * (6000.0 / 9000) / 150},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CropFrame frame = Frame(c.sw, c.sh, 1, c.rect);
    EXPECT_EQ(frame.PrintResolution(c.pixels, c.print_width, c.margin),
              static_cast<float>(c.expected));
  }
}

TEST(CropFrame, CornersRoundHalfToEven) {
  struct Case {
    CropRect rect;
    int x0, y0, x1, y1;
  };
  const Case cases[] = {
      {{2.5f, 3.5f, 10, 10.5f}, 2, 4, 12, 14},
      {{0.5f, 1.5f, 1, 1}, 0, 2, 2, 2},
      {{1.49f, 7.51f, 0.99f, 4.98f}, 1, 8, 2, 12},
  };
  for (const Case& c : cases) {
    CropFrame frame;
    frame.SetRect(c.rect);
    EXPECT_EQ(frame.CropX0(), c.x0);
    EXPECT_EQ(frame.CropY0(), c.y0);
    EXPECT_EQ(frame.CropX1(), c.x1);
    EXPECT_EQ(frame.CropY1(), c.y1);
  }
}

}  // namespace
}  // namespace tessaly
