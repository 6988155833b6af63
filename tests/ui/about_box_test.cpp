// The link label (its pressed colour and the desktop opener) and the about box: the
// product, the project's version from the build, the libraries' licences, and a
// link that opens the help pages' start page.
#include "ui/about_box.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QTest>
#include <vector>

#include "controls/utils.h"
#include "ui/url_label.h"

namespace tessaly {
namespace {

TEST(AboutBox, ShowsProductVersionLicencesAndOpensTheHelpLink) {
  AboutBox box;
  EXPECT_EQ(box.findChild<QLabel*>("lblProduct")->text(), "Tessaly");
  EXPECT_EQ(box.findChild<QLabel*>("lblVersion")->text(),
            QStringLiteral("Version " TESSALY_PROJECT_VERSION));
  const QString licences = box.findChild<QLabel*>("lblLicences")->text();
  for (const char* named : {"LGPLv3", "IJG", "MIT", "libpng license", "Apache License 2.0"})
    EXPECT_TRUE(licences.contains(QLatin1String(named))) << named;

  std::vector<QUrl> opened;
  const UrlOpener previous = SetUrlOpener([&opened](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  box.show();
  auto* link = box.findChild<UrlLabel*>("URL1");
  ASSERT_NE(link, nullptr);
  QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
  SetUrlOpener(previous);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(QDir(HelpFolder()).filePath("Help.htm")));
}

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
  EXPECT_EQ(opened[0], QUrl("https://tessaly.invalid/help"));  // a local path: the about box
  SetUrlOpener(previous);
}

}  // namespace
}  // namespace tessaly
