#include "support/test_surfaces.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <cstring>

namespace tessaly::test {

namespace {

// Fills the pixel bytes (not the padding) of `view` from the generator.
void FillRandom(const SurfaceView& view, std::mt19937& rng) {
  std::uniform_int_distribution<int> byte(0, 255);
  for (int y = 0; y < view.height; ++y) {
    std::uint8_t* row = view.Row(y);
    for (int x = 0; x < 3 * view.width; ++x) row[x] = static_cast<std::uint8_t>(byte(rng));
  }
}

}  // namespace

cDIB RandomSurface(int width, int height, std::uint32_t seed) {
  cDIB dib;
  if (!dib.Create(width, height, 0)) return dib;
  std::mt19937 rng(seed);
  FillRandom(dib.View(), rng);
  return dib;
}

cDIB MarkedRandomSurface(int width, int height, std::uint32_t seed) {
  cDIB dib = RandomSurface(width, height, seed);
  const SurfaceView v = dib.View();
  for (int y = 0; y < v.height; ++y)
    std::memset(v.Row(y) + 3 * v.width, 0xA5, v.stride - 3 * v.width);
  return dib;
}

std::vector<std::uint8_t> PixelBytes(const SurfaceView& view) {
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<std::size_t>(3) * view.width * view.height);
  for (int y = 0; y < view.height; ++y)
    out.insert(out.end(), view.Row(y), view.Row(y) + 3 * view.width);
  return out;
}

std::vector<std::uint8_t> AllBytes(const SurfaceView& view) {
  return std::vector<std::uint8_t>(view.bits, view.bits + view.ByteCount());
}

bool SamePixels(const SurfaceView& a, const SurfaceView& b) {
  if (a.width != b.width || a.height != b.height) return false;
  for (int y = 0; y < a.height; ++y)
    if (std::memcmp(a.Row(y), b.Row(y), 3 * static_cast<std::size_t>(a.width)) != 0) return false;
  return true;
}

std::string TempDir() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  // The test program's folder is part of the name, so that two builds running the
  // same test at once never share a folder.
  const size_t build = qHash(QCoreApplication::applicationDirPath());
  QString name = QString("tessaly-test-%1-%2-%3")
                     .arg(QString::number(build, 16), info ? info->test_suite_name() : "x",
                          info ? info->name() : "y");
  name.replace('/', '_');
  const QString path = QDir::temp().filePath(name);
  QDir(path).removeRecursively();
  QDir().mkpath(path);
  return path.toStdString();
}

::testing::AssertionResult OnlyMessages(const ScriptedUi& ui, const QString& text, MsgIcon icon,
                                        std::size_t count) {
  if (ui.Messages().size() != count)
    return ::testing::AssertionFailure() << ui.Messages().size() << " messages, not " << count;
  for (const RecordedMessage& m : ui.Messages())
    if (m.text != text || m.buttons != MsgButtons::Ok || m.icon != icon)
      return ::testing::AssertionFailure()
             << "message \"" << m.text.toStdString() << "\" buttons " << static_cast<int>(m.buttons)
             << " icon " << static_cast<int>(m.icon);
  return ::testing::AssertionSuccess();
}

}  // namespace tessaly::test
