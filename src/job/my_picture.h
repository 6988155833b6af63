// MyPicture: one photo of the job — its record (file, file date, print size and
// margin, copies, label, edit values, rotation, crop) and its screen view (the
// screen-sized picture, its unedited copy, the crop frame, the histogram of the
// edited picture). SetPicture loads a screen copy and restores the photo's last
// printed edits from the history; every edit setter redraws from the unedited copy.
// A photo not on screen keeps only its unedited copy; a record loaded without
// pixels keeps none. View units are twips (15 per screen pixel); the view is a
// square of S + 4 pixels.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "colour/exif.h"
#include "edits/histogram.h"
#include "edits/picture_box.h"
#include "edits/picture_utils.h"
#include "job/crop_frame.h"
#include "job/history_store.h"
#include "job/job_settings.h"
#include "surface/cdib.h"

namespace tessaly {

// The longest photo label kept: one line under a photo, which 255 characters
// already overrun at any print size.
inline constexpr int kMaxPhotoLabelLength = 255;
// The most copies of one photo: four digits.
inline constexpr int kMaxCopies = 9999;
// The range of the edit values Bright, Contrast, Saturation and the three colour
// adjustments (−kEditLimit..kEditLimit, 0 neutral), which the edit sliders span, and
// of gamma (1.00 neutral).
inline constexpr int kEditLimit = 51;
inline constexpr double kGammaMin = 0.5;
inline constexpr double kGammaMax = 1.5;

// Size of the screen copy of a w × h original for screen size S: S wide and
// nearest(S·h / w) high when h < w, else S high and nearest(S·w / h) wide; the
// shorter side is at least 1 pixel, however long and thin the picture.
void ScreenCopySize(int w, int h, int S, int& width, int& height);
// The densest screen the screen copies are decoded for. Every photo of the job keeps
// its unedited screen copy, so this bounds the job's memory to four times that of
// a plain screen; a denser screen scales the copy up.
inline constexpr double kMaxScreenPixelRatio = 2.0;
// The longer side in device pixels of a screen copy for screen size S on a screen
// with `ratio` device pixels per screen pixel (held within 1..kMaxScreenPixelRatio).
int ScreenCopyPixels(int S, double ratio);

class MyPicture {
 public:
  // `settings` are the job's and must outlive the record; the contact-sheet mode and
  // the printed-extras options are read from them whenever a rule needs them.
  explicit MyPicture(const JobSettings& settings);
  // A temporary would leave the record with a dangling reference.
  explicit MyPicture(const JobSettings&& settings) = delete;
  MyPicture(const MyPicture&) = delete;
  MyPicture& operator=(const MyPicture&) = delete;

  // Loads the photo: `surface` is its screen copy (longer side about
  // ScreenCopyPixels(S, the job's ScreenPixelRatio) device pixels,
  // colour-converted, carrying the embedded-profile flag and description), W × H the
  // original's pixel size, S the screen photo size, Ph × Pw the job's photo height and
  // width and m the margin (mm). Runs the twelve steps of the record: geometry, pixels,
  // default crop, file date, EXIF, history restore, label, redraw. A surface that is
  // not created (only its embedded-profile flag and description are read) loads the
  // record without screen pixels: the picture's geometry is that of its screen copy
  // (ScreenCopySize), turns and crops work on it, and nothing is drawn.
  void SetPicture(cDIB& surface, int W, int H, int S, double Ph, double Pw, double m,
                  const QString& file_name, int copies);
  // Applies a stored history record (or a job file's values): the edit values (gamma
  // from hundredths), the angle by repeated quarter turns (an angle that is not a
  // multiple of 90 within −180..180 is ignored), and the stored crop (ten-thousandths
  // of the picture) only when its width ÷ height differs from the current frame's, or
  // from its inverse, by less than 0.001. The label is not touched. Redraws once.
  void RestoreEdits(const HistoryEdits& edits);
  // New photo size for the job: stores it and resets the crop to the largest centred
  // frame (hidden in contact-sheet mode).
  void Re_SetPicture(double Ph, double Pw, double m);
  // The job's photo size after the job settings: a photo already at that size keeps
  // its crop (only its visibility follows the mode); another size is Re_SetPicture.
  void TakePhotoSize(double Ph, double Pw, double m);
  // Turns the picture, its unedited copy and the crop frame by +90 or −90 degrees and
  // adds the step to Angle (a sum below −180 becomes 90, above 180 becomes −90).
  void Rotate(int step);
  // Toggles the crop frame between landscape and upright.
  void RotateCrop();

  // Record fields.
  int Copies() const;          // 1 in contact-sheet mode
  void SetCopies(int copies);  // below 1 stores 1
  const QString& PreviousPrintDate() const { return previous_print_date_; }
  const QString& Filename() const { return file_name_; }
  double FileDate() const { return file_date_; }
  QString PhotoLabel() const;  // the bare file name in contact-sheet mode
  // Ignored in contact-sheet mode; keeps the first kMaxPhotoLabelLength characters.
  void SetPhotoLabel(const QString& label);
  int PhotoPixelsWidth() const { return photo_pixels_width_; }
  int PhotoPixelsHeight() const { return photo_pixels_height_; }
  void SetPhotoPixelsHeight(int pixels) { photo_pixels_height_ = pixels; }
  double ImgPrintWidth() const { return print_width_; }
  double ImgPrintHeight() const { return print_height_; }
  double Margin() const { return margin_; }
  // The job's contact-sheet mode, in which the view shows no crop frame.
  bool ThumbMode() const { return settings_.ThumbMode; }
  bool WhiteBalanceMode() const { return white_balance_mode_; }
  void SetWhiteBalanceMode(bool on) { white_balance_mode_ = on; }
  int Angle() const { return angle_; }
  int CropX0() const { return crop_.CropX0(); }
  int CropY0() const { return crop_.CropY0(); }
  int CropX1() const { return crop_.CropX1(); }
  int CropY1() const { return crop_.CropY1(); }

