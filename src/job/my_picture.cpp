// MyPicture: loading a photo into its record and view, restoring its last printed
// edits, the default label, quarter turns and every redraw from the unedited copy.
// Geometry is in twips of the view (15 per pixel); the picture box sits in a square
// of S + 4 pixels, its longer side S pixels. Edit values are stored as given; the
// pixel maths lives in PictureUtilsCls and the crop rules in CropFrame.
#include "job/my_picture.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "controls/formatting.h"
#include "controls/ui_service.h"
#include "controls/units.h"
#include "controls/utils.h"
#include "edits/unsharp_mask.h"
#include "job/history_record.h"
#include "surface/image_file_reader.h"
#include "surface/quarter_turn.h"

namespace tessaly {
namespace {

// The view is S + 4 pixels square: a 2-pixel border around the longest picture.
constexpr int kViewBorderPixels = 4;
// Width ÷ height of a stored crop must match the current frame's this closely.
constexpr double kCropShapeTolerance = 0.001;

// nearest(a / b) for integer a and positive b, halves to even, and at least 1: the
// short side of a very long picture still has one pixel.
int NearestSide(std::int64_t a, std::int64_t b) {
  return std::max(1, static_cast<int>(std::nearbyint(static_cast<double>(a) / b)));
}

// The picture's shorter side in the view: nearest, halves to even, at least 1.
int ShortSide(double side) {
  return std::max(1, static_cast<int>(std::nearbyint(side)));
}

}  // namespace

void ScreenCopySize(int w, int h, int S, int& width, int& height) {
  // S·h and S·w are whole products before the division; 64 bits hold every size
  // the surface limits allow.
  if (h < w) {
    width = S;
    height = NearestSide(static_cast<std::int64_t>(S) * h, w);
  } else {
    height = S;
    width = h > 0 ? NearestSide(static_cast<std::int64_t>(S) * w, h) : 0;
  }
}

int ScreenCopyPixels(int S, double ratio) {
  if (!(ratio > 1)) return S;
  return static_cast<int>(std::nearbyint(S * std::min(ratio, kMaxScreenPixelRatio)));
}

MyPicture::MyPicture(const JobSettings& settings) : settings_(settings) {}

void MyPicture::SetPicture(cDIB& surface, int W, int H, int S, double Ph, double Pw, double m,
                           const QString& file_name, int copies) {
  // Print size, margin, copies, embedded profile, crop visibility.
  margin_ = m;
  print_width_ = Pw;
  print_height_ = Ph;
  SetCopies(copies);
  have_embedded_profile_ = surface.HaveEmbededProfile;
  profile_description_ = surface.EmbededProfileDescription;
  crop_.SetVisible(!settings_.ThumbMode);
  angle_ = 0;

  // The picture's shape, longer side S, placed in the square view. Without pixels
  // the shape is the screen copy's.
  view_size_ = S + kViewBorderPixels;
  screen_size_ = S;
  const int pixels_side = ScreenCopyPixels(S, settings_.ScreenPixelRatio);
  pixel_ratio_ = static_cast<double>(pixels_side) / S;
  const bool have_pixels = surface.IsCreated();
  int w = surface.Width();
  int h = surface.Height();
  if (!have_pixels) ScreenCopySize(W, H, S, w, h);
  int picture_width = 0;
  int picture_height = 0;
  // The picture's device pixels: the same shape with the longer side pixels_side.
  int pixels_width = pixels_side;
  int pixels_height = pixels_side;
  if (w <= h) {
    picture_height = S;
    picture_width = h > 0 ? ShortSide(static_cast<double>(w) / h * S) : 0;
    pixels_width = h > 0 ? ShortSide(static_cast<double>(w) / h * pixels_side) : 0;
    photo_pixels_height_ = W;
    photo_pixels_width_ = H;
    box_.top = 0;
    box_.left =
        static_cast<int>(std::nearbyint((view_size_ - picture_width) / 2.0)) * kTwipsPerPixel;
  } else {
    picture_width = S;
    picture_height = ShortSide(static_cast<double>(h) / w * S);
    pixels_height = ShortSide(static_cast<double>(h) / w * pixels_side);
    photo_pixels_width_ = W;
    photo_pixels_height_ = H;
    box_.left = 0;
    box_.top =
        static_cast<int>(std::nearbyint((view_size_ - picture_height) / 2.0)) * kTwipsPerPixel;
  }
  box_.width = picture_width * kTwipsPerPixel;
  box_.height = picture_height * kTwipsPerPixel;

  // The surface drawn into the picture's device pixels, smoothly scaled when its size
  // differs, then the working buffer and the unedited copy.
  box_.picture = QImage();
  thumbnail_ = QImage();
  buffer_.Free();
  original_bits_.clear();
  if (have_pixels) {
    QImage drawn = surface.ToQImage();
    if (!drawn.isNull() && (drawn.width() != pixels_width || drawn.height() != pixels_height))
      drawn = drawn.scaled(pixels_width, pixels_height, Qt::IgnoreAspectRatio,
                           Qt::SmoothTransformation);
    drawn.setDevicePixelRatio(pixel_ratio_);
    box_.picture = drawn;
    thumbnail_ = drawn;
    buffer_.SetBitsFromPicture(box_, original_bits_, true);
  }

  // The largest centred frame of the print shape.
  crop_.SetScale(box_.width, box_.height);
  crop_.SetLargestCentred(Ph, Pw, m);

  // File, file date, camera data.
  file_name_ = file_name;
  if (!FileDateSerial(file_name, file_date_)) file_date_ = 0;
  ReadExif(file_name, exif_);

  // The last printed edits, outside contact-sheet mode.
  const QString bare = FileNameOfPath(file_name);
  HistoryEdits stored;
  double print_date = 0;
  const bool found = !settings_.ThumbMode && GetEdits(file_date_, bare, stored, print_date);
  previous_print_date_.clear();
  if (found) {
    previous_print_date_ = FormatDate(DateFromSerial(print_date), QStringLiteral("Short Date"));
    if (print_date < kUprightRecordsSince)
      stored.angle = RecordAngleOnUpright(stored.angle, AppliedOrientation(file_name), print_date);
  }

  // The label from the printed-extras options, unless a stored one still
  // carries what those options ask for.
  QString label;
  if (settings_.PhotoPrintFileName) label = bare;
  QDateTime taken;
  const bool date_valid =
      settings_.PhotoPrintDate && ParseShortDateLongTime(exif_.DateTaken, taken);
  QString date_text;
  if (date_valid) {
    date_text =
        settings_.DateMask.isEmpty() ? exif_.DateTaken : FormatDate(taken, settings_.DateMask);
    label += u' ' + date_text;
  }
  if (found) {
    const bool name_missing =
        settings_.PhotoPrintFileName && !stored.label.contains(bare, Qt::CaseInsensitive);
    const bool date_missing = date_valid && !stored.label.contains(date_text, Qt::CaseInsensitive);
    if (!name_missing && !date_missing) label = stored.label;
  }
  label_ = label.left(kMaxPhotoLabelLength);

  // Redraw with every edit (the restore redraws once itself).
  if (found)
    RestoreEdits(stored);
  else
    UpdateGraphic();
}

void MyPicture::RestoreEdits(const HistoryEdits& edits) {
  bright_ = edits.bright;
  contrast_ = edits.contrast;
  gamma_ = GammaFromRecord(edits.gamma100);
  red_ = edits.red;
  green_ = edits.green;
  blue_ = edits.blue;
  saturation_ = edits.saturation;
  unsharp_ = edits.unsharp;

  // Only the angles the history can hold are reached; anything else is ignored.
  if (IsPhotoAngle(edits.angle) && edits.angle != 0) {
    const int step = edits.angle > 0 ? kQuarterTurn : -kQuarterTurn;
    while (angle_ != edits.angle) Rotate(step);
  }

  // The stored crop, when it still has the frame's shape (or the turned shape).
  const double width = crop_.ScaleWidth();
  const double height = crop_.ScaleHeight();
  const double x0 = CropCornerFromRecord(edits.x0, width);
  const double x1 = CropCornerFromRecord(edits.x1, width);
  const double y0 = CropCornerFromRecord(edits.y0, height);
  const double y1 = CropCornerFromRecord(edits.y1, height);
  const CropRect& current = crop_.Rect();
  const bool fits = x0 >= 0 && y0 >= 0 && x1 > x0 && y1 > y0 && x1 <= width && y1 <= height &&
                    current.Width > 0 && current.Height > 0;
  if (fits) {
    const double shape = (x1 - x0) / (y1 - y0);
    const double frame = static_cast<double>(current.Width) / current.Height;
    const bool same = std::fabs(shape - frame) < kCropShapeTolerance;
    const bool turned = std::fabs(shape - 1.0 / frame) < kCropShapeTolerance;
    if (same || turned) {
      // A turned frame keeps the inverse aspect from now on, as RotateCrop leaves it.
      if (!same) crop_.SetAspect(1.0 / crop_.Aspect());
      crop_.SetRect(CropRect{static_cast<float>(x0), static_cast<float>(y0),
                             static_cast<float>(x1 - x0), static_cast<float>(y1 - y0)});
    }
  }
  UpdateGraphic();
}

void MyPicture::Re_SetPicture(double Ph, double Pw, double m) {
  print_height_ = Ph;
  print_width_ = Pw;
  margin_ = m;
  crop_.SetLargestCentred(Ph, Pw, m);
  crop_.SetVisible(!settings_.ThumbMode);
}

void MyPicture::TakePhotoSize(double Ph, double Pw, double m) {
  if (Ph != print_height_ || Pw != print_width_ || m != margin_) {
    Re_SetPicture(Ph, Pw, m);
    return;
  }
  crop_.SetVisible(!settings_.ThumbMode);
}

void MyPicture::Rotate(int step) {
  if (step != kQuarterTurn && step != -kQuarterTurn) return;
  crop_.SetVisible(false);
  if (original_bits_.empty()) {
    // A record without screen pixels turns its geometry alone.
    std::swap(box_.width, box_.height);
  } else {
    if (buffer_.Bits().empty()) buffer_.ResetBits(original_bits_);
    buffer_.RotateBits(step, original_bits_, true);
    buffer_.Paint(box_);
    box_.picture.setDevicePixelRatio(pixel_ratio_);
  }
  std::swap(box_.left, box_.top);
  crop_.TurnWithPicture(step);
  angle_ = AddRotationStep(angle_, step);
  crop_.SetVisible(!settings_.ThumbMode);
}

void MyPicture::RotateCrop() {
  crop_.RotateCrop();
}

int MyPicture::Copies() const {
  return settings_.ThumbMode ? 1 : copies_;
}

void MyPicture::SetCopies(int copies) {
  copies_ = copies < 1 ? 1 : copies;
}

QString MyPicture::PhotoLabel() const {
  return settings_.ThumbMode ? FileNameOfPath(file_name_) : label_;
}

void MyPicture::SetPhotoLabel(const QString& label) {
  if (!settings_.ThumbMode) label_ = label.left(kMaxPhotoLabelLength);
}

void MyPicture::SetBright(int value) {
  bright_ = value;
  UpdateGraphic();
}

void MyPicture::SetContrast(int value) {
  contrast_ = value;
  UpdateGraphic();
}

void MyPicture::Setgamma(double value) {
  gamma_ = value;
  UpdateGraphic();
}

void MyPicture::SetSaturation(int value) {
  saturation_ = value;
  UpdateGraphic();
}

void MyPicture::SetRedAdjust(int value) {
  red_ = value;
  UpdateGraphic();
}

void MyPicture::SetGreenAdjust(int value) {
  green_ = value;
  UpdateGraphic();
}

void MyPicture::SetBlueAdjust(int value) {
  blue_ = value;
  UpdateGraphic();
}

void MyPicture::SetUnsharpMask(int value) {
  unsharp_ = value;
  UpdateGraphic();
}

void MyPicture::UpdateGraphicValues(std::optional<int> Bright, std::optional<int> Contrast,
                                    std::optional<double> gamma, std::optional<int> Red,
                                    std::optional<int> Green, std::optional<int> Blue,
                                    std::optional<int> Saturation) {
  if (Bright) bright_ = *Bright;
  if (Contrast) contrast_ = *Contrast;
  if (gamma) gamma_ = *gamma;
  if (Red) red_ = *Red;
  if (Green) green_ = *Green;
  if (Blue) blue_ = *Blue;
  if (Saturation) saturation_ = *Saturation;
  UpdateGraphic();
}

void MyPicture::ApplyRecordEdits(PictureUtilsCls& buffer, HistogramArray& histogram,
                                 bool update_histogram) const {
  buffer.ApplyEdits(histogram, update_histogram, bright_, contrast_, gamma_, red_, green_, blue_,
                    saturation_);
  if (unsharp_ > 0) buffer.UnsharpMask(SharpenRadiusCode(unsharp_), SharpenAmount(unsharp_));
}

void MyPicture::UpdateGraphic() {
  if (original_bits_.empty()) return;
  Ui& ui = CurrentUi();
  ui.SetWaitCursor(true);
  buffer_.ResetBits(original_bits_);
  ApplyRecordEdits(buffer_, histogram_, true);
  buffer_.Paint(box_);
  box_.picture.setDevicePixelRatio(pixel_ratio_);
  ui.SetWaitCursor(false);
}

QImage MyPicture::RedrawnPicture(const cDIB* screen_copy) const {
  if (!box_.picture.isNull()) return box_.picture;
  PictureUtilsCls buffer;
  PictureBox box;
  if (!original_bits_.empty()) {
    // The working buffer keeps its sizes when its pixels are released.
    buffer = buffer_;
    buffer.ResetBits(original_bits_);
  } else {
    if (!screen_copy || !screen_copy->IsCreated()) return QImage();
    std::vector<std::uint8_t> unused;
    box.picture = screen_copy->ToQImage();
    if (!buffer.SetBitsFromPicture(box, unused, false)) return QImage();
    // One turn by the whole angle reorders the pixels as its quarter-turn steps did.
    if (angle_ != 0 && !buffer.RotateBits(angle_, unused, false)) return QImage();
  }
  HistogramArray histogram;
  ApplyRecordEdits(buffer, histogram, false);
  buffer.Paint(box);
  box.picture.setDevicePixelRatio(pixel_ratio_);
  return box.picture;
}

bool MyPicture::ReplaceScreenPixels(const cDIB& copy) {
  if (!copy.IsCreated() || original_bits_.empty() || screen_size_ <= 0) return false;
  const bool turned = angle_ == 90 || angle_ == -90;
  const int long_side = std::max(copy.Width(), copy.Height());
  // The same shape: the copy's sides in the picture's proportion. Each side of
  // either is rounded by up to half a pixel, which moves the cross products apart by
  // up to half the sum of their widths.
  const int shown_w = turned ? buffer_.Height() : buffer_.Width();
  const int shown_h = turned ? buffer_.Width() : buffer_.Height();
  const std::int64_t apart = std::abs(static_cast<std::int64_t>(copy.Width()) * shown_h -
                                      static_cast<std::int64_t>(copy.Height()) * shown_w);
  if (shown_w <= 0 || shown_h <= 0 ||
      apart > std::max(copy.Width(), copy.Height()) + std::max(shown_w, shown_h))
    return false;
  PictureBox upright = box_;
  if (turned) std::swap(upright.width, upright.height);
  upright.picture = copy.ToQImage();
  PictureUtilsCls buffer;
  std::vector<std::uint8_t> originals;
  if (!buffer.SetBitsFromPicture(upright, originals, true)) return false;
  if (angle_ != 0 && !buffer.RotateBits(angle_, originals, true)) return false;
  buffer_ = std::move(buffer);
  original_bits_ = std::move(originals);
  pixel_ratio_ = static_cast<double>(long_side) / screen_size_;
  UpdateGraphic();
  return true;
}

void MyPicture::ShrinkScreenPixels() {
  const int loaded = ScreenCopyPixels(screen_size_, settings_.ScreenPixelRatio);
  if (original_bits_.empty() || screen_size_ <= 0 ||
      std::max(buffer_.Width(), buffer_.Height()) <= loaded)
    return;
  PictureUtilsCls unedited = buffer_;
  unedited.ResetBits(original_bits_);
  PictureBox box = box_;
  unedited.Paint(box);
  const double scale =
      static_cast<double>(loaded) / std::max(box.picture.width(), box.picture.height());
  box.picture =
      box.picture.scaled(std::max(1, static_cast<int>(std::lround(box.picture.width() * scale))),
                         std::max(1, static_cast<int>(std::lround(box.picture.height() * scale))),
                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  PictureUtilsCls buffer;
  std::vector<std::uint8_t> originals;
  if (!buffer.SetBitsFromPicture(box, originals, true)) return;
  buffer_ = std::move(buffer);
  original_bits_ = std::move(originals);
  pixel_ratio_ = static_cast<double>(loaded) / screen_size_;
  UpdateGraphic();
}

void MyPicture::ReleaseScreenPicture() {
  buffer_.ReleaseBits();
  box_.picture = QImage();
  thumbnail_ = QImage();
}

std::uint32_t MyPicture::POINT(double x, double y) const {
  const QImage& picture = box_.picture;
  if (picture.isNull() || !std::isfinite(x) || !std::isfinite(y) || x < 0 || y < 0) return 0;
  // Twips are screen pixels; the picture may hold several device pixels per one.
  const double ratio = picture.devicePixelRatio();
  const double px = std::floor(x / kTwipsPerPixel * ratio);
  const double py = std::floor(y / kTwipsPerPixel * ratio);
  if (px >= picture.width() || py >= picture.height()) return 0;
  const QRgb rgb = picture.pixel(static_cast<int>(px), static_cast<int>(py));
  return RgbValue(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

float MyPicture::PrintResolution() const {
  return crop_.PrintResolution(photo_pixels_width_, print_width_, margin_);
}

}  // namespace tessaly
