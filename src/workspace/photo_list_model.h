// The window's list of the job's photos and the one being edited (the current
// one): an item model over the job, in job order, with the file name as display
// text and a thumbnail of at most 128 pixels as decoration.
// Rows are appended after the job took a photo (through Adder) and removed together
// with the job's record. Invariant: −1 ≤ Current() < rowCount(), −1 only when the
// job is empty.
#pragma once

#include <QAbstractListModel>
#include <QImage>
#include <vector>

#include "job/add_photo.h"
#include "job/picture_manager.h"

namespace tessaly {

class PhotoListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // `job` outlives the model; it is empty when the model is made.
  explicit PhotoListModel(MyPictureManager& job, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  MyPictureManager& Job() { return job_; }
  int Current() const { return current_; }
  // The current photo's record, or nullptr when the job is empty.
  MyPicture* CurrentPhoto();
  // Makes the photo at `row` the current one; nothing for a row out of range or the
  // current one.
  void SetCurrent(int row);
  // The sink for the adding functions: appends the row of the photo the job has just
  // taken, with its thumbnail, and makes it current.
  ThumbnailSink Adder();
  // A photo's new thumbnail (it was turned).
  void SetThumbnail(int row, const QImage& thumbnail);
  // Removes the current photo from the job. The next photo takes its place as the
  // current one, or the previous one when it was the last. Returns the removed row,
  // −1 when the job is empty.
  int RemoveCurrent();
  // True once a photo was added to the job in this run.
  bool HadPhotos() const { return had_photos_; }

 signals:
  // The current photo changed: `current` is its row, −1 when the job became empty.
  void currentChanged(int current);

 private:
  MyPictureManager& job_;
  std::vector<QImage> thumbnails_;
  int current_ = -1;
  bool had_photos_ = false;
};

}  // namespace tessaly
