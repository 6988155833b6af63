// A photo file's bytes read into memory with plain reads: nothing is mapped, so a
// file that shrinks while it is read gives fewer bytes instead of a fault. Only
// regular files are opened (without blocking, so a FIFO never hangs the reader),
// and no file larger than any picture within the surface limits can need is read.
// Metadata is parsed from the file's head, and from the whole file only when a
// parse looked past the head.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

#include "surface/image_read_status.h"
#include "surface/large_block.h"
#include "surface/surface_view.h"

namespace tessaly {

// The widest pixel a reader stores or decodes: four 32-bit float channels.
inline constexpr std::int64_t kWidestPixelBytes = 16;
// The largest photo file read: every pixel of the largest surface at the widest
// pixel, uncompressed, plus room for metadata.
inline constexpr std::int64_t kMaxPhotoFileBytes =
    kMaxSurfacePixels * kWidestPixelBytes + (64 << 20);

// The head of a photo file read for its metadata: a JPEG's segments before its
// image data and a TIFF's first directories and texts nearly always lie within it.
inline constexpr std::int64_t kPhotoHeadBytes = 256 << 10;

class PhotoFileBytes {
 public:
  // Reads at most `limit` bytes from the start of `path` (the whole file when it is
  // shorter). kNotRegularFile, kCannotRead, kNotPhoto (an empty file) or kTooLarge
  // (above kMaxPhotoFileBytes) leave nothing read.
  ImageReadStatus Read(const QString& path, std::int64_t limit);

  const std::uint8_t* data() const { return data_.get(); }
  std::size_t size() const { return size_; }
  // The file's size when it was opened.
  std::int64_t file_size() const { return file_size_; }
  // True when every byte of the file was read.
  bool whole() const { return static_cast<std::int64_t>(size_) >= file_size_; }

 private:
  LargeBlock data_;
  std::size_t size_ = 0;
  std::int64_t file_size_ = 0;
};

// Runs `parse(bytes)` over the head of `path` and, when it returns true (some look
// of it fell past the bytes given, so the whole file may answer differently) and
// the file is longer, once more over the whole file. Returns the status of the last
// read; `parse` runs only over bytes read with kOk.
template <typename Parse>
ImageReadStatus ParsePhotoFileHead(const QString& path, Parse parse) {
  PhotoFileBytes bytes;
  ImageReadStatus read = bytes.Read(path, kPhotoHeadBytes);
  if (read != ImageReadStatus::kOk || !parse(bytes) || bytes.whole()) return read;
  read = bytes.Read(path, kMaxPhotoFileBytes);
  if (read == ImageReadStatus::kOk) parse(bytes);
  return read;
}

}  // namespace tessaly
