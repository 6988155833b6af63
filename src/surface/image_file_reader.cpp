// Image files to surfaces: content sniffing, the header size check, TurboJPEG for
// JPEG and Qt's readers for the rest, and the DCT-scaled screen copy.
#include "surface/image_file_reader.h"

#include <QFile>
#include <QImageReader>
#include <functional>

#include "surface/decoded_image.h"
#include "surface/jpeg_codec.h"
#include "surface/resample.h"

namespace tessaly {
namespace {

// Qt refuses to allocate decoded images above a limit in MiB (256 by default).
// Raised so that every picture within the surface limits opens whatever format Qt
// decodes it into, the widest being four 32-bit float channels (16 bytes a pixel).
constexpr long long kWidestDecodedPixelBytes = 16;
constexpr int kQtAllocationLimitMiB =
    static_cast<int>((kMaxSurfacePixels * kWidestDecodedPixelBytes + (1LL << 20) - 1) >> 20);

// The file's bytes, mapped read-only (pages are read only when touched, so a header
// check reads the header alone), or read into memory when mapping is not possible.
class FileBytes {
 public:
  bool Open(const QString& path) {
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadOnly)) return false;
    const qint64 size = file_.size();
    if (size <= 0) return false;
    if (uchar* mapped = file_.map(0, size)) {
      data_ = mapped;
      size_ = static_cast<std::size_t>(size);
      return true;
    }
    copy_ = file_.readAll();
    data_ = reinterpret_cast<const std::uint8_t*>(copy_.constData());
    size_ = static_cast<std::size_t>(copy_.size());
    return size_ > 0;
  }
  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  QFile file_;
  QByteArray copy_;
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

// A reader that decides the format from the content, with Qt's allocation limit
// raised. The header size must be known and within the surface limits before
// anything is decoded: a format whose reader cannot tell the size up front is not
// opened.
bool OpenCheckedReader(QImageReader& reader, QSize& size) {
  QImageReader::setAllocationLimit(kQtAllocationLimitMiB);
  reader.setDecideFormatFromContent(true);
  // Pixels are taken as stored; the photo record applies its own rotation.
  reader.setAutoTransform(false);
  size = reader.size();
  return size.isValid() && SurfaceSizeAllowed(size.width(), size.height());
}

bool ReadWithQt(const QString& file, SurfaceBuffer& out) {
  out.Release();
  QImageReader reader(file);
  QSize size;
  if (!OpenCheckedReader(reader, size)) return false;
  QImage image;
  if (!reader.read(&image)) return false;
  return SurfaceFromDecodedImage(image, out);
}

// Decodes the file at `scale` when it is a JPEG TurboJPEG can convert, else through
// Qt at full size.
bool DecodeFile(const QString& file, const std::function<JpegScale(const JpegHeader&)>& scale_for,
                SurfaceBuffer& out) {
  out.Release();
  FileBytes bytes;
  if (!bytes.Open(file)) return false;
  if (LooksLikeJpeg(bytes.data(), bytes.size())) {
    JpegHeader header;
    if (!ReadJpegHeader(bytes.data(), bytes.size(), header)) return false;
    const JpegScale scale = scale_for(header);
    switch (DecodeJpeg(bytes.data(), bytes.size(), scale, out)) {
      case JpegDecodeResult::Decoded:
        return true;
      case JpegDecodeResult::Failed:
        return false;
      case JpegDecodeResult::OtherReader:
        break;
    }
  }
  return ReadWithQt(file, out);
}

}  // namespace

bool ImageFileSize(const QString& file, int& width, int& height) {
  width = 0;
  height = 0;
  FileBytes bytes;
  if (!bytes.Open(file)) return false;
  if (LooksLikeJpeg(bytes.data(), bytes.size())) {
    JpegHeader header;
    if (!ReadJpegHeader(bytes.data(), bytes.size(), header) ||
        !SurfaceSizeAllowed(header.width, header.height))
      return false;
    width = header.width;
    height = header.height;
    return true;
  }
  QImageReader reader(file);
  QSize size;
  if (!OpenCheckedReader(reader, size)) return false;
  width = size.width();
  height = size.height();
  return true;
}

bool ReadImageFile(const QString& file, SurfaceBuffer& out) {
  return DecodeFile(
      file, [](const JpegHeader&) { return JpegScale{}; }, out);
}

cDIB ScaledCopyFromFile(const QString& file, int NewWidth, int NewHeight) {
  cDIB result;
  if (!SurfaceSizeAllowed(NewWidth, NewHeight)) return result;
  SurfaceBuffer decoded;
  const auto scale_for = [&](const JpegHeader& header) {
    return JpegScaleCovering(header.width, header.height, NewWidth, NewHeight);
  };
  if (!DecodeFile(file, scale_for, decoded) || !result.Create(NewWidth, NewHeight)) return result;
  const SurfaceView& src = decoded.View();
  if (!ResampleBicubic(src, 0, 0, src.width, src.height, result.View())) result.Dispose();
  return result;
}

}  // namespace tessaly
