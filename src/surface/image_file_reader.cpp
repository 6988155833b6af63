// Image files to surfaces: bounded reading, content sniffing, the header checks
// (size limits, smallest complete file, a JPEG cut short, a damaged PNG), TurboJPEG
// for JPEG and Qt's readers (over the bytes already read) for the rest, and the
// DCT-scaled screen copy.
#include "surface/image_file_reader.h"
#include "surface/byte_order.h"

#include <QBuffer>
#include <QImageReader>
#include <QMimeDatabase>
#include <cmath>
#include <functional>

#include "surface/decoded_image.h"
#include "surface/heif_jxl_reader.h"
#include "surface/jpeg_codec.h"
#include "surface/jpeg_markers.h"
#include "surface/jpeg_upright.h"
#include "surface/photo_file_bytes.h"
#include "surface/photo_orientation.h"
#include "surface/png_check.h"
#include "surface/resample.h"
#include "surface/smallest_photo_file.h"

namespace tessaly {
namespace {

// Qt refuses to allocate decoded images above a limit in MiB (256 by default).
// Raised so that every picture within the surface limits opens whatever format Qt
// decodes it into.
constexpr int kQtAllocationLimitMiB =
    static_cast<int>((kMaxSurfacePixels * kWidestPixelBytes + (1LL << 20) - 1) >> 20);
// A header check reads this much of a file first: every header but a TIFF's whose
// directory sits at the end of the file is inside it.
constexpr std::int64_t kHeaderBytes = 1 << 20;

// The bytes as a read-only device for Qt's readers (no copy).
struct ByteDevice {
  explicit ByteDevice(const PhotoFileBytes& bytes)
      : array(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                      static_cast<qsizetype>(bytes.size()))),
        buffer(&array) {
    buffer.open(QIODevice::ReadOnly);
  }
  QByteArray array;
  QBuffer buffer;
};

// A reader that decides the format from the content, with Qt's allocation limit
// raised. The header size must be known before anything is decoded: a format whose
// reader cannot tell the size up front is not opened. The reader turns the picture
// upright when photos are read upright.
void PrepareReader(QImageReader& reader) {
  // Set once: the limit is one process-wide value, and files may be read on two
  // threads at once.
  static const bool limit_raised = [] {
    QImageReader::setAllocationLimit(kQtAllocationLimitMiB);
    return true;
  }();
  static_cast<void>(limit_raised);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(UprightPhotos());
}

// The orientation Qt's reader applies, as the EXIF value it stands for.
int OrientationOf(QImageIOHandler::Transformations turn) {
  switch (turn) {
    case QImageIOHandler::TransformationMirror:
      return 2;
    case QImageIOHandler::TransformationRotate180:
      return 3;
    case QImageIOHandler::TransformationFlip:
      return 4;
    case QImageIOHandler::TransformationFlipAndRotate90:
      return 5;
    case QImageIOHandler::TransformationRotate90:
      return 6;
    case QImageIOHandler::TransformationMirrorAndRotate90:
      return 7;
    case QImageIOHandler::TransformationRotate270:
      return 8;
    default:
      return kUprightOrientation;
  }
}

// True when a TIFF's first directory does not lie wholly inside `bytes` (writers
// often put it at the end of the file): Qt's reader given only these bytes would
// print the library's seek errors before failing, so the whole file is read first.
// Classic TIFF: a 32-bit offset at byte 4, 2-byte count, 12-byte entries; BigTIFF: a
// 64-bit offset at byte 8, 8-byte count, 20-byte entries.
bool TiffDirectoryPastHead(const PhotoFileBytes& bytes) {
  const std::uint8_t* d = bytes.data();
  const std::uint64_t n = bytes.size();
  if (n < 8) return false;
  const bool little = d[0] == 'I' && d[1] == 'I';
  if (!little && !(d[0] == 'M' && d[1] == 'M')) return false;
  const auto u16 = [&](std::uint64_t at) { return little ? Le16(d + at) : Be16(d + at); };
  const auto u32 = [&](std::uint64_t at) { return little ? Le32(d + at) : Be32(d + at); };
  const auto u64 = [&](std::uint64_t at) {
    const std::uint64_t a = u32(at), b = u32(at + 4);
    return little ? a | b << 32 : a << 32 | b;
  };
  if (u16(2) == 42) {
    const std::uint64_t offset = u32(4);
    if (offset + 2 > n) return true;
    return offset + 2 + 12 * std::uint64_t{u16(offset)} > n;
  }
  if (u16(2) == 43 && n >= 16) {
    const std::uint64_t offset = u64(8);
    if (offset > n || n - offset < 8) return true;
    const std::uint64_t count = u64(offset);
    return count > (n - offset - 8) / 20;
  }
  return false;
}

// Content Qt cannot read: an image format without a reader here, or no image at all.
ImageReadStatus UnreadableContent(const PhotoFileBytes& bytes) {
  const QByteArray head = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<qsizetype>(bytes.size()));
  const bool image = QMimeDatabase().mimeTypeForData(head).name().startsWith(u"image/");
  return image ? ImageReadStatus::kUnsupported : ImageReadStatus::kNotPhoto;
}

