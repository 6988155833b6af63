// MyPictureManager: the job — its settings and its photos in the order they were
// added. Positions 0..Count()−1 map to object indices; each added photo gets the
// next object index (1 for the first: index 0 is the view that exists from the
// start), and indices are never reused within a run.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "job/job_settings.h"
#include "job/my_picture.h"

namespace tessaly {

// The most photos a window's job holds: each keeps a screen copy and a thumbnail in
// memory (about 400 KB), so 10 000 photos already take some 4 GB.
inline constexpr int kMaxJobPhotos = 10000;

class MyPictureManager {
 public:
  explicit MyPictureManager(JobSettings settings = JobSettings());
  MyPictureManager(const MyPictureManager&) = delete;
  MyPictureManager& operator=(const MyPictureManager&) = delete;

  JobSettings& Settings() { return settings_; }
  const JobSettings& Settings() const { return settings_; }

  // Creates a new record at the end of the job and returns its position.
  int Add();
  // Destroys the record at `position`; later positions move one place down.
  void Remove(int position);
  int Count() const { return static_cast<int>(positions_.size()); }
  // How many photos the job may hold (kMaxJobPhotos unless set lower), and how many
  // more it takes now. Adding is refused by the callers, which can say why.
  int Capacity() const { return capacity_; }
  void SetCapacity(int capacity) { capacity_ = capacity; }
  int Room() const { return std::max(0, capacity_ - Count()); }
  // Object index of the photo at `position` (0..Count()−1).
  int ObjectIndexOf(int position) const { return positions_.at(position); }
  MyPicture& At(int position);
  const MyPicture& At(int position) const;

  // Tells every photo, in position order, the job's current photo size and margin
  // (TakePhotoSize: only a photo whose size changed loses its crop).
  void ApplyPhotoSize();

 private:
  JobSettings settings_;
  std::vector<int> positions_;
  std::map<int, std::unique_ptr<MyPicture>> objects_;
  int last_index_ = 0;
  int capacity_ = kMaxJobPhotos;
};

}  // namespace tessaly
