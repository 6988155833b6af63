// Papers a printer lists: the names made from their keys, and finding an entry by
// any of its names, the borderless one apart from its bordered twin.
#include "print/printer_paper.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(PrinterPaper, NamesFromKeysAndLookups) {
  EXPECT_EQ(PaperNameFromKey("iso_a4_210x297mm", false), "A4 (210 x 297 mm)");
  EXPECT_EQ(PaperNameFromKey("na_letter_8.5x11in", false), "Letter (8.5 x 11 in)");
  EXPECT_EQ(PaperNameFromKey("na_index-4x6_4x6in", true), "4 x 6 in borderless");
  EXPECT_EQ(PaperNameFromKey("custom_89.5x127.00mm_89.5x127.00mm", false), "89.5 x 127 mm");
  EXPECT_EQ(PaperNameFromKey("oddly-named", false), "oddly-named");

  PrinterPaper bordered{"na_index-4x6_4x6in", "4 x 6\"", 101.6, 152.4, 3, 3, 3, 3};
  PrinterPaper borderless = bordered;
  borderless.name = "4 x 6\" (Borderless)";
  borderless.left_mm = borderless.right_mm = borderless.top_mm = borderless.bottom_mm = 0;
  const std::vector<PrinterPaper> papers = {bordered, borderless};
  EXPECT_FALSE(bordered.Borderless());
  EXPECT_TRUE(borderless.Borderless());
  EXPECT_EQ(FindPaper(papers, "4 x 6\""), 0);
  EXPECT_EQ(FindPaper(papers, "4 X 6 IN"), 0);
  EXPECT_EQ(FindPaper(papers, "na_index-4x6_4x6in"), 0);
  EXPECT_EQ(FindPaper(papers, "4 x 6\" (borderless)"), 1);
  EXPECT_EQ(FindPaper(papers, "4 x 6 in borderless"), 1);
  EXPECT_EQ(FindPaper(papers, "na_index-4x6_4x6in_borderless"), 1);
  EXPECT_EQ(FindPaper(papers, "A4"), -1);

  PrinterPaper uneven = bordered;
  uneven.top_mm = 5.5;
  EXPECT_EQ(uneven.Margin(), 5.5);
  EXPECT_EQ(FindChoice({{"photographic-glossy", "Photographic glossy"}}, "PHOTOGRAPHIC-GLOSSY"), 0);
}

}  // namespace
}  // namespace tessaly
