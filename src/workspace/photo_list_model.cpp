// Rows follow the job: appended when it took a photo, removed with its record.
#include "workspace/photo_list_model.h"

#include <QFileInfo>
#include <algorithm>

namespace tessaly {
namespace {

// Longest side of a kept thumbnail: a strip cell is about 100 pixels.
constexpr int kThumbnailSide = 128;

QImage Shrunk(const QImage& picture) {
  if (picture.isNull() || std::max(picture.width(), picture.height()) <= kThumbnailSide)
    return picture;
  return picture.scaled(kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio,
                        Qt::SmoothTransformation);
}

}  // namespace

PhotoListModel::PhotoListModel(MyPictureManager& job, QObject* parent)
    : QAbstractListModel(parent), job_(job) {}

int PhotoListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(thumbnails_.size());
}

QVariant PhotoListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return QFileInfo(job_.At(index.row()).Filename()).fileName();
    case Qt::DecorationRole:
      return thumbnails_[static_cast<std::size_t>(index.row())];
    default:
      return {};
  }
}

MyPicture* PhotoListModel::CurrentPhoto() {
  return current_ >= 0 ? &job_.At(current_) : nullptr;
}

void PhotoListModel::SetCurrent(int row) {
  if (row < 0 || row >= rowCount() || row == current_) return;
  current_ = row;
  emit currentChanged(current_);
}

ThumbnailSink PhotoListModel::Adder() {
  return [this](const QImage& thumbnail) {
    // The job has just taken the photo: its record is the last one.
    const int row = rowCount();
    if (row >= job_.Count()) return;
    beginInsertRows(QModelIndex(), row, row);
    thumbnails_.push_back(Shrunk(thumbnail));
    endInsertRows();
    had_photos_ = true;
    SetCurrent(row);
  };
}

void PhotoListModel::SetThumbnail(int row, const QImage& thumbnail) {
  if (row < 0 || row >= rowCount()) return;
  thumbnails_[static_cast<std::size_t>(row)] = Shrunk(thumbnail);
  emit dataChanged(index(row), index(row), {Qt::DecorationRole});
}

int PhotoListModel::RemoveCurrent() {
  const int removed = current_;
  if (removed < 0) return -1;
  beginRemoveRows(QModelIndex(), removed, removed);
  job_.Remove(removed);
  thumbnails_.erase(thumbnails_.begin() + removed);
  current_ = std::min(removed, rowCount() - 1);
  endRemoveRows();
  emit currentChanged(current_);
  return removed;
}

}  // namespace tessaly
