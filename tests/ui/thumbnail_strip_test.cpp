// The thumbnail strip as a view of the photo-list model: ten photos appended, a
// click on a cell, removal in the middle, the navigation buttons and arrow keys,
// each checked on the labels, the kept cell drawings and the model's current photo;
// then the scroll bar and a thumbnail drawn anew. The rules are tested in the core.
#include "ui/thumbnail_strip.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "job/picture_manager.h"
#include "workspace/photo_list_model.h"

namespace tessaly {
namespace {

// Appends a photo to the job as the adding functions do, handing its thumbnail on.
void Append(MyPictureManager& job, PhotoListModel& photos, const QImage& picture) {
  job.Add();
  photos.Adder()(picture);
}

QList<int> Selections(QSignalSpy& spy) {
  QList<int> positions;
  for (const QList<QVariant>& call : spy) positions.append(call.at(0).toInt());
  spy.clear();
  return positions;
}

TEST(ThumbnailStripTest, AddClickRemoveAndNavigate) {
  MyPictureManager job;
  PhotoListModel photos(job);
  ThumbnailStrip strip(photos);
  strip.resize(500, 120);
  strip.show();
  QSignalSpy selected(&photos, &PhotoListModel::currentChanged);
  const int cell = strip.CellSize();
  ASSERT_GT(cell, 0);

  // Ten photos, landscape and upright, each one active as it comes.
  for (int i = 0; i < 10; ++i) {
    QImage picture(i % 2 ? 300 : 200, i % 2 ? 200 : 300, QImage::Format_RGB32);
    picture.fill(QColor::fromHsv(i * 30, 255, 255));
    Append(job, photos, picture);
  }
  EXPECT_EQ(Selections(selected), QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(strip.NumberImages(), 10);
  // Only the cell-sized drawing is kept.
  EXPECT_EQ(strip.CellPicture(0).deviceIndependentSize().toSize(), QSize(cell, cell));
  EXPECT_EQ(strip.accessibleName(), "Thumbnails");
  EXPECT_EQ(strip.accessibleDescription(), "Photo 10 of 10");

  // A click on cell 7 (visible: the last cells are shown after adding).
  auto* inner = strip.findChild<QWidget*>(QStringLiteral("TumbContainer"));
  ASSERT_NE(inner, nullptr);
  ASSERT_TRUE(inner->visibleRegion().contains(QPoint(TumbLeft(7, cell) + cell / 2, cell / 2)));
  QTest::mouseClick(inner, Qt::LeftButton, {}, QPoint(TumbLeft(7, cell) + cell / 2, cell / 2));
  EXPECT_EQ(Selections(selected), QList<int>({7}));

  // Removing the middle photo: the next one takes its place, labels 1..9.
  const qint64 eighth = strip.CellPicture(8).cacheKey();
  EXPECT_EQ(photos.RemoveCurrent(), 7);
  EXPECT_EQ(job.Count(), 9);
  EXPECT_EQ(strip.ActiveImageNumber(), 7);
  EXPECT_EQ(strip.NumberImages(), 9);
  EXPECT_EQ(strip.CellPicture(7).cacheKey(), eighth);
  EXPECT_EQ(strip.LabelText(9), "");
  EXPECT_EQ(Selections(selected), QList<int>({7}));

  // The arrow key and the Next button step on; Next on the last changes nothing.
  QTest::keyClick(&strip, Qt::Key_Right);
  auto* next = strip.findChild<QPushButton*>(QStringLiteral("cmdNext"));
  ASSERT_NE(next, nullptr);
  QTest::mouseClick(next, Qt::LeftButton);
  EXPECT_EQ(Selections(selected), QList<int>({8}));

  QTest::keyClick(&strip, Qt::Key_Left);
  auto* previous = strip.findChild<QPushButton*>(QStringLiteral("cmdPrevious"));
  ASSERT_NE(previous, nullptr);
  QTest::mouseClick(previous, Qt::LeftButton);
  EXPECT_EQ(Selections(selected), QList<int>({7, 6}));

  // The scroll bar moves the cells by whole cells; a disabled strip cannot scroll.
  auto* bar = strip.findChild<QScrollBar*>(QStringLiteral("hsTumbsScroll"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->maximum(), 8);
  bar->setValue(2);
  EXPECT_EQ(inner->x(), -2 * TumbPitch(cell));
  strip.setEnabled(false);
  EXPECT_EQ(bar->maximum(), 0);
  EXPECT_EQ(inner->x(), 0);
  // Photos added while disabled (as the open-photos dialog adds them): enabled again,
  // the strip shows the active last cell.
  for (int i = 0; i < 20; ++i) Append(job, photos, QImage());
  strip.setEnabled(true);
  EXPECT_EQ(strip.ActiveImageNumber(), 28);
  EXPECT_GT(bar->maximum(), 0);
  EXPECT_TRUE(inner->visibleRegion().contains(QPoint(TumbLeft(28, cell) + cell / 2, cell / 2)));

  // A cell drawn anew from a turned picture turns with it.
  const auto drawn = [&strip] {
    const QImage image = strip.CellPicture(0).toImage();
    QRect box;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qAlpha(image.pixel(x, y)) != 0) box |= QRect(x, y, 1, 1);
    return box;
  };
  EXPECT_GT(drawn().height(), drawn().width());  // the first photo is upright
  QImage turned(300, 200, QImage::Format_RGB32);
  turned.fill(Qt::red);
  photos.SetThumbnail(0, turned);
  EXPECT_GT(drawn().width(), drawn().height());
}

}  // namespace
}  // namespace tessaly
