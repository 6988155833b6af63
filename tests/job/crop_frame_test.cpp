// Crop frame: hover zones and their order, one drag step of every mode against
// hand-computed rectangles (minimum size, borders, aspect limits), the edge choice,
// the largest centred frame at its tolerances, quarter turns checked against really turned pixels,
// the orientation toggle, the print resolution and the rounded corners.
#include "job/crop_frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <tuple>
#include <vector>

#include "surface/quarter_turn.h"

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
  constexpr int kH = kDragHorizontal, kV = kDragVertical;
  const ViewPointer size = ViewPointer::SizeAll, none = ViewPointer::Default;
  const std::tuple<const char*, double, double, int, ViewPointer> cases[] = {
      {"89 inside the left edge", 1589, 2700, kH, size},
      {"90 inside the left edge is the move zone", 1590, 2700, kDragMove, ViewPointer::Hand},
      {"59 inside the right edge", 5941, 2700, kH, size},
      {"60 inside the right edge is the move zone", 5940, 2700, kDragMove, ViewPointer::Hand},
      {"59 right of the right edge, far below", 6059, 9999, kH, size},
      {"89 above the top edge", 3000, 1111, kV, size},
      {"90 above the top edge", 3000, 1110, kDragNone, none},
      {"59 below the bottom edge", 3000, 4259, kV, size},
      {"60 below the bottom edge", 3000, 4260, kDragNone, none},
      {"the top-left corner resizes horizontally", 1500, 1200, kH, size},
      {"the bottom-right corner resizes horizontally", 6000, 4200, kH, size}};
  for (const auto& [name, x, y, mode, pointer] : cases) {
    SCOPED_TRACE(name);
    CropFrame frame = Frame(kWide, kTall, 2.0 / 3.0, {1500, 1200, 4500, 3000});
    const PointerMoveResult result = Hover(frame, x, y);
    EXPECT_EQ(std::tuple(frame.DragMode(), result.pointer_changed, result.pointer,
                         result.resolution_changed),
              std::tuple(mode, true, pointer, false));
  }
}

TEST(CropFrame, DisabledContactSheetAndPipetteStopTheInteraction) {
  // A blocked move must neither change the mode nor store the pointer position: the
  // drag afterwards moves by its offset from the hover at (3000, 2000).
  // {case, enabled, white balance, contact sheet, pointer changed, pointer}
  const std::tuple<const char*, bool, bool, bool, bool, ViewPointer> cases[] = {
      {"job without photos", false, false, false, false, ViewPointer::Default},
      {"white-balance pick", true, true, false, true, ViewPointer::Pipette},
      {"contact sheet", true, false, true, false, ViewPointer::Default}};
  for (const auto& [name, enabled, white_balance, thumb_mode, pointer_changed, pointer] : cases) {
    SCOPED_TRACE(name);
    CropFrame frame = Frame(kWide, kTall, 0.5, {1500, 1200, 4500, 2250});
    Hover(frame, 3000, 2000);
    ASSERT_EQ(frame.DragMode(), kDragMove);
    for (bool held : {false, true}) {
      const PointerMoveResult r =
          frame.PointerMove(held, 1520, 100, enabled, white_balance, thumb_mode);
      EXPECT_EQ(std::tuple(r.pointer_changed, r.pointer, r.resolution_changed, frame.DragMode()),
                std::tuple(pointer_changed, pointer, false, kDragMove));
      ExpectRect(frame.Rect(), {1500, 1200, 4500, 2250});
    }
    Drag(frame, 3100, 2050);
    ExpectRect(frame.Rect(), {1600, 1250, 4500, 2250});
  }
}

