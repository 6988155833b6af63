// The batch save run and the preparation of one photo's final pixels. Every size,
// position and font height is a real number taken to the nearest integer with
// halves to even; lengths are millimetres times the result's pixels per millimetre.
// The cancel flag is polled after each slow step; a set flag ends the run before
// the photo in hand is written and before any history record.
#include "save/save_pipeline.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <memory>

#include "colour/colour_profiles.h"
#include "colour/embedded_profile.h"
#include "controls/new_file.h"
#include "controls/ui_service.h"
#include "controls/utils.h"
#include "edits/output_rules.h"
#include "job/final_pixels.h"
#include "job/final_pixels_ahead.h"
#include "job/job_history.h"
#include "job/photo_placement.h"
#include "save/file_name_template.h"
#include "settings/settings_table.h"
#include "surface/large_block.h"

namespace tessaly {
namespace {

// Largest pixels per millimetre accepted (25 million ppi): keeps every length in
// pixels computed from it, font height and margin included, well inside int range.
constexpr double kLargestPixelsPerMm = 1e6;

const QString kCarriageReturn = QStringLiteral("\r");

// Opens the profiles that take a file's embedded profile to sRGB; none when the
// file has no profile or it does not open.
void OpenSrgbConversion(const QString& file_name, ProfilePair& pair) {
  QByteArray bytes;
  if (ExtractProfiles(file_name, bytes) != kProfileFound) return;
  pair.input = OpenProfileFromMemory(bytes);
  pair.output = CreateSrgbProfile();
}

// The JPEG quality text as a whole number, as the dialog's box gives it.
int QualityOf(const QString& text) {
  int quality = 0;
  return NearestPixelCount(LeadingNumber(text), quality) ? quality : 0;
}

// The encoder-failure message for `target`, with the system's reason when the
// target's folder cannot even take a new file. The check never opens the target's
// name and makes no entry anywhere, so nothing is followed, created or truncated.
QString SaveFailureText(const QString& target) {
  QString text = QStringLiteral("Unable to save the file '") + target + QStringLiteral("'");
  if (const int refusal = NewFileRefusal(QFileInfo(target).absolutePath()); refusal != 0) {
    text += QStringLiteral(": ") + kCarriageReturn + SystemErrorText(refusal);
  }
  text += kCarriageReturn + kCarriageReturn;
  text += QStringLiteral("Click 'Abort' to stop saving files, ") +
          QStringLiteral("'Retry' to try this file again, ") +
          QStringLiteral("'Ignore' to ignore this file and proceed with the next file.");
  return text;
}

void ShowSaveInfo(const QString& text) {
  CurrentUi().ShowProgress(RunKind::kSave, text);
}

// Resolution limits: a photo below the minimum is enlarged to it, one above the
// maximum reduced to it, as the crop is resampled.
double SaveFactor(const MyPicture& photo, const JobSettings& settings) {
  return ResolutionFactor(photo.PrintResolution(), settings.MinResolution, settings.MaxResolution);
}

// The final-pixel steps of a saved photo: its crop resampled straight to the
// resolution limits' size, edited and sharpened.
FinalPixelsSteps SaveSteps(const MyPicture& photo, const JobSettings& settings) {
  FinalPixelsSteps steps;
  steps.scaling = FinalScaling::WithCrop;
  steps.factor = SaveFactor(photo, settings);
  steps.default_sharpen = settings.DefaultSharpen;
  return steps;
}

// The colour conversion of a saved photo, sRGB from its embedded profile.
std::unique_ptr<ProfilePair> SaveConversion(const MyPicture& photo) {
  auto conversion = std::make_unique<ProfilePair>();
  OpenSrgbConversion(photo.Filename(), *conversion);
  return conversion;
}

// The final pixels in `result` get the photo's margin, frame and label, and `image`
// borrows them; false when cancelled or a step failed.
bool FinishSavePhoto(cGDIImage& image, cDIB& result, const MyPicture& photo,
                     const JobSettings& settings) {
  Ui& ui = CurrentUi();
  const double ppm = std::max(result.Width(), result.Height()) / photo.ImgPrintWidth();
  if (!(ppm > 0) || ppm > kLargestPixelsPerMm) return false;
  const double margin = settings.PhotoMargin();
  int margin_pixels = 0;
  if (margin > 0) {
    if (!NearestPixelCount(margin * ppm, margin_pixels)) return false;
    result = result.AddMargins(margin_pixels);
  }
  if (ui.PollCancel()) return false;

  const int fs = SavedLabelFontPixels(settings.FontSize, ppm);
  const SavedPlacement place =
      PlaceSavedPhoto(result.Width(), result.Height(), margin, ppm, fs, settings.PhotoDrawFrame);
  QPainter* dc = result.hDIBDC();
  if (place.framed && dc) {
    result.SetPen(cDIB::kSolidPen, place.frame_pen, kFrameColour);
    result.DrawRectangle(*dc, place.frame.left, place.frame.top, place.frame.right,
                         place.frame.bottom);
  }
  result.SetFont(settings.FontName, fs, settings.FontBold, settings.FontItalic, 0);
  if (dc)
    result.PrintText(*dc, photo.PhotoLabel(), place.label_x, place.label_y, settings.FontColor,
                     true);

  if (ui.PollCancel()) return false;
  if (!image.CreateFromDIB(result)) return false;
  image.SetPixelsPerMm(ppm);
  return true;
}

// How one photo of the run ended.
enum class PhotoOutcome { Saved, Skipped, Cancelled, Aborted };

// `ahead` may be making the photo's final pixels already (keyed by `number`); else
// the file is opened and prepared here. Files are decoded no larger than the saved
// pixels need.
PhotoOutcome SaveOnePhoto(const MyPicture& photo, const JobSettings& settings,
                          const SaveRunOptions& options, const QString& extension, int type_code,
                          int number, int count, FinalPixelsAhead& ahead, QString& target) {
  Ui& ui = CurrentUi();
  const QString prefix =
      QCoreApplication::translate("Tessaly", "Saving file %1 of %2.").arg(number).arg(count) +
      kCarriageReturn + kCarriageReturn;
  const QString& file = photo.Filename();
  ShowSaveInfo(prefix + QStringLiteral("Openning '") + file + QStringLiteral(" '..."));
  ui.ShowProgressCount(number - 1, count);
  ui.LetMessagesRun();

  // The surface outlives the image that borrows its pixels after preparation.
  cDIB result;
  cGDIImage image;
  bool turned = false;
  switch (ahead.Take(
      number, [&ui] { return ui.PollCancel(); }, result, turned)) {
    case FinalPixelsAhead::Taken::kCancelled:
      return PhotoOutcome::Cancelled;
    case FinalPixelsAhead::Taken::kMade:
      if (ui.PollCancel()) return PhotoOutcome::Cancelled;
      ShowSaveInfo(prefix + QStringLiteral("Processing..."));
      ui.LetMessagesRun();
      // A photo whose finishing failed leaves the image empty, as below.
      if (!FinishSavePhoto(image, result, photo, settings)) image.Dispose();
      break;
    case FinalPixelsAhead::Taken::kNone: {
      const double share = DecodeShare(SaveFactor(photo, settings));
      while (!image.CreateFromFile(file, share)) {
        const MsgAnswer answer = ui.MessageBox(OpeningErrorText(file, image.ReadStatus()),
                                               MsgButtons::AbortRetryIgnore, MsgIcon::Critical);
        if (answer == MsgAnswer::Ignore) return PhotoOutcome::Skipped;
        if (answer != MsgAnswer::Retry) return PhotoOutcome::Aborted;
      }
      if (ui.PollCancel()) return PhotoOutcome::Cancelled;
      ShowSaveInfo(prefix + QStringLiteral("Processing..."));
      ui.LetMessagesRun();
      PrepareSavePhoto(image, result, photo, settings);
      break;
    }
  }
  if (ui.PollCancel()) return PhotoOutcome::Cancelled;

  // The file keeps the camera's data, read while the pixels are on hand.
  const CameraExif camera = CameraExifOfFile(file, settings.SaveGpsPosition);

  // A photo whose preparation failed leaves the image empty; its save then fails
  // and the user decides, as for any encoder failure. A failed save leaves nothing
  // at the target, so a name taken by then was taken by someone else: the photo
  // goes under the next free name instead.
  for (int renamed = 0;; ++renamed) {
    const QString name =
        BuildFileName(options.folder, file, options.name_template, extension, number);
    target = options.folder + name + extension;
    ShowSaveInfo(prefix + QStringLiteral("Saving as '") + target + QStringLiteral("'..."));
    ui.LetMessagesRun();
    for (;;) {
      // The pixels were converted to sRGB: the file says so with that profile.
      static const QByteArray kSrgbProfile = SrgbProfileBytes();
      image.Save(target, type_code, QualityOf(options.quality_text), kSrgbProfile, camera);
      if (image.SaveError().isEmpty()) return PhotoOutcome::Saved;
      if (NameTaken(target) && renamed < kTakenNameRetries) break;
      const MsgAnswer answer =
          ui.MessageBox(SaveFailureText(target), MsgButtons::AbortRetryIgnore, MsgIcon::Critical);
      if (answer == MsgAnswer::Ignore) return PhotoOutcome::Skipped;
      if (answer != MsgAnswer::Retry) return PhotoOutcome::Aborted;
    }
  }
}

}  // namespace

bool SaveTypeOf(const QString& type_text, QString& extension, int& type_code) {
  struct SaveType {
    const char* letters;
    const char* extension;
    int code;
  };
  static constexpr SaveType kTypes[] = {
      {"JP", ".jpg", 1}, {"TI", ".tif", 3}, {"PN", ".png", 2}, {"BM", ".bmp", 4}};
  const QString letters = type_text.left(2).toUpper();
  for (const SaveType& type : kTypes) {
    if (letters == QLatin1String(type.letters)) {
      extension = QString::fromLatin1(type.extension);
      type_code = type.code;
      return true;
    }
  }
  return false;
}

SaveRunReport SavePhotos(MyPictureManager& job, const SaveRunOptions& options) {
  SaveRunReport report;
  QString extension;
  int type_code = 0;
  if (!SaveTypeOf(options.type_text, extension, type_code)) return report;
  Ui& ui = CurrentUi();
  ui.SetCancelRequested(false);

  const int count = job.Count();
  bool complete = true;
  {
    // The photos' final pixels are made on workers, one photo per core at a time in
    // order, while this thread finishes, encodes and writes the ones before.
    FinalPixelsAhead ahead;
    int next_ahead = 0;
    const auto start_ahead = [&] {
      for (; next_ahead < count && ahead.HasRoom(); ++next_ahead) {
        const MyPicture& photo = job.At(next_ahead);
        const FinalPixelsSteps steps = SaveSteps(photo, job.Settings());
        ahead.Start(next_ahead + 1, photo, DecodeShare(steps.factor), steps, SaveConversion(photo));
      }
    };
    for (int i = 0; i < count && complete; ++i) {
      QString target;
      start_ahead();
      switch (SaveOnePhoto(job.At(i), job.Settings(), options, extension, type_code, i + 1, count,
                           ahead, target)) {
        case PhotoOutcome::Saved:
          ++report.saved;
          report.files.append(target);
          break;
        case PhotoOutcome::Skipped:
          ++report.skipped;
          break;
        case PhotoOutcome::Cancelled:
          report.cancelled = true;
          complete = false;
          break;
        case PhotoOutcome::Aborted:
          report.aborted = true;
          complete = false;
          break;
      }
    }
  }
  // The work ahead is gone: nothing of the run is still held.
  ReleaseKeptBlocks();
  if (complete) report.history_failed = !RecordJobHistory(job);

  ui.SetCancelRequested(false);
  ui.HideProgress();
  return report;
}

bool PrepareSavePhoto(cGDIImage& image, cDIB& result, const MyPicture& photo,
                      const JobSettings& settings) {
  CurrentUi().LetMessagesRun();
  FinalPixelsSteps steps = SaveSteps(photo, settings);
  const std::unique_ptr<ProfilePair> conversion = SaveConversion(photo);
  steps.colour_from = conversion->input;
  steps.colour_to = conversion->output;
  bool turned = false;
  if (MakeFinalPixels(image, photo, steps, result, turned) &&
      FinishSavePhoto(image, result, photo, settings))
    return true;
  // A stopped preparation must not leave the unprocessed file in the image.
  image.Dispose();
  return false;
}

}  // namespace tessaly
