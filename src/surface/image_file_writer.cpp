// Encoders for the four save formats, written into a new file (controls/new_file.h)
// that gets its name only when every byte and the flush succeeded. JPEG and BMP are
// written straight from the surface memory; PNG and TIFF go through Qt's writers from
// one top-down RGB copy, and the device, not only the writer's answer, says whether
// every byte reached the file.
#include "surface/image_file_writer.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "controls/new_file.h"
#include "surface/jpeg_codec.h"
#include "surface/top_down_rgb.h"

namespace tessaly {
namespace {

// Qt's TIFF writer: compression 0 is "none" (1 would be LZW).
constexpr int kTiffNoCompression = 0;

// A 24-bit BMP: 14-byte file header and 40-byte info header, then the rows
// bottom-up at the surface stride, which is exactly the surface's own layout.
constexpr int kBmpFileHeaderBytes = 14;
constexpr int kBmpInfoHeaderBytes = 40;
constexpr int kBmpHeaderBytes = kBmpFileHeaderBytes + kBmpInfoHeaderBytes;
constexpr int kBmpBitsPerPixel = 24;

void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
  Put16(p, v & 0xFFFF);
  Put16(p + 2, v >> 16);
}

SaveStatus WriteBmp(const SurfaceView& view, QIODevice& out) {
  const std::uint32_t image_bytes = static_cast<std::uint32_t>(view.ByteCount());
  std::array<std::uint8_t, kBmpHeaderBytes> header{};
  header[0] = 'B';
  header[1] = 'M';
  Put32(&header[2], kBmpHeaderBytes + image_bytes);  // file size
  Put32(&header[10], kBmpHeaderBytes);               // offset of the pixel rows
  Put32(&header[14], kBmpInfoHeaderBytes);
  Put32(&header[18], static_cast<std::uint32_t>(view.width));
  Put32(&header[22], static_cast<std::uint32_t>(view.height));  // positive: bottom-up
  Put16(&header[26], 1);                                        // planes
  Put16(&header[28], kBmpBitsPerPixel);
  Put32(&header[30], 0);  // no compression
  Put32(&header[34], image_bytes);
  // Resolution and palette fields stay 0: resolution unknown, no palette.
  if (out.write(reinterpret_cast<const char*>(header.data()), kBmpHeaderBytes) != kBmpHeaderBytes)
    return kSaveGenericError;

  // Rows through a zeroed buffer so the file's padding bytes are zero whatever the
  // surface's padding holds.
  std::vector<std::uint8_t> row(static_cast<std::size_t>(view.stride), 0);
  const std::size_t pixel_bytes = 3 * static_cast<std::size_t>(view.width);
  for (int y = 0; y < view.height; ++y) {
    std::memcpy(row.data(), view.Row(y), pixel_bytes);
    if (out.write(reinterpret_cast<const char*>(row.data()), view.stride) != view.stride)
      return kSaveGenericError;
  }
  return kSaveOk;
}

SaveStatus WriteJpeg(const SurfaceView& view, int quality, QIODevice& out) {
  JpegBytes bytes;
  std::size_t size = 0;
  switch (EncodeJpeg(view, quality, bytes, size)) {
    case JpegEncodeResult::Encoded:
      break;
    case JpegEncodeResult::BadArgument:
      return kSaveInvalidParameter;
    case JpegEncodeResult::OutOfMemory:
      return kSaveOutOfMemory;
    case JpegEncodeResult::Failed:
      return kSaveGenericError;
  }
  const qint64 length = static_cast<qint64>(size);
  return out.write(reinterpret_cast<const char*>(bytes.get()), length) == length
             ? kSaveOk
             : kSaveGenericError;
}

SaveStatus WriteWithQt(const SurfaceView& view, const char* format, QIODevice& out) {
  const QImage image = TopDownRgb(view);
  if (image.isNull()) return kSaveOutOfMemory;
  QImageWriter writer(&out, format);
  if (std::strcmp(format, "tiff") == 0) writer.setCompression(kTiffNoCompression);
  return writer.write(image) ? kSaveOk : kSaveGenericError;
}

// The status of a system error: a folder that is missing or is not a folder means
// "file not found", one we may not write to "access denied", a taken name its own.
SaveStatus StatusOfError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kSaveFileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return kSaveAccessDenied;
    case ENOMEM:
      return kSaveOutOfMemory;
    case EEXIST:
      return kSaveNameTaken;
    default:
      return kSaveGenericError;
  }
}

}  // namespace

SaveStatus WriteImageFile(const SurfaceView& view, const QString& file, int format,
                          int jpeg_quality) {
  if (format < kSaveJpeg || format > kSaveBmp || view.empty() || file.isEmpty())
    return kSaveInvalidParameter;
  if (format == kSaveJpeg && (jpeg_quality < 0 || jpeg_quality > 100)) return kSaveInvalidParameter;

  const QFileInfo target(file);
  if (NameTaken(file)) return kSaveNameTaken;
  NewFile out;
  if (!out.Open(target.absolutePath())) return StatusOfError(out.Error());
  SaveStatus status = kSaveGenericError;
  switch (format) {
    case kSaveJpeg:
      status = WriteJpeg(view, jpeg_quality, out.Device());
      break;
    case kSavePng:
      status = WriteWithQt(view, "png", out.Device());
      break;
    case kSaveTiff:
      status = WriteWithQt(view, "tiff", out.Device());
      break;
    case kSaveBmp:
      status = WriteBmp(view, out.Device());
      break;
  }
  if (status != kSaveOk) return status;
  return out.Commit(target.fileName()) ? kSaveOk : StatusOfError(out.Error());
}

QString SaveStatusText(int status) {
  switch (status) {
    case kSaveOk:
      return QString();
    case kSaveOutOfMemory:
      return QStringLiteral("Out Of Memory");
    case kSaveFileNotFound:
      return QStringLiteral("File Not Found");
    case kSaveAccessDenied:
      return QStringLiteral("Access Denied");
    default:
      return QStringLiteral(
          "Can't save the file. Check that the path is valid and the file isn't write "
          "protected.");
  }
}

}  // namespace tessaly
