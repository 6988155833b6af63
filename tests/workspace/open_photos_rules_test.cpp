// Open-photos rules: the adding order of several files and the status texts.
#include "workspace/open_photos_rules.h"

#include <gtest/gtest.h>

#include "controls/dialog_filter.h"

namespace tessaly {
namespace {

TEST(OpenPhotosRules, OrderStatusAndFilter) {
  // {chosen, added}
  const std::pair<QStringList, QStringList> cases[] = {
      {{"/p/b.jpg", "/p/A.jpg", "/p/c.JPG"}, {"/p/A.jpg", "/p/b.jpg", "/p/c.JPG"}},
      // Equal in upper case: the order of the box is kept.
      {{"/p/x.jpg", "/p/X.JPG", "/p/x.JPG"}, {"/p/x.jpg", "/p/X.JPG", "/p/x.JPG"}},
      {{"/p/z.png", "/p/Zz.png", "/p/a b.png"}, {"/p/a b.png", "/p/z.png", "/p/Zz.png"}},
  };
  for (const auto& [chosen, added] : cases) EXPECT_EQ(OpenPhotosOrder(chosen), added);

  EXPECT_EQ(LoadingText(1, 1), "Loading Image...");
  EXPECT_EQ(LoadingText(2, 12), "Loading Image 2 of 12...");
  // Six pairs: the images together, four formats, everything.
  EXPECT_EQ(QtNameFilters(OpenPhotosFilter()).size(), 6);
}

}  // namespace
}  // namespace tessaly
