// The print preview window's costs on the offscreen platform: drawing one page of
// four 24 MP photos (a step between the two pages of a job of four hard links to the
// synthetic JPEG, two copies each, 2 × 2 cells on the built-in PDF printer's sheet),
// and the resident memory before and after 100 steps Next/Previous. The photo files
// are removed once added, so every page is drawn from the screen pictures the records
// hold: a page that needed a file would come out without photos and stop the run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QTemporaryDir>

#include "controls/scripted_ui.h"
#include "job/add_photo.h"
#include "job/picture_manager.h"
#include "print/job_layout.h"
#include "print/page_layout.h"
#include "print/print_window.h"
#include "print/printer_access.h"
#include "resident_memory.h"
#include "scratch_state.h"
#include "synthetic_photo.h"
#include "ui/button_on_off.h"
#include "ui/preview_window.h"

namespace tessaly::bench {
namespace {

constexpr int kPhotos = 4;
constexpr int kCopies = 2;
// 130 × 90 mm photos: 2 × 2 upright cells on A4 or Letter.
const PhotoSize kSize{130, 90, 4};
constexpr int kMemorySteps = 100;

// Share of a page's pixels that must differ from white for its four photos to count
// as drawn: four 122 × 82 mm pictures cover about two thirds of an A4 or Letter
// sheet, three of them less than half.
constexpr double kMinPhotoShare = 0.56;

// The preview window open on page 1 of the two-page job.
struct PreviewRig {
  QTemporaryDir scratch;
  ScratchState scratch_state{scratch.path()};
  ScriptedUi ui;
  ScopedUi scoped_ui{ui};
  PrinterAccess printers{nullptr};
  MyPictureManager job;
  PageLayout layout;
  std::unique_ptr<PrintWindow> run;
  QPointer<PreviewWindow> window;
  ButtonOnOff* next = nullptr;
  ButtonOnOff* previous = nullptr;
  QString error;

  PreviewRig() {
    job.Settings().Size = kSize;
    const QByteArray source = QFile::encodeName(QString::fromStdString(SyntheticJpegPath()));
    for (int i = 0; i < kPhotos; ++i) {
      const QString name = QDir(scratch.path()).filePath(QStringLiteral("p%1.jpg").arg(i));
      const QByteArray link_name = QFile::encodeName(name);
      if (link(source.constData(), link_name.constData()) != 0 || AddPhotoFile(job, name) < 0) {
        error = QStringLiteral("the photos could not be linked and added");
        return;
      }
      job.At(i).SetCopies(kCopies);
      unlink(link_name.constData());
    }
    QStringList names;
    int count = 0;
    int position = 0;
    printers.GetPrinterList(names, count, position);
    if (!printers.Device()) {
      error = QStringLiteral("no printer");
      return;
    }
    ComputeJobLayout(layout, *printers.Device(), job.Settings());
    if (layout.GetPageCellCount() != kPhotos) {
      error = QStringLiteral("the sheet does not hold four photos");
      return;
    }
    run = std::make_unique<PrintWindow>(job, printers, layout);
    run->SetPreviewHook(
        [this](PrintWindow& w) { window = PreviewWindow::Open(w, nullptr, nullptr); });
    run->PrintIt(true);
    if (!window || run->PageCount() != 2) {
      error = QStringLiteral("the preview did not open on two pages");
      return;
    }
    next = window->findChild<ButtonOnOff*>(QStringLiteral("cmdNext"));
    previous = window->findChild<ButtonOnOff*>(QStringLiteral("cmdPrevious"));
    if (!next || !previous) error = QStringLiteral("no step buttons");
  }

  ~PreviewRig() {
    if (window) window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // One step to the other page; the page on screen afterwards.
  int Step() {
    if (window->Page() == 1)
      emit next->Click();
    else
      emit previous->Click();
    return window->Page();
  }

  // True when the page on screen shows its photos.
  bool PhotosShown() const {
    const QImage page = window->findChild<QLabel*>(QStringLiteral("picPaper"))->pixmap().toImage();
    if (page.isNull()) return false;
    qint64 coloured = 0;
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) coloured += page.pixel(x, y) != qRgb(255, 255, 255);
    return coloured >= kMinPhotoShare * page.width() * page.height();
  }
};

void BM_PreviewPageOfFour24MpPhotos(benchmark::State& state) {
  PreviewRig rig;
  if (!rig.error.isEmpty()) {
    state.SkipWithError(rig.error.toStdString().c_str());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(rig.Step());
  if (!rig.PhotosShown()) state.SkipWithError("the page was drawn without its photos");
  const QPixmap paper = rig.window->findChild<QLabel*>(QStringLiteral("picPaper"))->pixmap();
  state.counters["paper_px_w"] = paper.width();
  state.counters["paper_px_h"] = paper.height();
}

void BM_PreviewStepMemory(benchmark::State& state) {
  PreviewRig rig;
  if (!rig.error.isEmpty()) {
    state.SkipWithError(rig.error.toStdString().c_str());
    return;
  }
  // Both pages once, so that what the first drawing of each allocates is counted
  // before the steps.
  rig.Step();
  rig.Step();
  const double before = ResidentMiB();
  for (auto _ : state)
    for (int i = 0; i < kMemorySteps; ++i) rig.Step();
  const double after = ResidentMiB();
  if (!rig.PhotosShown()) state.SkipWithError("the page was drawn without its photos");
  state.counters["rss_before_MiB"] = before;
  state.counters["rss_after_MiB"] = after;
  state.counters["rss_growth_MiB"] = after - before;
}

BENCHMARK(BM_PreviewPageOfFour24MpPhotos)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
// One run of 100 steps: the memory is read around it.
BENCHMARK(BM_PreviewStepMemory)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
}  // namespace tessaly::bench
