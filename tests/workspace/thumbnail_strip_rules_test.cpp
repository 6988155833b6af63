// Thumbnail strip rules: label texts, cell geometry, and the strip's state through
// a run of adds, navigation and the three cases of removal.
#include "workspace/thumbnail_strip_rules.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tessaly {
namespace {

TEST(ThumbnailStripRules, LabelsAndCellGeometry) {
  for (const auto& [number, text] : {std::pair{1, " 1 "}, {9, " 9 "}, {10, "10"}, {100, "100"}})
    EXPECT_EQ(TumbLabelText(number), text) << number;

  // 60-pixel cells: pitch 61, the first 2 pixels in.
  EXPECT_EQ(std::pair(TumbLeft(0, 60), TumbLeft(3, 60)), std::pair(2, 185));
  for (const auto& [x, cell] :
       {std::pair{1, -1}, {2, 0}, {61, 0}, {62, -1}, {63, 1}, {185, 3}, {244, 3}})
    EXPECT_EQ(TumbAt(x, 60), cell) << x;
  // Four cells end at pixel 245; a fifth would need 306.
  EXPECT_EQ(std::tuple(VisibleTumbs(305, 60), VisibleTumbs(306, 60), VisibleTumbs(30, 60)),
            std::tuple(4, 5, 1));

  EXPECT_EQ(TumbPictureRect(300, 200, 60), QRect(0, 10, 60, 40));
  EXPECT_EQ(TumbPictureRect(200, 300, 60), QRect(10, 0, 40, 60));
  EXPECT_EQ(TumbPictureRect(50, 50, 60), QRect(0, 0, 60, 60));
  EXPECT_EQ(TumbPictureRect(6000, 1, 60), QRect(0, 30, 60, 1));
}

TEST(ThumbnailStripRules, AddNavigateAndRemoveWithThreeVisibleCells) {
  enum Op { Add, Next, Previous, Center, Activate, Remove };
  // {operation, argument, result, count, active, scroll}; the result of Add is the position,
  // of Remove the removed position, of the others 1 when something changed.
  const std::tuple<Op, int, int, int, int, int> steps[] = {
      {Remove, 0, -1, 0, -1, 0},  // nothing to remove
      {Add, 0, 0, 1, 0, 0},
      {Add, 0, 1, 2, 1, 0},
      {Add, 0, 2, 3, 2, 0},
      {Add, 0, 3, 4, 3, 1},  // the new cell becomes the last visible one
      {Add, 0, 4, 5, 4, 2},
      {Next, 0, 0, 5, 4, 2},  // nothing after the last
      {Previous, 0, 1, 5, 3, 2},
      {Previous, 0, 1, 5, 2, 2},
      {Previous, 0, 1, 5, 1, 1},  // scrolled back to show it
      {Center, 0, 1, 5, 1, 0},
      {Activate, 0, 1, 5, 0, 0},
      {Previous, 0, 0, 5, 0, 0},  // nothing before the first
      {Next, 0, 1, 5, 1, 0},
      {Next, 0, 1, 5, 2, 0},
      {Next, 0, 1, 5, 3, 1},
      {Activate, 7, 0, 5, 3, 1},
      {Center, 0, 1, 5, 3, 2},
      {Activate, 2, 1, 5, 2, 2},
      {Remove, 0, 2, 4, 2, 2},  // a middle photo: the next one takes its place
      {Activate, 3, 1, 4, 3, 2},
      {Remove, 0, 3, 3, 2, 2},  // the last: the previous one becomes active
      {Remove, 0, 2, 2, 1, 1},
      {Remove, 0, 1, 1, 0, 0},
      {Remove, 0, 0, 0, -1, 0},  // the only one: the strip is empty
  };
  ThumbnailStripState state;
  int index = 0;
  for (const auto& [op, arg, result, count, active, scroll] : steps) {
    if (op == Center) state.Center(3);
    const int got = op == Add        ? state.Add(3)
                    : op == Remove   ? state.RemoveCurrent()
                    : op == Next     ? state.Next(3)
                    : op == Previous ? state.Previous(3)
                    : op == Activate ? state.Activate(arg)
                                     : 1;
    EXPECT_EQ(std::tuple(got, state.Count(), state.Active(), state.Scroll()),
              std::tuple(result, count, active, scroll))
        << "step " << index++;
  }
}

}  // namespace
}  // namespace tessaly
