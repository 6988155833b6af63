// MyPictureManager: positions 0..Count()−1 of the job mapped to object indices that
// start at 1 and are never handed out twice, each owning its photo record.
#include "job/picture_manager.h"

namespace tessaly {

MyPictureManager::MyPictureManager(JobSettings settings) : settings_(std::move(settings)) {}

int MyPictureManager::Add() {
  const int index = last_index_ + 1;
  objects_.emplace(index, std::make_unique<MyPicture>(settings_));
  positions_.push_back(index);
  last_index_ = index;
  return Count() - 1;
}

void MyPictureManager::Remove(int position) {
  objects_.erase(positions_.at(position));
  positions_.erase(positions_.begin() + position);
}

MyPicture& MyPictureManager::At(int position) {
  return *objects_.at(positions_.at(position));
}

const MyPicture& MyPictureManager::At(int position) const {
  return *objects_.at(positions_.at(position));
}

void MyPictureManager::ApplyPhotoSize() {
  for (int index : positions_)
    objects_.at(index)->TakePhotoSize(settings_.PhotoHeight(), settings_.PhotoWidth(),
                                      settings_.PhotoMargin());
}

}  // namespace tessaly