// The header size of the picture in `bytes`, upright when photos are read upright,
// and every check that needs no pixels. `orientation` receives the turn the picture
// needs after decoding (1 for none, and always 1 for a picture Qt's reader turns).
ImageReadStatus CheckHeader(const PhotoFileBytes& bytes, int& width, int& height,
                            int& orientation) {
  width = height = 0;
  orientation = kUprightOrientation;
  int swaps = kUprightOrientation;
  if (LooksLikeJpeg(bytes.data(), bytes.size())) {
    JpegHeader header;
    if (!ReadJpegHeader(bytes.data(), bytes.size(), header)) {
      JpegFrame frame;
      return FindJpegFrame(bytes.data(), bytes.size(), frame) ? ImageReadStatus::kUnsupported
                                                              : ImageReadStatus::kTruncated;
    }
    width = header.width;
    height = header.height;
    if (UprightPhotos()) {
      orientation = JpegOrientation(bytes.data(), bytes.size());
      // A JPEG TurboJPEG cannot convert goes to Qt's reader, which turns it itself.
      swaps = orientation;
      if (JpegNeedsOtherReader(header)) orientation = kUprightOrientation;
    }
  } else if (LooksLikeHeifOrJxl(bytes.data(), bytes.size())) {
    // The libraries turn these pictures themselves, and give the size they decode.
    const ImageReadStatus header =
        HeifOrJxlImageSize(bytes.data(), bytes.size(), UprightPhotos(), width, height);
    if (header != ImageReadStatus::kOk) return header;
  } else {
    // A damaged PNG header is refused here, before Qt's reader prints libpng's error.
    if (LooksLikePng(bytes.data(), bytes.size())) {
      const ImageReadStatus png =
          CheckPngStream(bytes.data(), bytes.size(), PngCheckDepth::kHeader);
      if (png != ImageReadStatus::kOk) return png;
    }
    ByteDevice device(bytes);
    QImageReader reader(&device.buffer);
    PrepareReader(reader);
    if (!reader.canRead()) return UnreadableContent(bytes);
    const QSize size = reader.size();
    if (!size.isValid()) return ImageReadStatus::kUnsupported;
    width = size.width();
    height = size.height();
    if (UprightPhotos()) swaps = OrientationOf(reader.transformation());
  }
  if (OrientationSwapsSides(swaps)) std::swap(width, height);
  if (!SurfaceSizeAllowed(width, height)) return ImageReadStatus::kTooLarge;
  if (bytes.file_size() < SmallestPhotoFileBytes(bytes.data(), bytes.size()))
    return ImageReadStatus::kTruncated;
  if (bytes.whole() && LooksLikeJpeg(bytes.data(), bytes.size()) &&
      JpegEndsEarly(bytes.data(), bytes.size()))
    return ImageReadStatus::kPartial;
  return ImageReadStatus::kOk;
}

