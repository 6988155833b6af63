// Apple raster decoded page by page. Each page is rows of pixels; a row starts with a repeat byte
// (the row stands for 1 + n rows), then runs: a byte n < 128 repeats the next pixel n + 1 times, n
// > 128 is followed by 257 - n literal pixels, and 128 fills the rest of the row with white.
#include "support/raster_pages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace tessaly::test {
namespace {

constexpr int kAppleHeaderBytes = 32;
// Largest side and resolution taken: 100 in at 300 dpi, and past any printer.
constexpr quint32 kMaxSide = 30000;
constexpr quint32 kMaxDpi = 9600;
// Largest decoded page: Letter at 1200 dpi in RGB needs 404 MB.
constexpr qint64 kMaxPageBytes = qint64(512) << 20;

// Big-endian reading that never runs past the end of the bytes.
class Reader {
 public:
  explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}
  qsizetype Left() const { return bytes_.size() - at_; }
  bool Take(qsizetype count, const uchar*& data) {
    if (count < 0 || count > Left()) return false;
    data = reinterpret_cast<const uchar*>(bytes_.constData()) + at_;
    at_ += count;
    return true;
  }
  bool Byte(int& value) {
    const uchar* data = nullptr;
    if (!Take(1, data)) return false;
    value = data[0];
    return true;
  }

 private:
  const QByteArray& bytes_;
  qsizetype at_ = 0;
};

// Sets `error` to `reason`; false, for returning at once.
bool Fail(QString& error, const QString& reason) {
  error = reason;
  return false;
}

quint32 Big32(const uchar* data) {
  return quint32(data[0]) << 24 | quint32(data[1]) << 16 | quint32(data[2]) << 8 | data[3];
}

// Colour spaces decoded: the code in an Apple page header, the name and the channels
// of 8 bits per pixel.
struct Space {
  quint32 code;
  const char* name;
  int channels;
};
constexpr Space kAppleSpaces[] = {
    {0, "sGray", 1}, {1, "sRGB", 3}, {3, "AdobeRGB", 3}, {4, "Gray", 1}, {5, "RGB", 3}};

// Name and channel count of colour space `code` in `spaces`; false when not decoded.
template <size_t N>
bool FindSpace(const Space (&spaces)[N], quint32 code, QString& name, int& channels) {
  for (const Space& space : spaces) {
    if (space.code != code) continue;
    name = QLatin1String(space.name);
    channels = space.channels;
    return true;
  }
  return false;
}

// Checks the sizes of a page whose header has been read, then decodes its rows.
bool DecodePage(Reader& in, quint32 width, quint32 height, quint32 x_dpi, quint32 y_dpi,
                int channels, RasterPage& page, QString& error) {
  if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
    return Fail(error, QStringLiteral("page of %1 x %2 pixels").arg(width).arg(height));
  if (x_dpi == 0 || y_dpi == 0 || x_dpi > kMaxDpi || y_dpi > kMaxDpi)
    return Fail(error, QStringLiteral("resolution %1 x %2 dpi").arg(x_dpi).arg(y_dpi));
  if (page.bits_per_colour != 8 || page.bits_per_pixel != 8 * channels)
    return Fail(error, QStringLiteral("%1 bits per colour, %2 per pixel")
                           .arg(page.bits_per_colour)
                           .arg(page.bits_per_pixel));
  const qsizetype row_bytes = qsizetype(width) * channels;
  if (row_bytes * height > kMaxPageBytes) return Fail(error, QStringLiteral("page too large"));
  page.width = int(width);
  page.height = int(height);
  page.x_dpi = int(x_dpi);
  page.y_dpi = int(y_dpi);
  page.pixels = QImage(page.width, page.height,
                       channels == 3 ? QImage::Format_RGB888 : QImage::Format_Grayscale8);
  if (page.pixels.isNull()) return Fail(error, QStringLiteral("no memory for the page"));

  for (int y = 0; y < page.height;) {
    int repeat = 0;
    if (!in.Byte(repeat)) return Fail(error, QStringLiteral("data ends at row %1").arg(y));
    uchar* row = page.pixels.scanLine(y);
    for (qsizetype x = 0; x < row_bytes;) {
      int code = 0;
      const uchar* data = nullptr;
      if (!in.Byte(code)) return Fail(error, QStringLiteral("data ends in row %1").arg(y));
      if (code == 128) {
        std::memset(row + x, 0xff, size_t(row_bytes - x));
        break;
      }
      const qsizetype count = code < 128 ? code + 1 : 257 - code;
      if (count * channels > row_bytes - x)
        return Fail(error, QStringLiteral("run past the end of row %1").arg(y));
      if (!in.Take(code < 128 ? channels : count * channels, data))
        return Fail(error, QStringLiteral("data ends in row %1").arg(y));
      if (code > 128) {
        std::memcpy(row + x, data, size_t(count * channels));
        x += count * channels;
      } else {
        for (qsizetype i = 0; i < count; ++i, x += channels) std::memcpy(row + x, data, channels);
      }
    }
    if (repeat >= page.height - y)
      return Fail(error, QStringLiteral("row %1 repeated past the last row").arg(y));
    for (int r = 1; r <= repeat; ++r) std::memcpy(page.pixels.scanLine(y + r), row, row_bytes);
    y += repeat + 1;
  }
  return true;
}

bool DecodeApple(Reader& in, std::vector<RasterPage>& pages, QString& error) {
  const uchar* count = nullptr;
  if (!in.Take(4, count)) return Fail(error, QStringLiteral("short file header"));
  while (in.Left() > 0) {
    const uchar* h = nullptr;
    RasterPage page;
    int channels = 0;
    if (!in.Take(kAppleHeaderBytes, h)) return Fail(error, QStringLiteral("short page header"));
    if (!FindSpace(kAppleSpaces, h[1], page.colour_space, channels))
      return Fail(error, QStringLiteral("colour space %1").arg(h[1]));
    page.bits_per_pixel = h[0];
    page.bits_per_colour = h[0] / channels;
    const quint32 dpi = Big32(h + 20);
    if (!DecodePage(in, Big32(h + 12), Big32(h + 16), dpi, dpi, channels, page, error))
      return false;
    pages.push_back(std::move(page));
  }
  // A count of 0 leaves the number of pages open.
  if (Big32(count) != 0 && Big32(count) != pages.size())
    return Fail(error, QStringLiteral("%1 pages of %2").arg(pages.size()).arg(Big32(count)));
  return true;
}

}  // namespace

bool DecodeRaster(const QByteArray& bytes, std::vector<RasterPage>& pages, QString& error) {
  pages.clear();
  error.clear();
  Reader in(bytes);
  bool ok = false;
  if (bytes.startsWith(QByteArray("UNIRAST", 8))) {
    const uchar* sync = nullptr;
    ok = in.Take(8, sync) && DecodeApple(in, pages, error);
  } else {
    error = QStringLiteral("not Apple raster");
  }
  if (ok && pages.empty()) ok = Fail(error, QStringLiteral("no pages"));
  if (!ok) pages.clear();
  return ok;
}

bool ReadRasterFile(const QString& path, std::vector<RasterPage>& pages, QString& error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    pages.clear();
    error = file.errorString();
    return false;
  }
  return DecodeRaster(file.readAll(), pages, error);
}

QString NewestFile(const QString& folder) {
  const QFileInfoList files =
      QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Time);
  return files.isEmpty() ? QString() : files.first().absoluteFilePath();
}

}  // namespace tessaly::test
