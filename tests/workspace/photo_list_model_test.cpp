// The photo-list model over a job: rows appended only after the job took a photo,
// the shrunk thumbnail, and which photo is current after a removal (the next one,
// the previous one for the last, none for an empty job).
#include "workspace/photo_list_model.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

TEST(PhotoListModelTest, RowsFollowTheJobAndTheCurrentPhotoFollowsRemovals) {
  MyPictureManager job;
  PhotoListModel photos(job);
  std::vector<int> current;
  QObject::connect(&photos, &PhotoListModel::currentChanged,
                   [&current](int row) { current.push_back(row); });
  const ThumbnailSink adder = photos.Adder();
  adder(QImage(40, 30, QImage::Format_RGB32));  // the job took no photo: no row
  EXPECT_EQ(photos.rowCount(), 0);
  EXPECT_FALSE(photos.HadPhotos());

  for (int i = 0; i < 3; ++i) {
    job.Add();
    adder(QImage(400, 300, QImage::Format_RGB32));
  }
  ASSERT_EQ(photos.rowCount(), 3);
  EXPECT_EQ(photos.Current(), 2);
  EXPECT_EQ(current.size(), 3u);
  EXPECT_EQ(photos.index(0).data(Qt::DecorationRole).value<QImage>().size(), QSize(128, 96));
  photos.SetCurrent(2);  // already current: no signal
  photos.SetCurrent(3);  // no such row
  EXPECT_EQ(current.size(), 3u);

  photos.SetCurrent(1);
  EXPECT_EQ(photos.RemoveCurrent(), 1);  // the next one moves into its place
  EXPECT_EQ(photos.Current(), 1);
  EXPECT_EQ(photos.RemoveCurrent(), 1);  // the last one: the previous one
  EXPECT_EQ(photos.Current(), 0);
  EXPECT_EQ(photos.RemoveCurrent(), 0);
  EXPECT_EQ(photos.Current(), -1);
  EXPECT_EQ(photos.CurrentPhoto(), nullptr);
  EXPECT_EQ(photos.RemoveCurrent(), -1);
  EXPECT_EQ(job.Count(), 0);
  EXPECT_EQ(current.back(), -1);
  EXPECT_TRUE(photos.HadPhotos());
}

}  // namespace
}  // namespace tessaly
