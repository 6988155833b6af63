#include "support/test_surfaces.h"

#include <gtest/gtest.h>

#include <QDir>
#include <cstring>

namespace tessaly::test {

void FillRandom(const SurfaceView& view, std::mt19937& rng) {
  std::uniform_int_distribution<int> byte(0, 255);
  for (int y = 0; y < view.height; ++y) {
    std::uint8_t* row = view.Row(y);
    for (int x = 0; x < 3 * view.width; ++x) row[x] = static_cast<std::uint8_t>(byte(rng));
  }
}

cDIB RandomSurface(int width, int height, std::uint32_t seed) {
  cDIB dib;
  if (!dib.Create(width, height, 0)) return dib;
  std::mt19937 rng(seed);
  FillRandom(dib.View(), rng);
  return dib;
}

std::vector<std::uint8_t> PixelBytes(const SurfaceView& view) {
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(3) * view.width * view.height);
  for (int y = 0; y < view.height; ++y)
    out.insert(out.end(), view.Row(y), view.Row(y) + 3 * view.width);
  return out;
}

bool SamePixels(const SurfaceView& a, const SurfaceView& b) {
  if (a.width != b.width || a.height != b.height) return false;
  for (int y = 0; y < a.height; ++y)
    if (std::memcmp(a.Row(y), b.Row(y), 3 * static_cast<std::size_t>(a.width)) != 0) return false;
  return true;
}

std::string TempDir() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  QString name = QString("tessaly-test-%1-%2")
                     .arg(info ? info->test_suite_name() : "x", info ? info->name() : "y");
  name.replace('/', '_');
  const QString path = QDir::temp().filePath(name);
  QDir(path).removeRecursively();
  QDir().mkpath(path);
  return path.toStdString();
}

}  // namespace tessaly::test
