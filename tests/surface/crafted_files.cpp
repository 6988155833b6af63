#include "surface/crafted_files.h"

#include "support/test_surfaces.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <QFile>
#include <string>
#include <vector>

namespace tessaly::test {
namespace {

// Appends `bytes` bytes of `v`, least significant first unless `big_endian`.
void Append(QByteArray& b, std::uint32_t v, int bytes, bool big_endian = false) {
  for (int i = 0; i < bytes; ++i)
    b.append(static_cast<char>(v >> 8 * (big_endian ? bytes - 1 - i : i)));
}

void AppendPngChunk(QByteArray& png, const char* type, const QByteArray& data) {
  Append(png, static_cast<std::uint32_t>(data.size()), 4, true);
  const QByteArray body = QByteArray(type, 4) + data;
  std::uint32_t crc = 0xFFFFFFFFu;
  for (char ch : body) {
    crc ^= static_cast<std::uint8_t>(ch);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  png.append(body);
  Append(png, crc ^ 0xFFFFFFFFu, 4, true);
}

// Gradient bytes of `rows` rows of pixel columns 0..width−1, channel by channel,
// each row followed by `pad` zero bytes: byte (x, y, ch) is 7x + 13y + 71ch mod 256.
QByteArray Pattern(int width, int rows, int pad = 0) {
  QByteArray out;
  out.reserve(static_cast<qsizetype>(rows) * (3LL * width + pad));
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < width; ++x)
      for (int ch = 0; ch < 3; ++ch) out.append(static_cast<char>(x * 7 + y * 13 + ch * 71));
    out.append(QByteArray(pad, '\0'));
  }
  return out;
}

}  // namespace

QString TestFile(const QString& name) {
  static std::string current;
  static QString folder;
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string test = std::string(info->test_suite_name()) + "." + info->name();
  if (test != current) {
    folder = QString::fromStdString(TempDir());
    current = test;
  }
  return folder + "/" + name;
}

QByteArray ReadFileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::uint32_t Field(const QByteArray& b, int at, int bytes, bool big_endian) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i)
    v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + i]))
         << 8 * (big_endian ? bytes - 1 - i : i);
  return v;
}

std::uint32_t PixelOf(const SurfaceView& view, int x, int y) {
  const std::uint8_t* p = view.Row(view.height - 1 - y) + 3 * x;
  return p[2] | (p[1] << 8) | (static_cast<std::uint32_t>(p[0]) << 16);
}

QByteArray CraftedPng(int width, int height, bool with_pixel_data) {
  QByteArray png("\x89PNG\r\n\x1a\n", 8), ihdr;
  Append(ihdr, static_cast<std::uint32_t>(width), 4, true);
  Append(ihdr, static_cast<std::uint32_t>(height), 4, true);
  ihdr.append("\x08\x02\0\0\0", 5);  // 8 bits per sample, colour type RGB
  AppendPngChunk(png, "IHDR", ihdr);
  // Every row starts with filter type none (0): each row's zero pad byte becomes
  // the next row's filter byte.
  const QByteArray raw = QByteArray(1, '\0') + Pattern(width, with_pixel_data ? height : 1, 1);
  // qCompress puts a 4-byte length before the zlib stream PNG wants.
  AppendPngChunk(png, "IDAT", qCompress(raw.left(raw.size() - 1)).mid(4));
  if (with_pixel_data) AppendPngChunk(png, "IEND", QByteArray());
  return png;
}

QByteArray CraftedBmp(int width, int height, bool with_pixel_data) {
  const std::uint32_t stride = (3u * width + 3u) & ~3u;
  const std::uint32_t image_bytes = stride * static_cast<std::uint32_t>(height);
  // File size, reserved, pixel offset; the 40-byte info header: its size, width,
  // height, 1 plane, 24 bits, no compression, image bytes, resolutions and palette.
  QByteArray bmp("BM");
  for (std::uint32_t v : {54 + image_bytes, 0u, 54u, 40u, std::uint32_t(width),
                          std::uint32_t(height), 1u | (24u << 16), 0u, image_bytes, 0u, 0u, 0u, 0u})
    Append(bmp, v, 4);
  return with_pixel_data ? bmp + Pattern(width, height, static_cast<int>(stride) - 3 * width) : bmp;
}

QByteArray CraftedTiff(int width, int height, bool with_pixel_data) {
  constexpr std::uint16_t kShort = 3, kLong = 4;
  constexpr std::uint32_t kEntries = 10, kBitsAt = 8 + 2 + kEntries * 12 + 4;
  const std::uint32_t w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(height);
  // {tag, type, count, value}: size, 8 bits a sample (at kBitsAt), no compression,
  // RGB, one strip after the bits, 3 samples a pixel, rows per strip, strip bytes,
  // chunky planes.
  const std::uint32_t entries[kEntries][4] = {
      {256, kLong, 1, w},  {257, kLong, 1, h},  {258, kShort, 3, kBitsAt},
      {259, kShort, 1, 1}, {262, kShort, 1, 2}, {273, kLong, 1, kBitsAt + 6},
      {277, kShort, 1, 3}, {278, kLong, 1, h},  {279, kLong, 1, 3 * w * h},
      {284, kShort, 1, 1}};
  QByteArray tiff("II*\0\x08\0\0\0", 8);
  Append(tiff, kEntries, 2);
  // A single SHORT value sits in the first two bytes of its 4-byte field.
  for (const auto& e : entries)
    for (int i = 0; i < 4; ++i) Append(tiff, e[i], i < 2 ? 2 : 4);
  Append(tiff, 0, 4);  // no next directory
  tiff.append("\x08\0\x08\0\x08\0", 6);
  return tiff + (with_pixel_data ? Pattern(width, height) : QByteArray(16, '\0'));
}

