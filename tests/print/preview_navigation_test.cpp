// Preview stepping on one- and three-page jobs, and the paper's place in the window
// worked out by hand.
#include "print/preview_navigation.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace tessaly {
namespace {

// Page, pages text and whether Previous and Next are enabled.
std::tuple<int, QString, bool, bool> State(const PreviewNavigation& n) {
  return {n.Page(), n.PagesText(), n.PreviousEnabled(), n.NextEnabled()};
}

// A step's page (0: no step) and whether the text changes before the page is drawn.
std::pair<int, bool> Step(const PreviewStep& step) {
  return {step.page, step.text_before_drawing};
}

TEST(PreviewNavigation, StepsEnableButtonsAndTellWhenTheTextChanges) {
  PreviewNavigation one(1);
  EXPECT_EQ(one.PagesText(), "");
  EXPECT_EQ(one.Next().page, 1);  // the window opens on page 1
  EXPECT_EQ(State(one), std::tuple(1, QString("Page 1/1"), false, false));
  EXPECT_EQ((std::vector<int>{one.Last().page, one.First().page, one.Next().page}),
            (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(one.Page(), 1);

  PreviewNavigation three(3);
  three.Next();
  EXPECT_EQ(Step(three.Next()), std::pair(2, true));
  EXPECT_EQ(State(three), std::tuple(2, QString("Page 2/3"), true, true));
  EXPECT_EQ(Step(three.Last()), std::pair(3, true));
  EXPECT_EQ(State(three), std::tuple(3, QString("Page 3/3"), true, false));
  EXPECT_EQ(Step(three.First()), std::pair(1, false));
  EXPECT_EQ(State(three), std::tuple(1, QString("Page 1/3"), false, true));
  EXPECT_EQ(three.Previous().page, 0);
  EXPECT_EQ(three.Page(), 1);
}

TEST(PreviewNavigation, PaperFillsTheHeightOrTheWidthCentred) {
  // 15000 × 12000 twips inside, a 600-twip bar, A4 upright: the height decides.
  PreviewWindowPlacement tall = PlacePreviewWindow(15000, 12000, 600, 210, 297);
  EXPECT_DOUBLE_EQ(tall.button_bar.left, -50);
  EXPECT_DOUBLE_EQ(tall.button_bar.top, -40);
  EXPECT_DOUBLE_EQ(tall.button_bar.width, 15030);
  EXPECT_DOUBLE_EQ(tall.paper.top, 580);
  EXPECT_DOUBLE_EQ(tall.paper.height, 11100);
  EXPECT_DOUBLE_EQ(tall.paper.width, 11100 * 210.0 / 297);
  EXPECT_DOUBLE_EQ(tall.paper.left, (15000 - 11100 * 210.0 / 297) / 2);

  // A4 across in a narrow window: the width decides, 200 twips kept across.
  PreviewWindowPlacement wide = PlacePreviewWindow(9000, 12000, 600, 297, 210);
  EXPECT_DOUBLE_EQ(wide.paper.width, 8800);
  EXPECT_DOUBLE_EQ(wide.paper.height, 8800 * 210.0 / 297);
  EXPECT_DOUBLE_EQ(wide.paper.left, 100);
}

}  // namespace
}  // namespace tessaly
