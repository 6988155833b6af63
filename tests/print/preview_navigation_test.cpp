// Preview stepping on one- and three-page jobs, and the paper's place in the window
// worked out by hand.
#include "print/preview_navigation.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(PreviewNavigation, StepsEnableButtonsAndTellWhenTheTextChanges) {
  PreviewNavigation one(1);
  EXPECT_EQ(one.PagesText(), "");
  EXPECT_EQ(one.Next().page, 1);  // the window opens on page 1
  EXPECT_EQ(one.PagesText(), "Page 1/1");
  EXPECT_FALSE(one.NextEnabled());
  EXPECT_FALSE(one.PreviousEnabled());
  EXPECT_EQ(one.Last().page, 0);
  EXPECT_EQ(one.First().page, 0);
  EXPECT_EQ(one.Next().page, 0);
  EXPECT_EQ(one.Page(), 1);

  PreviewNavigation three(3);
  three.Next();
  const PreviewStep next = three.Next();
  EXPECT_EQ(next.page, 2);
  EXPECT_TRUE(next.text_before_drawing);
  EXPECT_TRUE(three.PreviousEnabled());
  EXPECT_TRUE(three.NextEnabled());
  const PreviewStep last = three.Last();
  EXPECT_EQ(last.page, 3);
  EXPECT_TRUE(last.text_before_drawing);
  EXPECT_EQ(three.PagesText(), "Page 3/3");
  EXPECT_FALSE(three.NextEnabled());
  const PreviewStep first = three.First();
  EXPECT_EQ(first.page, 1);
  EXPECT_FALSE(first.text_before_drawing);
  EXPECT_FALSE(three.PreviousEnabled());
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
