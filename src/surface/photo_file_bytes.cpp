// Bounded, non-blocking, regular-file-only reading of photo files with read(2).
#include "surface/photo_file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "controls/file_descriptor.h"
#include "controls/native_path.h"
#include "surface/large_block.h"

namespace tessaly {

ImageReadStatus PhotoFileBytes::Read(const QString& path, std::int64_t limit) {
  data_.reset();
  size_ = 0;
  file_size_ = 0;
  const QByteArray name = NativePath(path);
  if (name.isEmpty()) return ImageReadStatus::kCannotRead;
  // Non-blocking: opening a FIFO with no writer returns at once instead of waiting.
  const Descriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return ImageReadStatus::kCannotRead;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return ImageReadStatus::kCannotRead;
  if (!S_ISREG(info.st_mode)) return ImageReadStatus::kNotRegularFile;
  if (info.st_size <= 0) return ImageReadStatus::kNotPhoto;
  if (info.st_size > kMaxPhotoFileBytes) return ImageReadStatus::kTooLarge;
  file_size_ = info.st_size;

  const std::size_t wanted = static_cast<std::size_t>(std::min<std::int64_t>(file_size_, limit));
  data_ = TakeLargeBlock(BlockUse::kFileBytes, std::max<std::size_t>(wanted, 1));
  if (!data_) return ImageReadStatus::kOutOfMemory;
  // A file that shrinks meanwhile ends the loop early with what it still held, and
  // its size is then what was read.
  while (size_ < wanted) {
    const ssize_t got = ::read(fd.get(), data_.get() + size_, wanted - size_);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      data_.reset();
      size_ = 0;
      return ImageReadStatus::kCannotRead;
    }
    if (got == 0) {
      file_size_ = static_cast<std::int64_t>(size_);
      break;
    }
    size_ += static_cast<std::size_t>(got);
  }
  if (size_ == 0) {
    data_.reset();
    return ImageReadStatus::kNotPhoto;
  }
  return ImageReadStatus::kOk;
}

}  // namespace tessaly