QByteArray JpegWithFrameSize(const QByteArray& jpeg, int width, int height) {
  QByteArray out = jpeg;
  int at = 2;
  while (at + 4 <= out.size()) {
    const int marker = static_cast<std::uint8_t>(out[at + 1]);
    const int length = static_cast<int>(Field(out, at + 2, 2, true));
    // Baseline, extended and progressive frame headers: height then width after
    // the 8-bit precision field.
    if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
      QByteArray size;
      Append(size, static_cast<std::uint32_t>(height), 2, true);
      Append(size, static_cast<std::uint32_t>(width), 2, true);
      return out.replace(at + 5, 4, size);
    }
    at += 2 + length;
  }
  return QByteArray();
}

QByteArray SmallJpeg(int width, int height, bool progressive) {
  std::vector<unsigned char> rgb(3u * width * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int ch = 0; ch < 3; ++ch)
        rgb[3u * (y * width + x) + ch] =
            static_cast<unsigned char>((x * 255 / width + y * 128 / height + 60 * ch) & 0xFF);
  tjhandle tj = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  QByteArray out;
  if (tjCompress2(tj, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_420, 90,
                  progressive ? TJFLAG_PROGRESSIVE : 0) == 0)
    out = QByteArray(reinterpret_cast<const char*>(jpeg), static_cast<qsizetype>(size));
  tjFree(jpeg);
  tjDestroy(tj);
  return out;
}

QByteArray QuadrantJpeg(int width, int height) {
  static constexpr unsigned char kColours[4][3] = {
      {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  std::vector<unsigned char> rgb(3u * width * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int quadrant = (y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0);
      for (int ch = 0; ch < 3; ++ch) rgb[3u * (y * width + x) + ch] = kColours[quadrant][ch];
    }
  tjhandle tj = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  QByteArray out;
  if (tjCompress2(tj, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_444, 95, 0) == 0)
    out = QByteArray(reinterpret_cast<const char*>(jpeg), static_cast<qsizetype>(size));
  tjFree(jpeg);
  tjDestroy(tj);
  return out;
}

QByteArray JpegWithOrientation(const QByteArray& jpeg, int orientation) {
  // "Exif\0\0", TIFF header (MM, 42, directory at 8), one entry: tag 274, SHORT, count
  // 1, the value in the first two bytes of the value field; no next directory.
  const QByteArray payload =
      QByteArray("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 24) +
      QByteArray(1, '\0') + QByteArray(1, static_cast<char>(orientation)) + QByteArray(6, '\0');
  QByteArray segment("\xff\xe1", 2);
  segment.append(static_cast<char>((payload.size() + 2) >> 8));
  segment.append(static_cast<char>((payload.size() + 2) & 0xFF));
  return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

cDIB TurboJpegDecoded(const QByteArray& jpeg, int width, int height) {
  std::vector<unsigned char> rgb(3u * width * height);
  tjhandle tj = tjInitDecompress();
  const bool ok = tjDecompress2(tj, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                                static_cast<unsigned long>(jpeg.size()), rgb.data(), width, 0,
                                height, TJPF_RGB, 0) == 0;
  tjDestroy(tj);
  cDIB dib;
  if (!ok || !dib.Create(width, height)) return dib;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int ch = 0; ch < 3; ++ch)
        dib.View().Row(height - 1 - y)[3 * x + ch] = rgb[3u * (y * width + x) + 2 - ch];
  return dib;
}

QByteArray JpegWithRepeatedLastScan(const QByteArray& jpeg, int repeats) {
  auto byte = [&](int i) { return static_cast<std::uint8_t>(jpeg[i]); };
  // A marker ending a scan's coded data: neither a stuffed zero nor a restart marker.
  auto ends_scan = [&](int i) {
    return byte(i) == 0xFF && byte(i + 1) != 0 && (byte(i + 1) < 0xD0 || byte(i + 1) > 0xD7);
  };
  // Walk the segments to the end marker; a scan runs on past its header.
  int at = 2, last_scan = -1;
  while (at + 4 <= jpeg.size() && byte(at + 1) != 0xD9) {
    const bool scan = byte(at + 1) == 0xDA;
    if (scan) last_scan = at;
    at += 2 + static_cast<int>(Field(jpeg, at + 2, 2, true));
    while (scan && at + 1 < jpeg.size() && !ends_scan(at)) ++at;
  }
  if (last_scan < 0 || at + 2 > jpeg.size() || byte(at + 1) != 0xD9) return QByteArray();
  return jpeg.left(at) + jpeg.mid(last_scan, at - last_scan).repeated(repeats) + jpeg.mid(at);
}

}  // namespace tessaly::test
