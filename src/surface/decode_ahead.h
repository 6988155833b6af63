// Decoding the next photo file on a worker thread while the current photo is
// processed, so the file read and the one-core decoder overlap the row-band kernels
// and the page drawing. The worker touches only the file and a new pixel buffer; a
// caller that gets no picture from it decodes the file itself, so every failure and
// its message stay on the calling thread. At most one decode is in flight.
#pragma once

#include <QString>
#include <future>

#include "surface/cgdiimage.h"

namespace tessaly {

class DecodeAhead {
 public:
  DecodeAhead() = default;
  // Waits for a decode in flight.
  ~DecodeAhead();
  DecodeAhead(const DecodeAhead&) = delete;
  DecodeAhead& operator=(const DecodeAhead&) = delete;

  // Starts decoding `file`, reduced to at least `least` of its size (see
  // cGDIImage::CreateFromFile), unless that is the decode in flight already; any
  // other decode in flight is waited for and dropped first.
  void Start(const QString& file, double least = 1.0);
  // When the decode in flight is of `file` at `least`: waits for it, moves the
  // picture into `image` if it succeeded and forgets the decode; true when `image`
  // got it. Another decode is left running, and `image` is left as it is.
  bool Take(const QString& file, cGDIImage& image, double least = 1.0);

 private:
  void Drop();

  QString file_;
  double least_ = 1.0;
  cGDIImage image_;
  std::future<bool> decoded_;
};

}  // namespace tessaly
