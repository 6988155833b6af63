// Peer measurements in the same run: libjpeg-turbo's own djpeg decoding the same
// synthetic photo, at full size and at the screen-copy scale; and the whole save of
// the profiled photo to a 10 × 15 cm print at 300 ppi (1772 × 1181, quality 90) done
// by libvips' vipsthumbnail and by ImageMagick's convert, both the Debian builds.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "profiled_photo.h"
#include "synthetic_photo.h"

namespace tessaly::bench {
namespace {

// The distribution's binaries by full path, so another program of the same name
// earlier on PATH is never what gets timed.
constexpr char kVipsthumbnail[] = "/usr/bin/vipsthumbnail";
constexpr char kImageMagickConvert[] = "/usr/bin/convert";
// The print: 150 × 100 mm at 300 ppi, saved at JPEG quality 90.
constexpr char kPrintSize[] = "1772x1181";
// The convert peer crops the centred five sixths of the photo, as the save's crop does.
constexpr char kCentredCrop[] = "5000x3333+500+333";
// ImageMagick's unsharp radius 0 picks the radius from sigma; sigma 1 pixel.
constexpr char kUnsharp[] = "0x1";

std::string Quoted(const QString& text) {
  // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "'" + string.
  std::string quoted(1, '\'');
  quoted.append(text.toStdString());
  quoted.push_back('\'');
  return quoted;
}

void RunDjpeg(benchmark::State& state, const std::string& options) {
  const std::string command =
      "djpeg " + options + " -outfile /dev/null '" + SyntheticJpegPath() + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("djpeg failed (is libjpeg-turbo-progs installed?)");
      break;
    }
  }
}

void BM_PeerDjpegDecode(benchmark::State& state) {
  RunDjpeg(state, "");
}
void BM_PeerDjpegScale8(benchmark::State& state) {
  RunDjpeg(state, "-scale 1/8");
}

// Runs `command` (which writes `output`) once per iteration and reports the output
// file's size. Skipped when `tool` is not installed or the command fails.
void RunSavePeer(benchmark::State& state, const char* tool, const std::string& command,
                 const QString& output) {
  if (access(tool, X_OK) != 0) {
    state.SkipWithError((std::string(tool) + " is missing (see scripts/setup.sh)").c_str());
    return;
  }
  if (ProfiledJpegPath().empty()) {
    state.SkipWithError("the profiled synthetic photo could not be made");
    return;
  }
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError((std::string(tool) + " failed: " + command).c_str());
      return;
    }
  }
  state.counters["output_kB"] = static_cast<double>(QFileInfo(output).size()) / 1000.0;
}

void BM_PeerVipsthumbnail(benchmark::State& state) {
  const QTemporaryDir folder;
  const QString output = QDir(folder.path()).filePath(QStringLiteral("out.jpg"));
  const std::string command = std::string(kVipsthumbnail) + " '" + ProfiledJpegPath() + "' -s " +
                              kPrintSize + " --export-profile srgb -o " +
                              Quoted(output + QStringLiteral("[Q=90]"));
  RunSavePeer(state, kVipsthumbnail, command, output);
}

void BM_PeerImageMagickConvert(benchmark::State& state) {
  const QTemporaryDir folder;
  const QString output = QDir(folder.path()).filePath(QStringLiteral("out.jpg"));
  // "!" asks for exactly the print size, as the save makes it; -profile converts from
  // the embedded profile to sRGB.
  const std::string command = std::string(kImageMagickConvert) + " '" + ProfiledJpegPath() +
                              "' -crop " + kCentredCrop + " +repage -resize '" + kPrintSize +
                              "!' -unsharp " + kUnsharp + " -profile " + Quoted(SrgbProfilePath()) +
                              " -quality 90 " + Quoted(output);
  RunSavePeer(state, kImageMagickConvert, command, output);
}

BENCHMARK(BM_PeerDjpegDecode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PeerDjpegScale8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PeerVipsthumbnail)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PeerImageMagickConvert)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessaly::bench
