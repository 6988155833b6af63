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

TEST(AboutBox, ShowsProductVersionLicencesAndALinkThatOpensTheHelp) {
  AboutBox box;
  EXPECT_EQ(box.findChild<QLabel*>("lblProduct")->text(), "Tessaly");
  EXPECT_EQ(box.findChild<QLabel*>("lblVersion")->text(),
            QStringLiteral("Version " TESSALY_PROJECT_VERSION));
  const QString licences = box.findChild<QLabel*>("lblLicences")->text();
  for (const char* named : {"LGPLv3", "IJG", "MIT", "libpng license", "Apache License 2.0"})
    EXPECT_TRUE(licences.contains(QLatin1String(named))) << named;

  // The link turns red while pressed, and opens its text through the desktop
  // opener: the help start page, or a web address as it is.
  std::vector<QUrl> opened;
  const UrlOpener previous = SetUrlOpener([&opened](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  box.show();
  auto* link = box.findChild<UrlLabel*>("URL1");
  ASSERT_NE(link, nullptr);
  const QColor normal = link->palette().color(QPalette::WindowText);
  QTest::mousePress(link, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(link->palette().color(QPalette::WindowText), normal);
  link->SetURL("https://tessaly.invalid/help");
  EXPECT_TRUE(link->OpenURL());
  SetUrlOpener(previous);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(QDir(HelpFolder()).filePath("Help.htm")));
  EXPECT_EQ(opened[1], QUrl("https://tessaly.invalid/help"));
}

}  // namespace
}  // namespace tessaly
