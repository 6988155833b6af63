#include "ui/url_label.h"

#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "controls/utils.h"

namespace tessaly {
namespace {

TEST(UrlLabel, ClickOpensItsTextThroughTheDesktopOpenerAndTurnsRedWhilePressed) {
  std::vector<QUrl> opened;
  const UrlOpener previous = SetUrlOpener([&opened](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  UrlLabel link;
  link.SetURL("https://tessaly.invalid/help");
  link.resize(200, 20);
  const QColor normal = link.palette().color(QPalette::WindowText);

  QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(255, 0, 0));
  QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(link.palette().color(QPalette::WindowText), normal);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl("https://tessaly.invalid/help"));

  link.SetURL("/usr/share/doc/Help.htm");
  EXPECT_TRUE(link.OpenURL());
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1], QUrl::fromLocalFile("/usr/share/doc/Help.htm"));

  SetUrlOpener(nullptr);
  EXPECT_FALSE(link.OpenURL());  // nothing took it
  SetUrlOpener(previous);
}

}  // namespace
}  // namespace tessaly
