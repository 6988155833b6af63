#include "controls/dialog_filter.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <vector>

namespace tessaly {
namespace {

TEST(DialogFilter, ClassicPairsBecomeNameFiltersThatMatchEitherCase) {
  struct Case {
    QString classic;
    QStringList filters;
  };
  const std::vector<Case> cases = {
      {"Image files |*.JPG;*.PNG|PNG (*.PNG)|*.PNG|",
       {"Image files (*.[jJ][pP][gG] *.[pP][nN][gG])", "PNG (*.PNG) (*.[pP][nN][gG])"}},
      {"All|*.*", {"All (*.*)"}},
      {"ICC profiles| *.icc ; *.ICM ;", {"ICC profiles (*.[iI][cC][cC] *.[iI][cC][mM])"}},
      {"No patterns||Sets|IMG_[0-9]*.jpg", {"Sets ([iI][mM][gG]_[0-9]*.[jJ][pP][gG])"}},
      {"Only a description", {}},
      {"", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(QtNameFilters(c.classic), c.filters) << c.classic.toStdString();

  // The patterns match file names as a file dialog matches them: as wildcards.
  const QStringList jpeg = QtNameFilters("JPEG|*.JPG;*.jpeg");
  ASSERT_EQ(jpeg.size(), 1);
  const QString first = jpeg[0].section(u'(', 1).section(u' ', 0, 0);
  const QString second = jpeg[0].section(u'(', 1).section(u' ', 1).chopped(1);
  const auto matches = [](const QString& pattern, const QString& name) {
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
        .match(name)
        .hasMatch();
  };
  for (const QString name : {"x.jpg", "Y.JPG", "z.Jpg"})
    EXPECT_TRUE(matches(first, name)) << name.toStdString();
  for (const QString name : {"a.JPEG", "b.jpeg"})
    EXPECT_TRUE(matches(second, name)) << name.toStdString();
  for (const QString name : {"x.png", "x.jpg.txt", "xjpg"})
    EXPECT_FALSE(matches(first, name)) << name.toStdString();
}

}  // namespace
}  // namespace tessaly