  // Edit values; each setter stores the value and redraws once.
  int Bright() const { return bright_; }
  int Contrast() const { return contrast_; }
  double gamma() const { return gamma_; }
  int Saturation() const { return saturation_; }
  int RedAdjust() const { return red_; }
  int GreenAdjust() const { return green_; }
  int BlueAdjust() const { return blue_; }
  int UnsharpMask() const { return unsharp_; }
  void SetBright(int value);
  void SetContrast(int value);
  void Setgamma(double value);
  void SetSaturation(int value);
  void SetRedAdjust(int value);
  void SetGreenAdjust(int value);
  void SetBlueAdjust(int value);
  void SetUnsharpMask(int value);
  // Stores every value given and redraws once.
  void UpdateGraphicValues(std::optional<int> Bright, std::optional<int> Contrast,
                           std::optional<double> gamma, std::optional<int> Red,
                           std::optional<int> Green, std::optional<int> Blue,
                           std::optional<int> Saturation);
  // Redraws the screen picture from the unedited copy with every edit and refills
  // the histogram; this shows a released picture again.
  void UpdateGraphic();
  // For a photo that is not on screen: releases the shown picture and the working
  // buffer, keeping the unedited copy (one screen-sized copy) to redraw from.
  void ReleaseScreenPicture();
  // Takes `copy`, the file's screen copy made with another number of device pixels
  // (upright as the file is), as the unedited screen pixels: turned by the record's
  // angle, then redrawn with the edits. The picture's place and size on the screen,
  // and so the crop, stay as they are; only its sharpness changes. False (and
  // nothing changed) for a copy not created or of another shape.
  bool ReplaceScreenPixels(const cDIB& copy);
  // Gives a record whose screen pixels were replaced by more its loaded number of
  // device pixels again (scaled down, edits redrawn), so that photos not on screen
  // hold no more than that.
  void ShrinkScreenPixels();
  // The screen size S the record was loaded with.
  int ScreenSize() const { return screen_size_; }
  // Device pixels per screen pixel of the shown picture, set when it was loaded.
  double PixelRatio() const { return pixel_ratio_; }
  // True when the record holds its unedited screen pixels.
  bool HasScreenPixels() const { return !original_bits_.empty(); }
  // The picture as the view shows it, computed without keeping anything: the shown
  // picture when there is one, else redrawn from the unedited copy, else (a record
  // without screen pixels) from `screen_copy`, the file's screen copy, turned by
  // Angle. A null image when there is nothing to draw from.
  QImage RedrawnPicture(const cDIB* screen_copy) const;

  const HistogramArray& Histogram() const { return histogram_; }
  // A copy of the unedited screen pixels (surface layout).
  std::vector<std::uint8_t> OriginalPixelsArray() const { return original_bits_; }
  // Snapshot of the freshly loaded picture for the thumbnail strip.
  const QImage& pictureToTumb() const { return thumbnail_; }
  void pictureToTumbFree() { thumbnail_ = QImage(); }
  const ExifTexts& Exif() const { return exif_; }
  bool HaveEmbededProfile() const { return have_embedded_profile_; }
  const QString& EmbededProfileDescription() const { return profile_description_; }

  // View.
  const PictureBox& picture() const { return box_; }  // left/top/size in twips
  int ViewSize() const { return view_size_; }         // S + 4 pixels
  double ScaleWidth() const { return crop_.ScaleWidth(); }
  double ScaleHeight() const { return crop_.ScaleHeight(); }
  CropFrame& Crop() { return crop_; }
  const CropFrame& Crop() const { return crop_; }
  // Colour at (x, y) twips of the picture as 0x00BBGGRR; 0 outside it.
  std::uint32_t POINT(double x, double y) const;
  float PrintResolution() const;

 private:
  // Applies the tone edits and the unsharp mask to `buffer`.
  void ApplyRecordEdits(PictureUtilsCls& buffer, HistogramArray& histogram,
                        bool update_histogram) const;

  const JobSettings& settings_;
  PictureUtilsCls buffer_;
  std::vector<std::uint8_t> original_bits_;
  PictureBox box_;
  CropFrame crop_;
  HistogramArray histogram_;
  QImage thumbnail_;
  ExifTexts exif_;
  QString file_name_;
  QString label_;
  QString previous_print_date_;
  QString profile_description_;
  double file_date_ = 0;
  double print_width_ = 0;
  double print_height_ = 0;
  double margin_ = 0;
  int view_size_ = 0;
  int screen_size_ = 0;
  double pixel_ratio_ = 1.0;
  int copies_ = 1;
  int photo_pixels_width_ = 0;
  int photo_pixels_height_ = 0;
  int angle_ = 0;
  int bright_ = 0;
  int contrast_ = 0;
  double gamma_ = 1.0;
  int saturation_ = 0;
  int red_ = 0;
  int green_ = 0;
  int blue_ = 0;
  int unsharp_ = 0;
  bool white_balance_mode_ = false;
  bool have_embedded_profile_ = false;
};

}  // namespace tessaly
