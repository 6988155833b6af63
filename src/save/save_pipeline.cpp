// The batch save run and the preparation of one photo's final pixels. Every size,
// position and font height is a real number taken to the nearest integer with
// halves to even; lengths are millimetres times the result's pixels per millimetre.
// The cancel flag is polled after each slow step; a set flag ends the run before
// the photo in hand is written and before any history record.
#include "save/save_pipeline.h"

#include <QByteArray>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "colour/colour_profiles.h"
#include "colour/embedded_profile.h"
#include "controls/new_file.h"
#include "controls/ui_service.h"
#include "edits/output_rules.h"
#include "job/job_history.h"
#include "save/file_name_template.h"
#include "settings/settings_table.h"

namespace tessaly {
namespace {

// ToDib's interpolation code for high-quality bicubic.
constexpr int kHighQualityBicubic = 7;
// Classic pen style code of a solid pen.
constexpr int kSolidPen = 0;
// The frame's grey, RGB(90, 90, 90).
constexpr std::uint32_t kFrameColour = 0x5A5A5A;
// Margin (mm) from which the label sits in the margin and a frame can be drawn.
constexpr double kMarginForFrame = 3.5;
// The frame's pen width and its inset from the outer edge of the margin, and the
// label's drop below the photo when framed (mm).
constexpr double kFramePenWidth = 0.25;
constexpr double kFrameInsetFromPhoto = 0.4;
constexpr double kFramedLabelDrop = 0.5;
// A label inside the photo: distance from the right and from the bottom edge (mm).
constexpr double kInnerLabelRight = 5.0;
constexpr double kInnerLabelBottom = 4.0;
// Points to millimetres: 25.4 mm to the inch, 72 points to the inch.
constexpr double kMmPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;
// Largest magnitude a computed pixel size may have before it is turned into an int;
// far above any surface limit, so ToDib still refuses what is too large.
constexpr double kLargestPixelCount = 1e9;
// Largest pixels per millimetre accepted (25 million ppi): keeps every length in
// pixels computed from it, font height and margin included, well inside int range.
constexpr double kLargestPixelsPerMm = 1e6;

const QString kCarriageReturn = QStringLiteral("\r");

int Nearest(double value) {
  return static_cast<int>(std::nearbyint(value));
}

// The nearest integer of a computed size, or false when it is not a number that
// fits an int.
bool NearestSize(double value, int& size) {
  if (!std::isfinite(value) || std::fabs(value) > kLargestPixelCount) return false;
  size = Nearest(value);
  return true;
}

// Converts the pixels from the file's embedded profile to sRGB; files without one
// are left as they are.
void ConvertEmbeddedToSrgb(const QString& file_name, cDIB& result) {
  QByteArray bytes;
  if (ExtractProfiles(file_name, bytes) != kProfileFound) return;
  const ProfileHandle input = OpenProfileFromMemory(bytes);
  const ProfileHandle output = CreateSrgbProfile();
  if (input && output) result.ColorTransform(input, output);
  CloseProfile(input);
  CloseProfile(output);
}

// The JPEG quality text as a whole number, as the dialog's box gives it.
int QualityOf(const QString& text) {
  int quality = 0;
  return NearestSize(LeadingNumber(text), quality) ? quality : 0;
}

// The encoder-failure message for `target`, with the system's reason when the
// target's folder cannot even take a new file. The check never opens the target's
// name and makes no entry anywhere, so nothing is followed, created or truncated.
QString SaveFailureText(const QString& target) {
  QString text = QStringLiteral("Unable to save the file '") + target + QStringLiteral("'");
  if (const int refusal = NewFileRefusal(QFileInfo(target).absolutePath()); refusal != 0) {
    text += QStringLiteral(": ") + kCarriageReturn + QString::fromLocal8Bit(std::strerror(refusal));
  }
  text += kCarriageReturn + kCarriageReturn;
  text += QStringLiteral("Click 'Abort' to stop saving files, ") +
          QStringLiteral("'Retry' to try this file again, ") +
          QStringLiteral("'Ignore' to ignore this file and proceed with the next file.");
  return text;
}

void ShowSaveInfo(const QString& text) {
  CurrentUi().ShowProgress(QString::fromLatin1(kSaveProgressCaption), text);
}

// The steps of PrepareSavePhoto; false when cancelled or a step failed.
bool PrepareSteps(cGDIImage& image, cDIB& result, const MyPicture& photo,
                  const JobSettings& settings) {
  Ui& ui = CurrentUi();
  ui.LetMessagesRun();
  if (photo.Angle() != 0) {
    image.Rotate(photo.Angle());
    if (ui.PollCancel()) return false;
  }

  // Crop corners: the view's twips scaled to the (turned) image's pixels.
  const double wp = photo.ScaleWidth();
  const double hp = photo.ScaleHeight();
  const double wi = image.Width();
  const double hi = image.Height();
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  if (!NearestSize(photo.CropX0() / wp * wi, x0) || !NearestSize(photo.CropY0() / hp * hi, y0) ||
      !NearestSize(photo.CropX1() / wp * wi, x1) || !NearestSize(photo.CropY1() / hp * hi, y1))
    return false;

  // Resolution limits: a photo below the minimum is enlarged to it, one above the
  // maximum reduced to it.
  const double factor =
      ResolutionFactor(photo.PrintResolution(), settings.MinResolution, settings.MaxResolution);

  int width = x1 - x0;
  int height = y1 - y0;
  if (factor != 1.0 &&
      (!NearestSize(width * factor, width) || !NearestSize(height * factor, height)))
    return false;
  const double ppm = std::max(width, height) / photo.ImgPrintWidth();
  if (!(ppm > 0) || ppm > kLargestPixelsPerMm) return false;

  result = image.ToDib(true, true, width, height, x0, y0, x1, y1, kHighQualityBicubic);
  image.Dispose();
  if (ui.PollCancel()) return false;

  if (photo.Saturation() != 0 || photo.Contrast() != 0 || photo.Bright() != 0 ||
      photo.RedAdjust() != 0 || photo.GreenAdjust() != 0 || photo.BlueAdjust() != 0 ||
      photo.gamma() != 1.0)
    result.ApplyEdits(photo.Bright(), photo.Contrast(), photo.gamma(), photo.RedAdjust(),
                      photo.GreenAdjust(), photo.BlueAdjust(), photo.Saturation());
  if (ui.PollCancel()) return false;

  ConvertEmbeddedToSrgb(photo.Filename(), result);

  SharpenForOutput(result, photo.UnsharpMask(), settings.DefaultSharpen, factor);
  if (ui.PollCancel()) return false;

  const double margin = settings.PhotoMargin();
  int margin_pixels = 0;
  if (margin > 0) {
    if (!NearestSize(margin * ppm, margin_pixels)) return false;
    result = result.AddMargins(margin_pixels);
  }
  if (ui.PollCancel()) return false;

  const double wr = result.Width();
  const double hr = result.Height();
  const bool framed = margin >= kMarginForFrame && settings.PhotoDrawFrame;
  QPainter* dc = result.hDIBDC();
  if (framed && dc) {
    result.SetPen(kSolidPen, Nearest(ppm * kFramePenWidth), kFrameColour);
    const double d = (margin - kFrameInsetFromPhoto) * ppm;
    result.DrawRectangle(*dc, Nearest(d), Nearest(d), Nearest(wr - d), Nearest(hr - d));
  }

  // The label: in the bottom margin under the photo's right corner when there is a
  // margin to hold it, else inside the photo near its bottom-right corner.
  const int fs = Nearest(settings.FontSize * ppm * kMmPerInch / kPointsPerInch);
  result.SetFont(settings.FontName, fs, settings.FontBold, settings.FontItalic, 0);
  int tx = 0, ty = 0;
  if (margin >= kMarginForFrame) {
    tx = Nearest(wr - margin * ppm);
    ty = Nearest(hr - margin * ppm);
    if (framed) ty = Nearest(ty + kFramedLabelDrop * ppm);
  } else {
    tx = Nearest(wr - kInnerLabelRight * ppm);
    ty = Nearest((hr - fs) - kInnerLabelBottom * ppm);
  }
  if (dc) result.PrintText(*dc, photo.PhotoLabel(), tx, ty, settings.FontColor, true);

  if (ui.PollCancel()) return false;
  return image.CreateFromDIB(result);
}

// How one photo of the run ended.
enum class PhotoOutcome { Saved, Skipped, Cancelled, Aborted };

PhotoOutcome SaveOnePhoto(const MyPicture& photo, const JobSettings& settings,
                          const SaveRunOptions& options, const QString& extension, int type_code,
                          int number, int count, QString& target) {
  Ui& ui = CurrentUi();
  const QString prefix = QStringLiteral("Saving file %1 of %2.").arg(number).arg(count) +
                         kCarriageReturn + kCarriageReturn;
  const QString& file = photo.Filename();
  ShowSaveInfo(prefix + QStringLiteral("Openning '") + file + QStringLiteral(" '..."));
  ui.LetMessagesRun();

  // The surface outlives the image that borrows its pixels after preparation.
  cDIB result;
  cGDIImage image;
  while (!image.CreateFromFile(file)) {
    const MsgAnswer answer =
        ui.MessageBox(QStringLiteral("Error opening file '") + file + QStringLiteral("'"),
                      MsgButtons::AbortRetryIgnore, MsgIcon::Critical);
    if (answer == MsgAnswer::Ignore) return PhotoOutcome::Skipped;
    if (answer != MsgAnswer::Retry) return PhotoOutcome::Aborted;
  }
  if (ui.PollCancel()) return PhotoOutcome::Cancelled;

  ShowSaveInfo(prefix + QStringLiteral("Processing..."));
  ui.LetMessagesRun();
  PrepareSavePhoto(image, result, photo, settings);
  if (ui.PollCancel()) return PhotoOutcome::Cancelled;

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
      image.Save(target, type_code, QualityOf(options.quality_text));
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
  for (int i = 0; i < count && complete; ++i) {
    QString target;
    switch (SaveOnePhoto(job.At(i), job.Settings(), options, extension, type_code, i + 1, count,
                         target)) {
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
  if (complete) report.history_failed = !RecordJobHistory(job);

  ui.SetCancelRequested(false);
  ui.HideProgress();
  return report;
}

bool PrepareSavePhoto(cGDIImage& image, cDIB& result, const MyPicture& photo,
                      const JobSettings& settings) {
  // A stopped preparation must not leave the unprocessed file in the image.
  if (PrepareSteps(image, result, photo, settings)) return true;
  image.Dispose();
  return false;
}

}  // namespace tessaly
