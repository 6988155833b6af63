// The whole save of one photo, as the save dialog runs it: the profiled 6000 × 4000
// synthetic JPEG in a job of its own, printed 10 × 15 cm (the default catalogue's
// entry, margin included) at no more than 300 ppi, every edit away from neutral,
// cropped as the convert peer crops, default sharpening, saved as JPEG quality 90.
// Each iteration writes into a fresh folder; edit history and settings go to scratch.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>
#include <string>

#include "colour/embedded_profile.h"
#include "controls/scripted_ui.h"
#include "job/add_photo.h"
#include "job/history_store.h"
#include "job/picture_manager.h"
#include "profiled_photo.h"
#include "save/save_pipeline.h"
#include "scratch_state.h"
#include "settings/photo_sizes.h"
#include "settings/settings_file.h"
#include "surface/image_file_reader.h"
#include "synthetic_photo.h"

namespace tessaly::bench {
namespace {

// Upper print resolution of the run (ppi).
constexpr int kMaxResolution = 300;
// The convert peer's centred crop, in the original's pixels.
constexpr double kCropLeft = 500;
constexpr double kCropTop = 333;
constexpr double kCropWidth = 5000;
constexpr double kCropHeight = 3333;
// The print, millimetres.
constexpr double kPrintWidth = 150.0;
constexpr double kPrintHeight = 100.0;

// The metric default catalogue's first 10 × 15 cm entry; a zero size when missing.
PhotoSize TenByFifteen() {
  const PhotoSizeCatalogue catalogue =
      PhotoSizeCatalogue::Parse(DefaultSizeCode(false, SizeUnit::Centimetres));
  for (const int number : catalogue.Numbers()) {
    const PhotoSize* size = catalogue.Entry(number);
    if (size->Width == kPrintWidth && size->Height == kPrintHeight) return *size;
  }
  return {};
}

// The peer's crop carried over to the view's twips.
void CropAsPeer(CropFrame& crop) {
  const double x_scale = crop.ScaleWidth() / kPhotoWidth;
  const double y_scale = crop.ScaleHeight() / kPhotoHeight;
  CropRect rect;
  rect.Left = static_cast<float>(kCropLeft * x_scale);
  rect.Top = static_cast<float>(kCropTop * y_scale);
  rect.Width = static_cast<float>(kCropWidth * x_scale);
  rect.Height = static_cast<float>(kCropHeight * y_scale);
  crop.SetRect(rect);
}

// True when `file` carries exactly the profile file's bytes as its embedded profile.
bool CarriesAdobeProfile(const QString& file) {
  QFile profile_file(AdobeCompatibleProfilePath());
  QByteArray embedded;
  return profile_file.open(QIODevice::ReadOnly) &&
         ExtractProfiles(file, embedded) == kProfileFound && embedded == profile_file.readAll();
}

void BM_SaveWholePhoto(benchmark::State& state) {
  const QString input = QString::fromStdString(ProfiledJpegPath());
  if (input.isEmpty() || !CarriesAdobeProfile(input)) {
    state.SkipWithError("the profiled synthetic photo could not be made or lacks its profile");
    return;
  }
  const QTemporaryDir scratch;
  const ScratchState scratch_state(scratch.path());
  ScriptedUi ui;
  const ScopedUi scoped_ui(ui);

  JobSettings settings;
  settings.Size = TenByFifteen();
  if (settings.Size.Width == 0) {
    state.SkipWithError("the default catalogue has no 10 x 15 cm entry");
    return;
  }
  settings.MaxResolution = kMaxResolution;
  settings.DefaultSharpen = true;
  MyPictureManager job(settings);
  const int position = AddPhotoFile(job, input);
  if (position < 0 || !job.At(position).HaveEmbededProfile()) {
    state.SkipWithError("the photo could not be added with its embedded profile");
    return;
  }
  MyPicture& photo = job.At(position);
  photo.UpdateGraphicValues(kBright, kContrast, kGamma, kRed, kGreen, kBlue, kSaturation);
  photo.SetUnsharpMask(0);
  CropAsPeer(photo.Crop());

  SaveRunOptions options;
  options.quality_text = QStringLiteral("90");
  std::optional<QTemporaryDir> out_folder;
  QString written;
  for (auto _ : state) {
    state.PauseTiming();
    out_folder.emplace(QDir(scratch.path()).filePath(QStringLiteral("out-XXXXXX")));
    options.folder = out_folder->path() + QDir::separator();
    state.ResumeTiming();
    const SaveRunReport report = SavePhotos(job, options);
    if (report.saved != 1 || report.files.size() != 1) {
      const QString why =
          ui.Messages().empty() ? QStringLiteral("no message") : ui.Messages().back().text;
      state.SkipWithError(("the save wrote no file: " + why.toStdString()).c_str());
      return;
    }
    written = report.files.front();
  }
  int width = 0;
  int height = 0;
  ImageFileSize(written, width, height);
  state.counters["output_kB"] = static_cast<double>(QFileInfo(written).size()) / 1000.0;
  state.counters["output_w"] = width;
  state.counters["output_h"] = height;
}

BENCHMARK(BM_SaveWholePhoto)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessaly::bench
