#include "surface/crafted_files.h"

#include "support/test_surfaces.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <QFile>
#include <array>
#include <string>
#include <vector>

namespace tessaly::test {
namespace {

void AppendLe16(QByteArray& b, std::uint32_t v) {
  b.append(static_cast<char>(v & 0xFF));
  b.append(static_cast<char>((v >> 8) & 0xFF));
}
void AppendLe32(QByteArray& b, std::uint32_t v) {
  AppendLe16(b, v & 0xFFFF);
  AppendLe16(b, v >> 16);
}
void AppendBe32(QByteArray& b, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) b.append(static_cast<char>((v >> shift) & 0xFF));
}

std::uint32_t Crc32(const QByteArray& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (char ch : bytes) {
    crc ^= static_cast<std::uint8_t>(ch);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

void AppendPngChunk(QByteArray& png, const char* type, const QByteArray& data) {
  AppendBe32(png, static_cast<std::uint32_t>(data.size()));
  const QByteArray body = QByteArray(type, 4) + data;
  png.append(body);
  AppendBe32(png, Crc32(body));
}

// Gradient byte of pixel column x, row y, channel ch.
char PatternByte(int x, int y, int ch) {
  return static_cast<char>((x * 7 + y * 13 + ch * 71) & 0xFF);
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

bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

std::uint32_t Le16(const QByteArray& b, int at) {
  return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8);
}
std::uint32_t Le32(const QByteArray& b, int at) {
  return Le16(b, at) | (Le16(b, at + 2) << 16);
}
std::uint32_t Be16(const QByteArray& b, int at) {
  return (static_cast<std::uint8_t>(b[at]) << 8) | static_cast<std::uint8_t>(b[at + 1]);
}
std::uint32_t Be32(const QByteArray& b, int at) {
  return (Be16(b, at) << 16) | Be16(b, at + 2);
}

std::uint32_t PixelOf(const SurfaceView& view, int x, int y) {
  const std::uint8_t* p = view.Row(view.height - 1 - y) + 3 * x;
  return p[2] | (p[1] << 8) | (static_cast<std::uint32_t>(p[0]) << 16);
}

cDIB QuadrantSurface(int width, int height) {
  cDIB dib;
  dib.Create(width, height);
  const SurfaceView v = dib.View();
  for (int y = 0; y < height; ++y) {  // picture rows, top first
    std::uint8_t* row = v.Row(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const bool left = x < width / 2, top = y < height / 2;
      const std::uint32_t colour =
          top ? (left ? kTopLeftRed : kTopRightGreen) : (left ? kBottomLeftBlue : kBottomRightGrey);
      row[3 * x] = static_cast<std::uint8_t>(colour >> 16);
      row[3 * x + 1] = static_cast<std::uint8_t>(colour >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(colour);
    }
  }
  return dib;
}

QByteArray CraftedPng(int width, int height, bool with_pixel_data) {
  QByteArray png("\x89PNG\r\n\x1a\n", 8);
  QByteArray ihdr;
  AppendBe32(ihdr, static_cast<std::uint32_t>(width));
  AppendBe32(ihdr, static_cast<std::uint32_t>(height));
  ihdr.append(char(8));  // bits per sample
  ihdr.append(char(2));  // colour type RGB
  ihdr.append(QByteArray(3, '\0'));
  AppendPngChunk(png, "IHDR", ihdr);

  const int rows = with_pixel_data ? height : 1;
  QByteArray raw;
  raw.reserve(static_cast<qsizetype>(rows) * (1 + 3LL * width));
  for (int y = 0; y < rows; ++y) {
    raw.append('\0');  // filter type none
    for (int x = 0; x < width; ++x)
      for (int ch = 0; ch < 3; ++ch) raw.append(PatternByte(x, y, ch));
  }
  // qCompress puts a 4-byte length before the zlib stream PNG wants.
  AppendPngChunk(png, "IDAT", qCompress(raw).mid(4));
  if (with_pixel_data) AppendPngChunk(png, "IEND", QByteArray());
  return png;
}

QByteArray CraftedBmp(int width, int height, bool with_pixel_data) {
  const std::uint32_t stride = (3u * width + 3u) & ~3u;
  const std::uint32_t image_bytes = stride * static_cast<std::uint32_t>(height);
  QByteArray bmp("BM");
  AppendLe32(bmp, 54 + image_bytes);
  AppendLe32(bmp, 0);
  AppendLe32(bmp, 54);
  AppendLe32(bmp, 40);
  AppendLe32(bmp, static_cast<std::uint32_t>(width));
  AppendLe32(bmp, static_cast<std::uint32_t>(height));
  AppendLe16(bmp, 1);
  AppendLe16(bmp, 24);
  AppendLe32(bmp, 0);
  AppendLe32(bmp, image_bytes);
  for (int i = 0; i < 4; ++i) AppendLe32(bmp, 0);
  if (!with_pixel_data) return bmp;
  for (int y = 0; y < height; ++y) {
    QByteArray row(static_cast<qsizetype>(stride), '\0');
    for (int x = 0; x < width; ++x)
      for (int ch = 0; ch < 3; ++ch) row[3 * x + ch] = PatternByte(x, y, ch);
    bmp.append(row);
  }
  return bmp;
}

QByteArray CraftedTiff(int width, int height, bool with_pixel_data) {
  struct Entry {
    std::uint16_t tag, type;
    std::uint32_t count, value;
  };
  constexpr std::uint16_t kShort = 3, kLong = 4;
  const std::uint32_t strip_bytes = 3u * width * static_cast<std::uint32_t>(height);
  constexpr int kEntries = 10;
  const std::uint32_t ifd_at = 8;
  const std::uint32_t bits_at = ifd_at + 2 + kEntries * 12 + 4;
  const std::uint32_t strip_at = bits_at + 6;
  const std::array<Entry, kEntries> entries = {{
      {256, kLong, 1, static_cast<std::uint32_t>(width)},
      {257, kLong, 1, static_cast<std::uint32_t>(height)},
      {258, kShort, 3, bits_at},
      {259, kShort, 1, 1},  // no compression
      {262, kShort, 1, 2},  // RGB
      {273, kLong, 1, strip_at},
      {277, kShort, 1, 3},
      {278, kLong, 1, static_cast<std::uint32_t>(height)},
      {279, kLong, 1, strip_bytes},
      {284, kShort, 1, 1},
  }};
  QByteArray tiff("II*\0", 4);
  AppendLe32(tiff, ifd_at);
  AppendLe16(tiff, kEntries);
  for (const Entry& e : entries) {
    AppendLe16(tiff, e.tag);
    AppendLe16(tiff, e.type);
    AppendLe32(tiff, e.count);
    if (e.type == kShort && e.count == 1) {
      AppendLe16(tiff, e.value);
      AppendLe16(tiff, 0);
    } else {
      AppendLe32(tiff, e.value);
    }
  }
  AppendLe32(tiff, 0);  // no next directory
  for (int i = 0; i < 3; ++i) AppendLe16(tiff, 8);
  if (!with_pixel_data) return tiff + QByteArray(16, '\0');
  tiff.reserve(tiff.size() + static_cast<qsizetype>(strip_bytes));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int ch = 0; ch < 3; ++ch) tiff.append(PatternByte(x, y, ch));
  return tiff;
}

QByteArray JpegWithFrameSize(const QByteArray& jpeg, int width, int height) {
  QByteArray out = jpeg;
  int at = 2;
  while (at + 4 <= out.size()) {
    const int marker = static_cast<std::uint8_t>(out[at + 1]);
    const int length = static_cast<int>(Be16(out, at + 2));
    // Baseline, extended and progressive frame headers: height then width after
    // the 8-bit precision field.
    if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
      out[at + 5] = static_cast<char>(height >> 8);
      out[at + 6] = static_cast<char>(height & 0xFF);
      out[at + 7] = static_cast<char>(width >> 8);
      out[at + 8] = static_cast<char>(width & 0xFF);
      return out;
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

QByteArray JpegWithRepeatedLastScan(const QByteArray& jpeg, int repeats) {
  // Walk the segments; a scan runs from its SOS marker to the next marker that is
  // neither a stuffed zero nor a restart marker.
  int at = 2, last_scan = -1, end = -1;
  while (at + 2 <= jpeg.size()) {
    const int marker = static_cast<std::uint8_t>(jpeg[at + 1]);
    if (marker == 0xD9) {
      end = at;
      break;
    }
    if (at + 4 > jpeg.size()) break;
    const int length = static_cast<int>(Be16(jpeg, at + 2));
    if (marker != 0xDA) {
      at += 2 + length;
      continue;
    }
    last_scan = at;
    at += 2 + length;
    while (at + 1 < jpeg.size()) {
      const int next = static_cast<std::uint8_t>(jpeg[at + 1]);
      if (static_cast<std::uint8_t>(jpeg[at]) == 0xFF && next != 0 && (next < 0xD0 || next > 0xD7))
        break;
      ++at;
    }
  }
  if (last_scan < 0 || end < 0) return QByteArray();
  const QByteArray scan = jpeg.mid(last_scan, end - last_scan);
  return jpeg.left(end) + scan.repeated(repeats) + jpeg.mid(end);
}

}  // namespace tessaly::test