TEST(CropFrame, OneDragStepOfEveryMode) {
  // Picture 9000 × 6000, aspect 0.5. Each case hovers at (hx, hy) to pick the mode
  // and the previous position, then drags once to (x, y) with the button held.
  constexpr int kM = kDragMove, kH = kDragHorizontal, kV = kDragVertical;
  const CropRect mv{1500, 1200, 4500, 2250};
  const CropRect sd{3000, 2000, 3000, 1500};
  const CropRect low{3000, 4000, 3000, 1500};
  const CropRect vt{2000, 1000, 4000, 2000};
  const CropRect rt{5000, 2000, 2000, 1000};
  // {case, start, hover x, y, mode, drag x, y, expected}
  const std::tuple<const char*, CropRect, double, double, int, double, double, CropRect> cases[] = {
      {"move", mv, 3000, 2000, kM, 3100, 1950, {1600, 1150, 4500, 2250}},
      {"move past the left border", mv, 3000, 2000, kM, 1000, 2000, {0, 1200, 4500, 2250}},
      {"move past the right border", mv, 3000, 2000, kM, 7000, 2000, {4500, 1200, 4500, 2250}},
      {"move past the bottom border", mv, 3000, 2000, kM, 3000, 9000, {1500, 3750, 4500, 2250}},
      {"held outside any zone", mv, 3000, 500, kDragNone, 2000, 2000, mv},
      {"left edge beyond the border", sd, 3010, 2700, kH, -500, 2700, {0, 2000, 6000, 3000}},
      {"left edge to 444 from the right", sd, 3010, 2700, kH, 5556, 2700, sd},
      {"left to 445 from the right", sd, 3010, 2700, kH, 5555, 2700, {5555, 2000, 445, 222.5f}},
      {"left edge, bottom limited", low, 3010, 4500, kH, 1000, 4500, {1000, 4000, 4000, 2000}},
      {"right edge past the border", sd, 5990, 2700, kH, 12000, 2700, {3000, 2000, 6000, 3000}},
      {"right past, bottom limited", low, 5990, 4500, kH, 12000, 4500, {3000, 4000, 4000, 2000}},
      {"right edge to a width of 444", sd, 5990, 2700, kH, 3444, 2700, sd},
      {"right to a width of 445", sd, 5990, 2700, kH, 3445, 2700, {3000, 2000, 445, 222.5f}},
      {"top edge beyond the border", vt, 3000, 1010, kV, 3000, -100, {2000, 0, 6000, 3000}},
      {"top edge to 444 from the bottom", vt, 3000, 1010, kV, 3000, 2556, vt},
      // Width limited: the top stays at the pointer and the bottom edge moves up.
      {"top edge, width limited", rt, 6000, 2010, kV, 6000, 0, {5000, 0, 4000, 2000}},
      {"bottom edge down", vt, 3000, 2990, kV, 3000, 4000, {2000, 1000, 6000, 3000}},
      {"bottom past, width limited", vt, 3000, 2990, kV, 3000, 9999, {2000, 1000, 7000, 3500}},
      {"bottom edge to a height of 444", vt, 3000, 2990, kV, 3000, 1444, vt},
      {"bottom to a height of 445", vt, 3000, 2990, kV, 3000, 1445, {2000, 1000, 890, 445}}};
  for (const auto& [name, start, hx, hy, mode, x, y, expected] : cases) {
    SCOPED_TRACE(name);
    CropFrame frame = Frame(kWide, kTall, 0.5, start);
    Hover(frame, hx, hy);
    ASSERT_EQ(frame.DragMode(), mode);
    const PointerMoveResult result = Drag(frame, x, y);
    ExpectRect(frame.Rect(), expected);
    // Raised after every held move in a drag mode, also when nothing changed.
    EXPECT_EQ(std::tuple(result.pointer_changed, result.resolution_changed, frame.DragMode()),
              std::tuple(false, mode != kDragNone, mode));
  }
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
  // {previous pointer, whether the leading edge moves}
  const std::pair<double, bool> cases[] = {
      {1000, true}, {3750, true}, {3750.5, false}, {3751, false}, {8000, false}};
  const float side = 4501.7f;
  for (bool vertical : {false, true}) {
    for (const auto& [previous, leading_edge] : cases) {
      SCOPED_TRACE(testing::Message() << (vertical ? "top/bottom " : "left/right ") << previous);
      const float p = static_cast<float>(previous);
      CropFrame frame =
          Frame(vertical ? kTall : kWide, vertical ? kWide : kTall, vertical ? 2.0 : 0.5,
                vertical ? CropRect{1000, p, 1000, 2000} : CropRect{p, 1000, 2000, 1000});
      Hover(frame, vertical ? 1500 : previous, vertical ? previous : 1500);
      ASSERT_EQ(frame.DragMode(), vertical ? kDragVertical : kDragHorizontal);
      const float other = 600;
      frame.SetRect(vertical ? CropRect{other, 1500.5f, side / 2, side}
                             : CropRect{1500.5f, other, side, side / 2});
      Drag(frame, vertical ? 3000 : 2500, vertical ? 2500 : 3000);
      const CropRect r = frame.Rect();
      const float lead = vertical ? r.Top : r.Left;
      const float length = vertical ? r.Height : r.Width;
      const double far_edge = 1500.5 + static_cast<double>(side);
      if (leading_edge) {
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

TEST(CropFrame, LargestCentredFrame) {
  // Full-width and full-height frames of aspect a on a picture sw × sh.
  const auto full_width = [](double sw, double sh, double a) {
    return CropRect{0, static_cast<float>((sh - sw * a) / 2), static_cast<float>(sw),
                    static_cast<float>(sw * a)};
  };
  const auto full_height = [](double sw, double sh, double a) {
    return CropRect{static_cast<float>((sw - sh / a) / 2), 0, static_cast<float>(sh / a),
                    static_cast<float>(sh)};
  };
  // Picture shape ± the 0.0001 tolerance, and the next double past it.
  const double at = kTall / kWide + 0.0001;
  const double above = std::nextafter(at, 1.0);
  const double up_at = kWide / kTall - 0.0001;
  const double below = std::nextafter(up_at, 0.0);
  // {case, picture width, height, print height, width, margin, aspect, frame}
  const std::tuple<const char*, double, double, double, double, double, double, CropRect> cases[] =
      {{"landscape, taller frame", kWide, kTall, 130, 180, 5, 12.0 / 17, {250, 0, 8500, 6000}},
       {"landscape, flatter frame", kWide, kTall, 100, 200, 0, 0.5, {0, 750, 9000, 4500}},
       {"landscape at the tolerance", kWide, kTall, at, 1, 0, at, full_width(kWide, kTall, at)},
       {"landscape past it", kWide, kTall, above, 1, 0, above, full_height(kWide, kTall, above)},
       {"upright, narrower frame", kTall, kWide, 100, 200, 0, 2, {750, 0, 4500, 9000}},
       {"upright, wider frame", kTall, kWide, 130, 180, 5, 17.0 / 12, {0, 250, 6000, 8500}},
       {"upright at the tolerance", kTall, kWide, 1, up_at, 0, up_at,
        full_height(kTall, kWide, up_at)},
       {"upright past it", kTall, kWide, 1, below, 0, below, full_width(kTall, kWide, below)},
       {"square picture: upright", kTall, kTall, 100, 150, 0, 1.5, {1000, 0, 4000, 6000}}};
  // The upright boundary cases rely on 1 ÷ (1 ÷ t) giving t back.
  ASSERT_EQ(1 / (1 / up_at), up_at);
  ASSERT_EQ(1 / (1 / below), below);
  for (const auto& [name, sw, sh, print_height, print_width, margin, aspect, expected] : cases) {
    SCOPED_TRACE(name);
    CropFrame frame;
    frame.SetScale(sw, sh);
    frame.SetLargestCentred(print_height, print_width, margin);
    EXPECT_DOUBLE_EQ(frame.Aspect(), aspect);
    ExpectRect(frame.Rect(), expected);
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
    int width = 7, height = 5;
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

TEST(CropFrame, RotateCropTogglesCentredAndLimited) {
  // Unlimited (twice gives the same size, centred), height limited, width limited.
  constexpr double kW = kWide, kT = kTall;
  // {picture width, height, aspect, start, after one toggle, after two}
  const std::tuple<double, double, double, CropRect, CropRect, CropRect> cases[] = {
      {kW, kT, 0.5, {1000, 500, 4000, 2000}, {3500, 1000, 2000, 4000}, {2500, 2000, 4000, 2000}},
      {kW, kT, 0.5, {0, 1000, 8000, 4000}, {3000, 0, 3000, 6000}, {1500, 1500, 6000, 3000}},
      {kT, kW, 2, {1000, 500, 4000, 8000}, {0, 3000, 6000, 3000}, {1500, 1500, 3000, 6000}}};
  for (const auto& [sw, sh, aspect, start, once, twice] : cases) {
    SCOPED_TRACE(start.Width);
    CropFrame frame = Frame(sw, sh, aspect, start);
    frame.SetVisible(false);
    frame.RotateCrop();
    EXPECT_DOUBLE_EQ(frame.Aspect(), 1 / aspect);
    EXPECT_TRUE(frame.Visible());
    ExpectRect(frame.Rect(), once);
    frame.RotateCrop();
    EXPECT_DOUBLE_EQ(frame.Aspect(), aspect);
    ExpectRect(frame.Rect(), twice);
  }
}

TEST(CropFrame, PrintResolutionUsesTheLongerSides) {
  // {picture width, height, crop, pixels, print width, margin, resolution}
  const std::tuple<double, double, CropRect, int, double, double, double> cases[] = {
      {kWide, kTall, {0, 0, 9000, 6000}, 3000, 150, 0, 508},
      {kWide, kTall, {0, 0, 9000, 6000}, 3000, 152, 1, 508},  // margins come off
      {kWide, kTall, {100, 100, 4500, 3000}, 3000, 150, 0, 254},
      {kWide, kTall, {0, 0, 3000, 4500}, 3000, 150, 0, 254},  // upright crop
      {kTall, kWide, {0, 0, 3000, 4500}, 4000, 127, 3.5, 25.4 * 4000 / 240},
      {kTall, kWide, {0, 0, 6000, 3000}, 4000, 150, 0, 25.4 * 4000 * (6000.0 / 9000) / 150}};
  for (const auto& [sw, sh, rect, pixels, print_width, margin, expected] : cases) {
    EXPECT_EQ(Frame(sw, sh, 1, rect).PrintResolution(pixels, print_width, margin),
              static_cast<float>(expected))
        << sw << " " << rect.Width << " " << margin;
  }
}

TEST(CropFrame, CornersRoundHalfToEven) {
  // {rectangle, corners x0, y0, x1, y1}
  const std::pair<CropRect, std::vector<int>> cases[] = {
      {{2.5f, 3.5f, 10, 10.5f}, {2, 4, 12, 14}},
      {{0.5f, 1.5f, 1, 1}, {0, 2, 2, 2}},
      {{1.49f, 7.51f, 0.99f, 4.98f}, {1, 8, 2, 12}}};
  for (const auto& [rect, corners] : cases) {
    CropFrame frame;
    frame.SetRect(rect);
    EXPECT_EQ((std::vector<int>{frame.CropX0(), frame.CropY0(), frame.CropX1(), frame.CropY1()}),
              corners);
  }
}

}  // namespace
}  // namespace tessaly
