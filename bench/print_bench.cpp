// One printed page of 6000 × 4000 photos, as a print run draws it: the synthetic
// bench JPEG added once per cell of the page, a catalogue size laid out Best Fit on
// the built-in PDF printer's A4 sheet, default settings, every edit away from
// neutral (UnsharpMask set), printed with PrintIt(false) without a resolution limit
// or at most 300 ppi. Each iteration prints exactly one page into a scratch folder;
// the page file is removed with the timer paused. History and settings go to scratch.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <string>

#include "controls/scripted_ui.h"
#include "job/add_photo.h"
#include "job/picture_manager.h"
#include "print/job_layout.h"
#include "print/pdf_printer.h"
#include "print/print_window.h"
#include "scratch_state.h"
#include "settings/photo_sizes.h"
#include "settings/settings_file.h"
#include "synthetic_photo.h"

namespace tessaly::bench {
namespace {

constexpr int kUnsharpMask = 15080;  // radius code 15, amount 80
// The A4 sheet's width, to tell it from Letter (which a US locale would give).
constexpr double kA4WidthMm = 210.0;

// The first entry of the metric default catalogue whose longer side is `long_mm`;
// a zero size when there is none.
PhotoSize CatalogueSize(double long_mm) {
  const PhotoSizeCatalogue catalogue =
      PhotoSizeCatalogue::Parse(DefaultSizeCode(false, SizeUnit::Centimetres));
  for (const int number : catalogue.Numbers()) {
    const PhotoSize* size = catalogue.Entry(number);
    if (size->Width == long_mm) return *size;
  }
  return {};
}

// Arguments: the size's longer side in millimetres (150: 10 × 15 cm, three cells on
// A4; 130: 9 × 13 cm, four cells) and the upper print resolution (0 = none).
void BM_PrintPage(benchmark::State& state) {
  const QString input = QString::fromStdString(SyntheticJpegPath());
  const QTemporaryDir scratch;
  const ScratchState scratch_state(scratch.path());
  ScriptedUi ui;
  const ScopedUi scoped_ui(ui);
  const QString out = QDir(scratch.path()).filePath(QStringLiteral("pdf"));
  if (!WriteIniValue(QStringLiteral("Options"), QStringLiteral("PdfFolder"), out)) {
    state.SkipWithError("the scratch settings file could not be written");
    return;
  }

  JobSettings settings = LoadJobSettings();
  settings.Size = CatalogueSize(static_cast<double>(state.range(0)));
  settings.LayoutMode = kLayoutBestFit;
  settings.MaxResolution = static_cast<int>(state.range(1));
  if (settings.Size.Width == 0) {
    state.SkipWithError("the default catalogue has no such size");
    return;
  }
  PrinterAccess printers(nullptr);
  QStringList descriptions;
  int count = 0;
  int current = 0;
  printers.GetPrinterList(descriptions, count, current);
  if (printers.Device() == nullptr ||
      std::abs(TwipsToMm(printers.Device()->Width()) - kA4WidthMm) > 0.5) {
    state.SkipWithError("the built-in printer is missing or not on A4 (locale?)");
    return;
  }
  MyPictureManager job(settings);
  PageLayout layout;
  ComputeJobLayout(layout, *printers.Device(), job.Settings());
  const int cells = layout.GetPageCellCount();
  for (int i = 0; i < cells; ++i) {
    const int position = AddPhotoFile(job, input);
    if (position < 0) {
      state.SkipWithError("the synthetic photo could not be added");
      return;
    }
    MyPicture& photo = job.At(position);
    photo.UpdateGraphicValues(kBright, kContrast, kGamma, kRed, kGreen, kBlue, kSaturation);
    photo.SetUnsharpMask(kUnsharpMask);
  }

  PrintWindow window(job, printers, layout);
  qint64 page_bytes = 0;
  for (auto _ : state) {
    window.PrintIt(false);
    state.PauseTiming();
    const QFileInfoList files = QDir(out).entryInfoList({"*.pdf"}, QDir::Files);
    if (window.PagesEnded() != 1 || window.EndFailed() || files.size() != 1) {
      state.SkipWithError("the run did not write exactly one page file");
      return;
    }
    page_bytes = files.front().size();
    QFile::remove(files.front().filePath());
    state.ResumeTiming();
  }
  state.counters["photos"] = cells;
  state.counters["page_MB"] = static_cast<double>(page_bytes) / 1e6;
}

BENCHMARK(BM_PrintPage)
    ->ArgNames({"long_mm", "max_ppi"})
    ->Args({150, 300})
    ->Args({150, 0})
    ->Args({130, 300})
    ->Args({130, 0})
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace tessaly::bench
