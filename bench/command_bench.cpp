// The whole tessaly-batch commands against their peers, in the same run: the print
// of one page of four 6000 × 4000 photos (9 × 13 cm, at most 300 ppi, the built-in
// PDF printer) beside djpeg decoding the same four files, whole and at half size;
// the save of the profiled photo (10 × 15 cm, at most 300 ppi, sharpened, JPEG 90)
// and of twenty links to it, each beside vipsthumbnail's resize with sRGB export of
// the same files; the save of a 12 MP HEIC beside heif-convert writing it as a JPEG,
// each also after a few idle seconds, as a user starts a command (fresh memory then
// costs more). Every command starts as its own process, so start-up and file
// reading count for both. TESSALY_BENCH_BATCH names another tessaly-batch to time
// (an older build, say).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "print/pdf_printer.h"
#include "profiled_photo.h"
#include "settings/settings_file.h"
#include "synthetic_photo.h"

namespace tessaly::bench {
namespace {

constexpr char kVipsthumbnail[] = "/usr/bin/vipsthumbnail";
constexpr char kDjpeg[] = "/usr/bin/djpeg";
constexpr char kHeifConvert[] = "/usr/bin/heif-convert";
// Seconds the machine stays idle before a command in the "idle" runs.
constexpr int kIdleSeconds = 5;
constexpr int kPagePhotos = 4;
constexpr int kBatchPhotos = 20;
// vipsthumbnail's box for a 10 × 15 cm print at 300 ppi.
constexpr char kPrintSize[] = "1772x1181";

// The tessaly-batch to time: this build's unless the environment names another.
std::string BatchPath() {
  const char* other = std::getenv("TESSALY_BENCH_BATCH");
  return other && *other ? other : TESSALY_BATCH_PATH;
}

std::string Quoted(const QString& text) {
  std::string quoted(1, '\'');
  quoted.append(text.toStdString());
  quoted.push_back('\'');
  return quoted;
}

// A scratch folder with `count` hard links to `source` (photo-1.jpg ..., with the
// source's suffix) and the
// environment prefix that keeps the command's settings, history and cache inside it.
class CommandScratch {
 public:
  CommandScratch(const std::string& source, int count) {
    for (int i = 1; i <= count && ok_; ++i) {
      const QString link =
          dir_.filePath(QStringLiteral("photo-%1.%2")
                            .arg(i)
                            .arg(QFileInfo(QString::fromStdString(source)).suffix()));
      ok_ = ::link(source.c_str(), link.toLocal8Bit().constData()) == 0;
      files_ += ' ' + Quoted(link);
    }
    settings_ = dir_.filePath(QStringLiteral("Tesly.ini"));
    ok_ = ok_ && WriteIniValue(QStringLiteral("Options"), QStringLiteral("PdfFolder"),
                               dir_.filePath(QStringLiteral("pdf")), settings_);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
      env_ += std::string(name) + '=' + Quoted(dir_.filePath(QString::fromLatin1(name))) + ' ';
    env_ += "QT_QPA_PLATFORM=offscreen ";
  }
  bool ok() const { return ok_ && dir_.isValid(); }
  // The photo paths, each quoted and preceded by a space.
  const std::string& files() const { return files_; }
  std::string Batch(const std::string& arguments) const {
    return env_ + BatchPath() + ' ' + arguments + " --settings " + Quoted(settings_) + files_ +
           " >/dev/null 2>&1";
  }
  // A new empty folder for one iteration's output.
  QString Fresh(const QString& name) const {
    const QString path = dir_.filePath(name + QString::number(++fresh_));
    return QDir().mkpath(path) ? path : QString();
  }

