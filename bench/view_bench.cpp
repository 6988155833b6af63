// One slider change as the window sees it, on the 6000 × 4000 synthetic photo shown
// at screen size 700 in a view of the argument's side (pixels; above 704 the photo
// is enlarged and its screen pixels decoded for that size, as the window does it):
// the record redrawn with its edits (UpdateGraphicValues), the
// histogram model of the new array, and the photo view and the histogram control
// painted into offscreen images. Brightness alternates between two values so every
// iteration redraws. Reported as the median of repeated runs, with the CPU time of
// every thread of the process beside the wall time.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QTemporaryDir>

#include "controls/scripted_ui.h"
#include "job/add_photo.h"
#include "job/picture_manager.h"
#include "scratch_state.h"
#include "synthetic_photo.h"
#include "ui/histogram_view.h"
#include "ui/photo_view.h"

namespace tessaly::bench {
namespace {

// The largest screen photo size the window uses.
constexpr int kScreenSize = kMaxScreenPhotoSize;

void BM_SliderChangeRedrawAndPaint(benchmark::State& state) {
  const QTemporaryDir scratch;
  const ScratchState scratch_state(scratch.path());
  ScriptedUi ui;
  const ScopedUi scoped_ui(ui);

  JobSettings settings;
  settings.Size = PhotoSize{152.4, 101.6, 0};
  settings.ScreenPhotoSize = kScreenSize;
  MyPictureManager job(settings);
  const int position = AddPhotoFile(job, QString::fromStdString(SyntheticJpegPath()));
  if (position < 0) {
    state.SkipWithError("the synthetic photo could not be added");
    return;
  }
  MyPicture& photo = job.At(position);
  photo.UpdateGraphic();

  PhotoView view;
  view.SetPhoto(&photo);
  view.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)));
  if (view.Zoom() > 1) {
    cDIB sharp;
    int w = 0;
    int h = 0;
    const int pixels = static_cast<int>(kScreenSize * view.Zoom());
    if (!MakeScreenCopy(QString::fromStdString(SyntheticJpegPath()), pixels, sharp, w, h) ||
        !photo.ReplaceScreenPixels(sharp)) {
      state.SkipWithError("the enlarged screen copy could not be made");
      return;
    }
  }
  HistogramView histogram;
  histogram.resize(240, 160);
  QImage view_image(view.size(), QImage::Format_ARGB32_Premultiplied);
  QImage histogram_image(histogram.size(), QImage::Format_ARGB32_Premultiplied);

  int step = 0;
  for (auto _ : state) {
    photo.UpdateGraphicValues(kBright + (step++ % 2), kContrast, kGamma, kRed, kGreen, kBlue,
                              kSaturation);
    histogram.SetHistogramArray(photo.Histogram());
    view.render(&view_image);
    histogram.render(&histogram_image);
    benchmark::DoNotOptimize(view_image.constBits());
    benchmark::DoNotOptimize(histogram_image.constBits());
  }
}

BENCHMARK(BM_SliderChangeRedrawAndPaint)
    ->Arg(kScreenSize + 4)
    ->Arg(1600)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tessaly::bench
