// Picking the kept camera data out of a photo's EXIF directories and giving it back
// as a saved file's. Nothing here interprets a value but the directory pointers; the
// values keep the source's byte order, which the saved directories take over.
#include "surface/camera_exif.h"

#include <algorithm>
#include <cmath>

#include "surface/exif_block.h"
#include "surface/jpeg_codec.h"
#include "surface/jpeg_markers.h"
#include "surface/photo_file_bytes.h"

namespace tessaly {
namespace {

constexpr std::uint16_t kOrientationTag = 274, kXResolutionTag = 282, kYResolutionTag = 283,
                        kResolutionUnitTag = 296, kMakerNoteTag = 37500,
                        kPixelXDimensionTag = 40962, kPixelYDimensionTag = 40963,
                        kInteroperabilityTag = 40965;
constexpr std::uint16_t kYCbCrPositioningTag = 531, kExifVersionTag = 36864, kComponentsTag = 37121,
                        kCompressedBitsTag = 37122, kFlashpixVersionTag = 40960;
constexpr std::uint16_t kInches = 2, kCentred = 1;
// First-directory tags a saved file does not take over: the stored picture's layout
// (size, samples, compression, strips and tiles, colour map, YCbCr layout), the
// orientation and resolution it states itself, pointers to directories and previews,
// profiles and XMP (written anew or repeating the old orientation), and image
// resources of editors, which hold their own offsets.
constexpr std::uint16_t kDroppedMainTags[] = {
    254, 255, 256, 257, 258, 259,   262,   263,   266,   273,   274,   277,  278,
    279, 280, 281, 282, 283, 284,   290,   291,   296,   317,   318,   319,  320,
    322, 323, 324, 325, 330, 338,   339,   340,   341,   347,   512,   513,  514,
    529, 530, 531, 532, 700, 34377, 34665, 34675, 34853, 37500, 37724, 40965};
// Resolution in hundredths of a pixel per inch.
constexpr double kResolutionScale = 100.0;
// An APP1 segment's payload: at most 65 533 bytes after the length field.
constexpr qsizetype kMaxSegmentPayload = 65533;
constexpr char kExifHeader[] = "Exif\0";  // six bytes with the terminating zero

}  // namespace

bool ReadCameraExif(const std::uint8_t* tiff, std::size_t size, CameraExif& camera,
                    bool& past_end) {
  camera = CameraExif{};
  const TiffBytes bytes(tiff, size);
  std::uint32_t first = 0;
  if (!bytes.Valid(first)) return false;
  camera.present = true;
  camera.little_endian = bytes.little_endian();
  std::vector<TiffField> fields;
  if (!bytes.ReadDirectory(first, fields, past_end)) return true;
  std::uint32_t exif_at = 0, gps_at = 0;
  for (TiffField& f : fields) {
    if (f.tag == kExifDirectoryTag) exif_at = bytes.Number(f);
    if (f.tag == kGpsDirectoryTag) gps_at = bytes.Number(f);
    if (std::ranges::find(kDroppedMainTags, f.tag) == std::end(kDroppedMainTags))
      camera.main.push_back(std::move(f));
  }
  if (exif_at != 0 && bytes.ReadDirectory(exif_at, fields, past_end)) {
    for (TiffField& f : fields) {
      if (f.tag == kMakerNoteTag || f.tag == kInteroperabilityTag || f.tag == kPixelXDimensionTag ||
          f.tag == kPixelYDimensionTag)
        continue;
      camera.exif.push_back(std::move(f));
    }
  }
  if (gps_at != 0) bytes.ReadDirectory(gps_at, camera.gps, past_end);
  return true;
}

CameraExif CameraExifOfFile(const QString& file, bool keep_gps) {
  CameraExif camera;
  ParsePhotoFileHead(file, [&](const PhotoFileBytes& bytes) {
    bool past_end = false;
    if (LooksLikeJpeg(bytes.data(), bytes.size())) {
      const std::uint8_t* tiff = nullptr;
      std::size_t tiff_size = 0;
      // The segment comes before the picture data, inside the head in practice; a
      // JPEG is never read whole for it.
      if (FindJpegExif(bytes.data(), bytes.size(), tiff, tiff_size))
        ReadCameraExif(tiff, tiff_size, camera, past_end);
      return false;
    }
    // HEIF, AVIF and JPEG XL carry a block of their own; a TIFF file is the structure.
    std::vector<std::uint8_t> block;
    bool block_past_end = false;
    if (PhotoExifBlock({bytes.data(), bytes.size()}, block, &block_past_end)) {
      ReadCameraExif(block.data(), block.size(), camera, past_end);
      return false;
    }
    if (block_past_end) return true;
    ReadCameraExif(bytes.data(), bytes.size(), camera, past_end);
    return past_end;
  });
  if (!keep_gps) camera.gps.clear();
  return camera;
}

void SavedFileDirectories(const CameraExif& camera, int width, int height, double pixels_per_mm,
                          bool jpeg, std::vector<TiffField>& main, std::vector<TiffField>& exif,
                          std::vector<TiffField>& gps) {
  const bool little = camera.little_endian;
  main.insert(main.end(), camera.main.begin(), camera.main.end());
  main.push_back(ShortField(kOrientationTag, 1, little));
  const double ppi = std::nearbyint(pixels_per_mm * 25.4 * kResolutionScale);
  if (ppi >= 1) {
    const auto value = static_cast<std::uint32_t>(std::min(ppi, 4294967295.0));
    const auto scale = static_cast<std::uint32_t>(kResolutionScale);
    main.push_back(RationalField(kXResolutionTag, value, scale, little));
    main.push_back(RationalField(kYResolutionTag, value, scale, little));
    main.push_back(ShortField(kResolutionUnitTag, kInches, little));
  }
  if (jpeg) main.push_back(ShortField(kYCbCrPositioningTag, kCentred, little));
  exif = camera.exif;
  if (!exif.empty()) {
    // The pixel size and the component layout of compressed data belong to a JPEG's
    // EXIF data only; a TIFF states its size in its own image tags.
    if (jpeg) {
      exif.push_back(LongField(kPixelXDimensionTag, static_cast<std::uint32_t>(width), little));
      exif.push_back(LongField(kPixelYDimensionTag, static_cast<std::uint32_t>(height), little));
    } else {
      std::erase_if(exif, [](const TiffField& f) {
        return f.tag == kComponentsTag || f.tag == kCompressedBitsTag;
      });
    }
    const auto add_missing = [&](std::uint16_t tag, const char(&bytes)[5]) {
      const auto has = [tag](const TiffField& f) { return f.tag == tag; };
      if (std::ranges::none_of(exif, has)) exif.push_back({tag, kTiffUndefined, 4, {bytes, 4}});
    };
    add_missing(kExifVersionTag, "0232");
    if (jpeg) {
      add_missing(kComponentsTag, "\x01\x02\x03\x00");
      add_missing(kFlashpixVersionTag, "0100");
    }
  }
  gps = camera.gps;
}

QByteArray ExifSegment(const CameraExif& camera, int width, int height, double pixels_per_mm) {
  if (!camera.present) return {};
  std::vector<TiffField> main, exif, gps;
  SavedFileDirectories(camera, width, height, pixels_per_mm, true, main, exif, gps);
  constexpr std::uint32_t kFirstDirectory = 8;
  const QByteArray directories = LayOutDirectories(
      camera.little_endian, kFirstDirectory, std::move(main), std::move(exif), std::move(gps));
  const QByteArray payload = QByteArray(kExifHeader, sizeof kExifHeader) +
                             TiffHeader(camera.little_endian, kFirstDirectory) + directories;
  if (directories.isEmpty() || payload.size() > kMaxSegmentPayload) return {};
  QByteArray segment("\xFF\xE1", 2);
  const qsizetype length = payload.size() + 2;
  segment.append(static_cast<char>(length >> 8));
  segment.append(static_cast<char>(length & 0xFF));
  return segment + payload;
}

}  // namespace tessaly