 private:
  QTemporaryDir dir_;
  bool ok_ = true;
  std::string files_;
  QString settings_;
  std::string env_;
  mutable int fresh_ = 0;
};

// Runs the command `make(iteration folder)` gives once per iteration, each after
// `idle` untimed seconds.
template <typename Make>
void RunCommand(benchmark::State& state, const CommandScratch& scratch, const char* tool,
                int photos, Make make, int idle = 0) {
  if (!scratch.ok() || access(tool, X_OK) != 0) {
    state.SkipWithError((std::string(tool) + " or the scratch photos are missing").c_str());
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    const std::string command = make(scratch.Fresh(QStringLiteral("out-")));
    if (idle > 0) sleep(static_cast<unsigned>(idle));
    state.ResumeTiming();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError(("failed: " + command).c_str());
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * photos);
}

void BM_CommandPrintPage(benchmark::State& state) {
  const CommandScratch scratch(SyntheticJpegPath(), kPagePhotos);
  RunCommand(state, scratch, BatchPath().c_str(), kPagePhotos, [&](const QString&) {
    return scratch.Batch(std::string("print --printer '") + kPdfPrinterName +
                         "' --size 9x13cm --max 300");
  });
}

// Arg 1: full decodes; arg 2: decodes at half size, the scale a 300 ppi page needs.
void BM_PeerDjpegPagePhotos(benchmark::State& state) {
  const CommandScratch scratch(SyntheticJpegPath(), kPagePhotos);
  const std::string scale = state.range(0) == 2 ? " -scale 1/2" : "";
  RunCommand(state, scratch, kDjpeg, kPagePhotos, [&](const QString&) {
    return "for f in" + scratch.files() + "; do " + kDjpeg + scale +
           " -outfile /dev/null \"$f\" || exit 1; done";
  });
}

std::string SaveArguments(const QString& folder) {
  return "save --to " + Quoted(folder) +
         " --type jpeg --quality 90 --size 10x15cm --max 300 --sharpen";
}

std::string VipsCommand(const CommandScratch& scratch, const QString& folder) {
  return std::string(kVipsthumbnail) + scratch.files() + " -s " + kPrintSize +
         " --export-profile srgb -o " + Quoted(folder + QStringLiteral("/%s.jpg[Q=90]"));
}

void BM_CommandSave(benchmark::State& state) {
  const int photos = static_cast<int>(state.range(0));
  const CommandScratch scratch(ProfiledJpegPath(), photos);
  RunCommand(state, scratch, BatchPath().c_str(), photos,
             [&](const QString& folder) { return scratch.Batch(SaveArguments(folder)); });
}

void BM_PeerVipsthumbnailSave(benchmark::State& state) {
  const int photos = static_cast<int>(state.range(0));
  const CommandScratch scratch(ProfiledJpegPath(), photos);
  RunCommand(state, scratch, kVipsthumbnail, photos,
             [&](const QString& folder) { return VipsCommand(scratch, folder); });
}

void BM_CommandSaveHeic(benchmark::State& state) {
  const CommandScratch scratch(HeicPhotoPath(), 1);
  RunCommand(
      state, scratch, BatchPath().c_str(), 1,
      [&](const QString& folder) {
        return scratch.Batch("save --to " + Quoted(folder) +
                             " --type jpeg --quality 90 --size 10x15cm");
      },
      static_cast<int>(state.range(0)));
}

void BM_PeerHeifConvertJpeg(benchmark::State& state) {
  const CommandScratch scratch(HeicPhotoPath(), 1);
  RunCommand(
      state, scratch, kHeifConvert, 1,
      [&](const QString& folder) {
        return std::string(kHeifConvert) + " -q 90" + scratch.files() + ' ' +
               Quoted(folder + QStringLiteral("/photo.jpg")) + " >/dev/null";
      },
      static_cast<int>(state.range(0)));
}

BENCHMARK(BM_CommandPrintPage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PeerDjpegPagePhotos)
    ->ArgName("reduction")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_CommandSave)
    ->ArgName("photos")
    ->Arg(1)
    ->Arg(kBatchPhotos)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PeerVipsthumbnailSave)
    ->ArgName("photos")
    ->Arg(1)
    ->Arg(kBatchPhotos)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_CommandSaveHeic)
    ->ArgName("idle")
    ->Arg(0)
    ->Arg(kIdleSeconds)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PeerHeifConvertJpeg)
    ->ArgName("idle")
    ->Arg(0)
    ->Arg(kIdleSeconds)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace tessaly::bench
