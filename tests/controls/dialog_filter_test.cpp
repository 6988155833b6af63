#include "controls/dialog_filter.h"

#include <gtest/gtest.h>

#include <utility>

namespace tessaly {
namespace {

TEST(DialogFilter, ClassicPairsBecomeNameFiltersThatMatchEitherCase) {
  const std::pair<QString, QStringList> cases[] = {
      {"Image files |*.JPG;*.PNG|PNG (*.PNG)|*.PNG|",
       {"Image files (*.[jJ][pP][gG] *.[pP][nN][gG])", "PNG (*.PNG) (*.[pP][nN][gG])"}},
      {"All|*.*", {"All (*.*)"}},
      {"ICC profiles| *.icc ; *.ICM ;", {"ICC profiles (*.[iI][cC][cC] *.[iI][cC][mM])"}},
      {"No patterns||Sets|IMG_[0-9]*.jpg", {"Sets ([iI][mM][gG]_[0-9]*.[jJ][pP][gG])"}},
      {"Only a description", {}},
      {"", {}},
  };
  for (const auto& [classic, filters] : cases)
    EXPECT_EQ(QtNameFilters(classic), filters) << classic.toStdString();
}

}  // namespace
}  // namespace tessaly
