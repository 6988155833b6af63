// Synthetic photo: gradients in each channel plus uniform noise of ±24 levels.
#include "synthetic_photo.h"

#include <turbojpeg.h>

#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "surface/image_file_reader.h"

namespace tessaly::bench {

cDIB SyntheticSurface() {
  cDIB dib;
  if (!dib.Create(kPhotoWidth, kPhotoHeight, 0)) return dib;
  const SurfaceView v = dib.View();
  std::mt19937 rng(2026);
  std::uniform_int_distribution<int> noise(-24, 24);
  for (int y = 0; y < v.height; ++y) {
    std::uint8_t* row = v.Row(y);
    for (int x = 0; x < v.width; ++x) {
      const int base[3] = {40 + 160 * x / v.width, 30 + 190 * y / v.height,
                           220 - 180 * (x + y) / (v.width + v.height)};
      for (int ch = 0; ch < 3; ++ch) {
        const int value = base[ch] + noise(rng);
        row[3 * x + ch] = static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
      }
    }
  }
  return dib;
}

void TimeScreenCopy(benchmark::State& state, const std::string& path, int width, int height) {
  const QString file = QString::fromStdString(path);
  for (auto _ : state) {
    cDIB copy = ScaledCopyFromFile(file, width, height);
    if (!copy.IsCreated()) {
      state.SkipWithError("screen copy failed");
      break;
    }
    benchmark::DoNotOptimize(copy.DIBitsPtr());
  }
}

const std::string& SyntheticJpegPath() {
  static const std::string path = [] {
    const QString file = QDir::temp().filePath("tessaly-bench-6000x4000-q92.jpg");
    if (QFile::exists(file)) return file.toStdString();
    cDIB dib = SyntheticSurface();
    tjhandle tj = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int rc = tjCompress2(tj, dib.DIBitsPtr(), dib.Width(), dib.Stride(), dib.Height(),
                               TJPF_BGR, &jpeg, &size, TJSAMP_420, 92, TJFLAG_BOTTOMUP);
    if (rc == 0) {
      QFile out(file);
      if (out.open(QIODevice::WriteOnly))
        out.write(reinterpret_cast<const char*>(jpeg), static_cast<qint64>(size));
    } else {
      std::fprintf(stderr, "synthetic JPEG: %s\n", tjGetErrorStr2(tj));
    }
    tjFree(jpeg);
    tjDestroy(tj);
    return file.toStdString();
  }();
  return path;
}

const std::string& HeicPhotoPath() {
  static const std::string path = [] {
    const QString heic = QDir::temp().filePath("tessaly-bench-4000x3000-q85.heic");
    if (QFile::exists(heic)) return heic.toStdString();
    const QString crop = QDir::temp().filePath("tessaly-bench-4000x3000.jpg");
    const std::string make = "/usr/bin/convert '" + SyntheticJpegPath() +
                             "' -crop 4000x3000+0+0 +repage -quality 95 '" + crop.toStdString() +
                             "' && /usr/bin/heif-enc -q 85 '" + crop.toStdString() + "' -o '" +
                             heic.toStdString() + "' > /dev/null";
    const bool made = std::system(make.c_str()) == 0;
    QFile::remove(crop);
    return made ? heic.toStdString() : std::string();
  }();
  return path;
}

}  // namespace tessaly::bench
