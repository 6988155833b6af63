// DecodeAhead: one std::async task per file; the task owns nothing but writes
// image_, which no one reads until the future has been waited for.
#include "surface/decode_ahead.h"

#include <system_error>
#include <utility>

namespace tessaly {

DecodeAhead::~DecodeAhead() {
  Drop();
}

void DecodeAhead::Drop() {
  if (decoded_.valid()) decoded_.wait();
  decoded_ = {};
  image_.Dispose();
  file_.clear();
}

void DecodeAhead::Start(const QString& file, double least) {
  if (decoded_.valid() && file_ == file && least_ == least) return;
  Drop();
  file_ = file;
  least_ = least;
  // Without a thread to run on, nothing is decoded ahead and Take reports so.
  try {
    decoded_ = std::async(std::launch::async,
                          [this, file, least] { return image_.CreateFromFile(file, least); });
  } catch (const std::system_error&) {
    file_.clear();
  }
}

bool DecodeAhead::Take(const QString& file, cGDIImage& image, double least) {
  if (!decoded_.valid() || file_ != file || least_ != least) return false;
  const bool ready = decoded_.get();
  if (ready) image = std::move(image_);
  Drop();
  return ready;
}

}  // namespace tessaly