ImageReadStatus ReadWithQt(const PhotoFileBytes& bytes, SurfaceBuffer& out) {
  out.Release();
  if (LooksLikePng(bytes.data(), bytes.size())) {
    const ImageReadStatus png = CheckPngStream(bytes.data(), bytes.size(), PngCheckDepth::kWhole);
    if (png != ImageReadStatus::kOk) return png;
  }
  ByteDevice device(bytes);
  QImageReader reader(&device.buffer);
  PrepareReader(reader);
  QImage image;
  if (!reader.read(&image)) return ImageReadStatus::kTruncated;
  return SurfaceFromDecodedImage(image, out) ? ImageReadStatus::kOk : ImageReadStatus::kOutOfMemory;
}

// Reads the whole file, checks its header, then decodes it at `scale` when it is a
// JPEG TurboJPEG can convert, else through Qt at full size; the pixels come out
// upright when photos are read upright, unless `turn_later` is given: it then
// receives the orientation still to apply to the pixels as decoded. `scale_for` is
// told whether the upright picture swaps the stored one's sides. `full` receives the
// (upright) picture's size from its header and the scale it was decoded at.
ImageReadStatus DecodeFile(const QString& file,
                           const std::function<JpegScale(const JpegHeader&, bool)>& scale_for,
                           SurfaceBuffer& out, FullPicture& full, int* turn_later = nullptr) {
  out.Release();
  full = FullPicture{};
  int width = 0, height = 0;
  PhotoFileBytes bytes;
  const ImageReadStatus read = bytes.Read(file, kMaxPhotoFileBytes);
  if (read != ImageReadStatus::kOk) return read;
  int orientation = kUprightOrientation;
  const ImageReadStatus checked = CheckHeader(bytes, width, height, orientation);
  if (!ImageReadOpens(checked)) return checked;
  if (LooksLikeJpeg(bytes.data(), bytes.size())) {
    JpegHeader header;
    if (!ReadJpegHeader(bytes.data(), bytes.size(), header)) return ImageReadStatus::kTruncated;
    const JpegScale scale = scale_for(header, OrientationSwapsSides(orientation));
    const JpegDecodeResult result =
        turn_later ? DecodeJpeg(bytes.data(), bytes.size(), scale, out)
                   : DecodeJpegUpright(bytes.data(), bytes.size(), scale, orientation, out);
    switch (result) {
      case JpegDecodeResult::Decoded:
        if (turn_later) *turn_later = orientation;
        full = {width, height, static_cast<double>(scale.num) / scale.den};
        return checked;
      case JpegDecodeResult::Failed:
        return ImageReadStatus::kTruncated;
      case JpegDecodeResult::OtherReader:
        break;
    }
  }
  if (LooksLikeHeifOrJxl(bytes.data(), bytes.size())) {
    const ImageReadStatus decoded =
        DecodeHeifOrJxl(bytes.data(), bytes.size(), UprightPhotos(), out);
    if (decoded != ImageReadStatus::kOk) return decoded;
    full = {width, height, 1.0};
    return checked;
  }
  const ImageReadStatus decoded = ReadWithQt(bytes, out);
  if (decoded != ImageReadStatus::kOk) return decoded;
  full = {width, height, 1.0};
  return checked;
}

void Report(ImageReadStatus* status, ImageReadStatus value) {
  if (status) *status = value;
}

}  // namespace

bool ImageFileSize(const QString& file, int& width, int& height, ImageReadStatus* status) {
  width = 0;
  height = 0;
  PhotoFileBytes bytes;
  ImageReadStatus result = bytes.Read(file, kHeaderBytes);
  // A JPEG is read whole to tell whether it reaches its end; any other header that
  // is not inside the first bytes is looked for in the whole file.
  if (result == ImageReadStatus::kOk && !bytes.whole()) {
    int w = 0, h = 0, orientation = 0;
    if (LooksLikeJpeg(bytes.data(), bytes.size()) || TiffDirectoryPastHead(bytes) ||
        !ImageReadOpens(CheckHeader(bytes, w, h, orientation)))
      result = bytes.Read(file, kMaxPhotoFileBytes);
  }
  int orientation = kUprightOrientation;
  if (result == ImageReadStatus::kOk) result = CheckHeader(bytes, width, height, orientation);
  Report(status, result);
  if (ImageReadOpens(result)) return true;
  width = height = 0;
  return false;
}

