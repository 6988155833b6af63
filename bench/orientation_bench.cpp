// The cost of reading a photo upright: a 4000 × 3000 JPEG (quality 92, the
// synthetic photo's pixels) untagged (argument 1) and tagged "turn 90° clockwise"
// (argument 6), through the screen copy a new photo gets, the reduced decode a
// 10 × 15 cm save at 300 ppi needs, and the full decode.
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <QDir>
#include <QFile>

#include "surface/cgdiimage.h"
#include "surface/image_file_reader.h"
#include "synthetic_photo.h"

namespace tessaly::bench {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// The EXIF segment of a big-endian structure holding only the orientation tag.
QByteArray OrientationSegment(int orientation) {
  QByteArray payload("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 24);
  payload +=
      QByteArray(1, '\0') + QByteArray(1, static_cast<char>(orientation)) + QByteArray(6, '\0');
  QByteArray segment("\xff\xe1", 2);
  segment += static_cast<char>((payload.size() + 2) >> 8);
  segment += static_cast<char>((payload.size() + 2) & 0xFF);
  return segment + payload;
}

// The photo file with `orientation` (1: no EXIF segment), written once per run.
QString PhotoPath(int orientation) {
  static const QByteArray jpeg = [] {
    cDIB dib = SyntheticSurface();
    const SurfaceView v = dib.View();
    tjhandle tj = tjInitCompress();
    unsigned char* data = nullptr;
    unsigned long size = 0;
    QByteArray out;
    if (tjCompress2(tj, v.bits, kWidth, v.stride, kHeight, TJPF_BGR, &data, &size, TJSAMP_420, 92,
                    TJFLAG_BOTTOMUP) == 0)
      out = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    tjFree(data);
    tjDestroy(tj);
    return out;
  }();
  const QString path =
      QDir::temp().filePath(QStringLiteral("tessaly-bench-upright-%1.jpg").arg(orientation));
  QFile file(path);
  if (!file.exists() && file.open(QIODevice::WriteOnly))
    file.write(orientation == 1 ? jpeg
                                : jpeg.left(2) + OrientationSegment(orientation) + jpeg.mid(2));
  return path;
}

void BM_UprightScreenCopy(benchmark::State& state) {
  const QString path = PhotoPath(static_cast<int>(state.range(0)));
  int w = 0, h = 0;
  for (auto _ : state) {
    cDIB copy = ScaledCopyFromFile(
        path,
        [](int width, int height) { return width > height ? QSize(700, 525) : QSize(525, 700); }, w,
        h);
    if (!copy.IsCreated()) {
      state.SkipWithError("screen copy failed");
      break;
    }
    benchmark::DoNotOptimize(copy.DIBitsPtr());
  }
}

void Decode(benchmark::State& state, double least) {
  const QString path = PhotoPath(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    cGDIImage image;
    if (!image.CreateFromFile(path, least)) {
      state.SkipWithError("decode failed");
      break;
    }
    benchmark::DoNotOptimize(image.Pixels().bits);
  }
}

// 1772 pixels along 15 cm at 300 ppi from 4000: a half-size decode covers it.
void BM_UprightSaveDecode(benchmark::State& state) {
  Decode(state, 0.45);
}

void BM_UprightFullDecode(benchmark::State& state) {
  Decode(state, 1.0);
}

BENCHMARK(BM_UprightScreenCopy)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UprightSaveDecode)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UprightFullDecode)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaly::bench
