// The main window's costs on the offscreen platform: start-up to the window shown
// (empty job, no dialog); adding one 24 MP JPEG as the open-photos dialog does
// (screen copy, record, strip thumbnail, the new photo drawn as active); and a job of
// 1 000 photos (hard links to one 24 MP JPEG): the resident memory once they are
// added and one sweep of the strip's scroll bar from first to last, painting the
// strip at every step. Settings and history go to a scratch folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWindow>
#include <memory>

#include "controls/scripted_ui.h"
#include "print/cups/cups_printer_catalogue.h"
#include "resident_memory.h"
#include "scratch_state.h"
#include "synthetic_photo.h"
#include "ui/main_window.h"
#include "ui/thumbnail_strip.h"
#include "workspace/job_session.h"

namespace tessaly::bench {
namespace {

constexpr int kJobPhotos = 1000;

// Shows `window` and handles events until the platform reports it exposed; false
// when that has not happened within kExposeWaitMs.
constexpr int kExposeWaitMs = 5000;
bool ShowAndWaitExposed(MainWindow& window) {
  window.show();
  QApplication::processEvents();
  const QDeadlineTimer deadline(kExposeWaitMs);
  while (!window.windowHandle() || !window.windowHandle()->isExposed()) {
    if (deadline.hasExpired()) return false;
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  }
  return true;
}

// A window, its scratch state and scripted messages for one benchmark.
struct WindowRig {
  QTemporaryDir scratch;
  ScratchState scratch_state{scratch.path()};
  ScriptedUi ui;
  ScopedUi scoped_ui{ui};
  CupsPrinterCatalogue printers;
  JobSession session{&printers};
  std::unique_ptr<MainWindow> window;
};

void BM_WindowStartUp(benchmark::State& state) {
  WindowRig rig;
  for (auto _ : state) {
    auto window = std::make_unique<MainWindow>(rig.session);
    if (!ShowAndWaitExposed(*window)) {
      state.SkipWithError("the window was not exposed");
      break;
    }
    state.PauseTiming();
    window.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

void BM_WindowAddPhoto(benchmark::State& state) {
  WindowRig rig;
  rig.window = std::make_unique<MainWindow>(rig.session);
  if (!ShowAndWaitExposed(*rig.window)) {
    state.SkipWithError("the window was not exposed");
    return;
  }
  const QStringList file{QString::fromStdString(SyntheticJpegPath())};
  for (auto _ : state) rig.window->AddFiles(file);
  if (rig.window->Job().Count() != static_cast<int>(state.iterations()))
    state.SkipWithError("not every photo was added");
}

// A window holding 1 000 photos added from hard links to the synthetic JPEG.
struct ThousandPhotoJob {
  WindowRig rig;
  bool ok = false;
};

// Makes the links in a temporary folder and adds them all, in one call as files
// dropped on the window are; the links go with the folder afterwards.
void AddThousand(ThousandPhotoJob& job) {
  const QTemporaryDir links;
  const QByteArray source = QFile::encodeName(QString::fromStdString(SyntheticJpegPath()));
  QStringList files;
  for (int i = 0; i < kJobPhotos; ++i) {
    const QString name = QDir(links.path()).filePath(QStringLiteral("p%1.jpg").arg(i));
    if (link(source.constData(), QFile::encodeName(name).constData()) != 0) return;
    files.append(name);
  }
  job.rig.window = std::make_unique<MainWindow>(job.rig.session);
  if (!ShowAndWaitExposed(*job.rig.window)) return;
  job.rig.window->AddFiles(files);
  job.ok = job.rig.window->Job().Count() == kJobPhotos;
}

void BM_Window1000PhotosAdd(benchmark::State& state) {
  const double before = ResidentMiB();
  ThousandPhotoJob job;
  for (auto _ : state) AddThousand(job);
  if (!job.ok) {
    state.SkipWithError("the 1 000 photos could not all be linked and added");
    return;
  }
  state.counters["rss_before_MiB"] = before;
  state.counters["rss_after_MiB"] = ResidentMiB();
}

// The scroll sweep's repetitions share one job, made on the first and freed after
// the last, while the application still runs.
constexpr int kScrollRepetitions = 7;

void BM_Window1000PhotosScroll(benchmark::State& state) {
  static std::unique_ptr<ThousandPhotoJob> job;
  static int runs = 0;
  if (!job) {
    job = std::make_unique<ThousandPhotoJob>();
    AddThousand(*job);
  }
  const bool last = ++runs == kScrollRepetitions;
  auto* strip = !job->rig.window
                    ? nullptr
                    : job->rig.window->findChild<ThumbnailStrip*>(QStringLiteral("MyTumbs1"));
  auto* scroll = strip ? strip->findChild<QScrollBar*>(QStringLiteral("hsTumbsScroll")) : nullptr;
  if (!job->ok || !scroll || scroll->maximum() <= scroll->minimum()) {
    state.SkipWithError("the 1 000-photo strip could not be made");
  } else {
    QImage image(strip->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
      for (int value = scroll->minimum(); value <= scroll->maximum();
           value += scroll->singleStep()) {
        scroll->setValue(value);
        strip->render(&image);
      }
      benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["steps"] = (scroll->maximum() - scroll->minimum()) / scroll->singleStep() + 1;
  }
  if (last) job.reset();
}

BENCHMARK(BM_WindowStartUp)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WindowAddPhoto)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
// Adding 1 000 photos takes a minute or more: one run, memory read after it.
BENCHMARK(BM_Window1000PhotosAdd)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1);
// One sweep per repetition: the function runs exactly kScrollRepetitions times.
BENCHMARK(BM_Window1000PhotosScroll)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(kScrollRepetitions)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tessaly::bench