int AppliedOrientation(const QString& file) {
  if (!UprightPhotos()) return kUprightOrientation;
  PhotoFileBytes bytes;
  if (bytes.Read(file, kHeaderBytes) != ImageReadStatus::kOk) return kUprightOrientation;
  if (LooksLikeJpeg(bytes.data(), bytes.size())) return JpegOrientation(bytes.data(), bytes.size());
  ByteDevice device(bytes);
  QImageReader reader(&device.buffer);
  PrepareReader(reader);
  return reader.canRead() ? OrientationOf(reader.transformation()) : kUprightOrientation;
}

bool ReadImageFile(const QString& file, SurfaceBuffer& out, ImageReadStatus* status) {
  FullPicture full;
  return ReadImageFileReduced(file, 1.0, out, full, status);
}

bool ReadImageFileReduced(const QString& file, double least, SurfaceBuffer& out, FullPicture& full,
                          ImageReadStatus* status) {
  const auto scale_for = [least](const JpegHeader& header, bool) {
    if (!(least > 0.0 && least < 1.0)) return JpegScale{};
    return JpegScaleCovering(header.width, header.height,
                             static_cast<int>(std::ceil(header.width * least)),
                             static_cast<int>(std::ceil(header.height * least)));
  };
  const ImageReadStatus result = DecodeFile(file, scale_for, out, full);
  Report(status, result);
  if (ImageReadOpens(result)) return true;
  out.Release();
  full = FullPicture{};
  return false;
}

cDIB ScaledCopyFromFile(const QString& file, int NewWidth, int NewHeight, ImageReadStatus* status) {
  if (!SurfaceSizeAllowed(NewWidth, NewHeight)) {
    Report(status, ImageReadStatus::kTooLarge);
    return cDIB();
  }
  int width = 0, height = 0;
  return ScaledCopyFromFile(
      file, [&](int, int) { return QSize(NewWidth, NewHeight); }, width, height, status);
}

cDIB ScaledCopyFromFile(const QString& file, const CopySizeFor& size_for, int& width, int& height,
                        ImageReadStatus* status) {
  cDIB result;
  width = height = 0;
  SurfaceBuffer decoded;
  // The copy is sized for the upright picture; the scale covers it on the stored one.
  const auto scale_for = [&](const JpegHeader& header, bool swapped) {
    if (!swapped) {
      const QSize copy = size_for(header.width, header.height);
      return JpegScaleCovering(header.width, header.height, copy.width(), copy.height());
    }
    const QSize copy = size_for(header.height, header.width);
    return JpegScaleCovering(header.width, header.height, copy.height(), copy.width());
  };
  FullPicture full;
  // The small copy is turned upright, not the larger decoded picture.
  int orientation = kUprightOrientation;
  const ImageReadStatus read = DecodeFile(file, scale_for, decoded, full, &orientation);
  Report(status, read);
  if (!ImageReadOpens(read)) return result;
  const QSize copy = size_for(full.width, full.height);
  if (!SurfaceSizeAllowed(copy.width(), copy.height())) {
    Report(status, ImageReadStatus::kTooLarge);
    return result;
  }
  const QSize stored = OrientationSwapsSides(orientation) ? copy.transposed() : copy;
  cDIB resampled;
  cDIB& first = orientation == kUprightOrientation ? result : resampled;
  const SurfaceView& src = decoded.View();
  if (!first.Create(stored.width(), stored.height()) ||
      !ResampleBicubic(src, 0, 0, src.width, src.height, first.View()) ||
      (&first != &result && (!result.Create(copy.width(), copy.height()) ||
                             !TurnUpright(resampled.View(), result.View(), orientation)))) {
    result.Dispose();
    Report(status, ImageReadStatus::kOutOfMemory);
    return result;
  }
  width = full.width;
  height = full.height;
  return result;
}

}  // namespace tessaly
