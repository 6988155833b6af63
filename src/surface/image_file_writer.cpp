// Encoders for the four save formats, written into a new file (controls/new_file.h)
// that gets its name only when every byte and the flush succeeded. JPEG and BMP are
// written straight from the surface memory, the JPEG's JFIF density set and its EXIF
// segment and ICC profile (APP2 segments) added after the encoder's APP0; TIFF is
// written here as one uncompressed strip of top-down R,G,B rows followed by its
// directories (image tags, resolution, profile, the camera's EXIF); PNG goes through
// Qt's writer from one top-down RGB copy carrying the resolution and colour space,
// and the device, not only the writer's answer, says whether every byte reached the
// file.
#include "surface/image_file_writer.h"

#include <QColorSpace>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

#include "controls/new_file.h"
#include "controls/units.h"
#include "surface/jpeg_codec.h"
#include "surface/tiff_directories.h"
#include "surface/top_down_rgb.h"

namespace tessaly {
namespace {

// TIFF image tags of an uncompressed 8-bit RGB strip.
constexpr std::uint16_t kTiffImageWidth = 256, kTiffImageLength = 257, kTiffBitsPerSample = 258,
                        kTiffCompression = 259, kTiffPhotometric = 262, kTiffStripOffsets = 273,
                        kTiffSamplesPerPixel = 277, kTiffRowsPerStrip = 278,
                        kTiffStripByteCounts = 279, kTiffPlanarConfiguration = 284,
                        kTiffIccProfile = 34675;
constexpr std::uint16_t kTiffUncompressed = 1, kTiffRgb = 2, kTiffChunky = 1;
constexpr std::uint32_t kTiffStripAt = 8;

// A 24-bit BMP: 14-byte file header and 40-byte info header, then the rows
// bottom-up at the surface stride, which is exactly the surface's own layout.
constexpr int kBmpFileHeaderBytes = 14;
constexpr int kBmpInfoHeaderBytes = 40;
constexpr int kBmpHeaderBytes = kBmpFileHeaderBytes + kBmpInfoHeaderBytes;
constexpr int kBmpBitsPerPixel = 24;

// Millimetres in the resolution fields' units of length: the inch (JFIF) and the
// metre (BMP, Qt).
constexpr double kMmPerMetre = 1000;
// JFIF: the APP0 segment TurboJPEG writes first, and where its density fields lie.
constexpr int kJfifUnitsAt = 13;
constexpr int kJfifXDensityAt = 14;
constexpr int kJfifYDensityAt = 16;
constexpr int kJfifDotsPerInch = 1;
// An ICC profile in APP2 segments of at most 65 519 bytes each, at most 255 segments.
constexpr char kIccSignature[] = "ICC_PROFILE";  // with its NUL, 12 bytes
constexpr qsizetype kIccChunkBytes = 65519;
constexpr qsizetype kIccMaxChunks = 255;

// The print resolution in `per_mm` units of length, within 1..`largest`; 0 when unknown.
std::uint32_t Density(double pixels_per_mm, double mm_per_unit, std::uint32_t largest) {
  if (!(pixels_per_mm > 0)) return 0;
  const double value = std::nearbyint(pixels_per_mm * mm_per_unit);
  return static_cast<std::uint32_t>(std::clamp(value, 1.0, static_cast<double>(largest)));
}

void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
  Put16(p, v & 0xFFFF);
  Put16(p + 2, v >> 16);
}

SaveStatus WriteBmp(const SurfaceView& view, const ImageFileMetadata& metadata, QIODevice& out) {
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
  const std::uint32_t per_metre = Density(metadata.pixels_per_mm, kMmPerMetre, 0x7FFFFFFF);
  Put32(&header[38], per_metre);
  Put32(&header[42], per_metre);
  // The palette fields stay 0: no palette.
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

// The APP2 segments that carry `profile`; empty when it is empty or too large.
QByteArray IccSegments(const QByteArray& profile) {
  const qsizetype chunks = (profile.size() + kIccChunkBytes - 1) / kIccChunkBytes;
  QByteArray segments;
  if (chunks == 0 || chunks > kIccMaxChunks) return segments;
  for (qsizetype i = 0; i < chunks; ++i) {
    const QByteArray chunk = profile.mid(i * kIccChunkBytes, kIccChunkBytes);
    const qsizetype length = 2 + static_cast<qsizetype>(sizeof kIccSignature) + 2 + chunk.size();
    segments += '\xFF';
    segments += '\xE2';
    segments += static_cast<char>(length >> 8);
    segments += static_cast<char>(length & 0xFF);
    segments += QByteArray(kIccSignature, sizeof kIccSignature);
    segments += static_cast<char>(i + 1);
    segments += static_cast<char>(chunks);
    segments += chunk;
  }
  return segments;
}

SaveStatus WriteJpeg(const SurfaceView& view, int quality, const ImageFileMetadata& metadata,
                     QIODevice& out) {
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
  std::uint8_t* data = bytes.get();
  // The encoder starts with SOI and a JFIF APP0 segment; anything else goes out as is.
  const bool jfif = size > kJfifYDensityAt + 2 && data[2] == 0xFF && data[3] == 0xE0 &&
                    std::memcmp(data + 6, "JFIF", 5) == 0;
  qint64 head = 0;
  if (jfif) {
    head = 4 + (data[4] << 8 | data[5]);
    if (const std::uint32_t dpi = Density(metadata.pixels_per_mm, kMmPerInch, 0xFFFF)) {
      data[kJfifUnitsAt] = kJfifDotsPerInch;
      data[kJfifXDensityAt] = static_cast<std::uint8_t>(dpi >> 8);
      data[kJfifXDensityAt + 1] = static_cast<std::uint8_t>(dpi & 0xFF);
      data[kJfifYDensityAt] = static_cast<std::uint8_t>(dpi >> 8);
      data[kJfifYDensityAt + 1] = static_cast<std::uint8_t>(dpi & 0xFF);
    }
  }
  const QByteArray profile = jfif ? IccSegments(metadata.icc_profile) : QByteArray();
  const QByteArray exif =
      jfif ? ExifSegment(metadata.camera, view.width, view.height, metadata.pixels_per_mm)
           : QByteArray();
  const qint64 rest = static_cast<qint64>(size) - head;
  const char* bytes_out = reinterpret_cast<const char*>(data);
  return out.write(bytes_out, head) == head && out.write(exif) == exif.size() &&
                 out.write(profile) == profile.size() && out.write(bytes_out + head, rest) == rest
             ? kSaveOk
             : kSaveGenericError;
}

SaveStatus WriteTiff(const SurfaceView& view, const ImageFileMetadata& metadata, QIODevice& out) {
  const bool little = metadata.camera.little_endian;
  const std::uint64_t strip = 3ull * view.width * view.height;
  const std::uint64_t directories_at = kTiffStripAt + ((strip + 1) & ~1ull);
  if (directories_at > 0xFFFF0000ull) return kSaveInvalidParameter;
  const auto width = static_cast<std::uint32_t>(view.width);
  const auto height = static_cast<std::uint32_t>(view.height);
  std::vector<TiffField> main = {
      LongField(kTiffImageWidth, width, little),
      LongField(kTiffImageLength, height, little),
      ShortField(kTiffCompression, kTiffUncompressed, little),
      ShortField(kTiffPhotometric, kTiffRgb, little),
      LongField(kTiffStripOffsets, kTiffStripAt, little),
      ShortField(kTiffSamplesPerPixel, 3, little),
      LongField(kTiffRowsPerStrip, height, little),
      LongField(kTiffStripByteCounts, static_cast<std::uint32_t>(strip), little),
      ShortField(kTiffPlanarConfiguration, kTiffChunky, little)};
  TiffField bits = ShortField(kTiffBitsPerSample, 8, little);
  bits.count = 3;
  bits.value = bits.value.repeated(3);
  main.push_back(bits);
  if (!metadata.icc_profile.isEmpty())
    main.push_back({kTiffIccProfile, kTiffUndefined,
                    static_cast<std::uint32_t>(metadata.icc_profile.size()), metadata.icc_profile});
  std::vector<TiffField> exif, gps;
  SavedFileDirectories(metadata.camera, view.width, view.height, metadata.pixels_per_mm, false,
                       main, exif, gps);
  const QByteArray directories =
      LayOutDirectories(little, static_cast<std::uint32_t>(directories_at), std::move(main),
                        std::move(exif), std::move(gps));
  if (directories.isEmpty()) return kSaveInvalidParameter;
  const QByteArray header = TiffHeader(little, static_cast<std::uint32_t>(directories_at));
  if (out.write(header) != header.size()) return kSaveGenericError;
  // Rows top-down, each pixel's B,G,R turned to R,G,B.
  const qint64 row_bytes = 3ll * view.width;
  std::vector<char> row(static_cast<std::size_t>(row_bytes));
  for (int y = view.height - 1; y >= 0; --y) {
    const std::uint8_t* s = view.Row(y);
    for (qint64 x = 0; x < row_bytes; x += 3) {
      row[x] = static_cast<char>(s[x + 2]);
      row[x + 1] = static_cast<char>(s[x + 1]);
      row[x + 2] = static_cast<char>(s[x]);
    }
    if (out.write(row.data(), row_bytes) != row_bytes) return kSaveGenericError;
  }
  if (strip % 2 && out.write("", 1) != 1) return kSaveGenericError;
  return out.write(directories) == directories.size() ? kSaveOk : kSaveGenericError;
}

SaveStatus WriteWithQt(const SurfaceView& view, const char* format,
                       const ImageFileMetadata& metadata, QIODevice& out) {
  QImage image = TopDownRgb(view);
  if (image.isNull()) return kSaveOutOfMemory;
  if (const std::uint32_t per_metre = Density(metadata.pixels_per_mm, kMmPerMetre, 0x7FFFFFFF)) {
    image.setDotsPerMeterX(static_cast<int>(per_metre));
    image.setDotsPerMeterY(static_cast<int>(per_metre));
  }
  if (!metadata.icc_profile.isEmpty())
    image.setColorSpace(QColorSpace::fromIccProfile(metadata.icc_profile));
  QImageWriter writer(&out, format);
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
                          int jpeg_quality, const ImageFileMetadata& metadata) {
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
      status = WriteJpeg(view, jpeg_quality, metadata, out.Device());
      break;
    case kSavePng:
      status = WriteWithQt(view, "png", metadata, out.Device());
      break;
    case kSaveTiff:
      status = WriteTiff(view, metadata, out.Device());
      break;
    case kSaveBmp:
      status = WriteBmp(view, metadata, out.Device());
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
