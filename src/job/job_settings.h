// The job's settings held in memory for the whole run: the mode, the photo size,
// what is printed on each photo, the label font and colour, the layout options, and
// the resolution limits and sharpening that the print options or the save dialog
// set just before a run. Read from the settings file once; the photo records, the
// save pipeline and the print run read them from here, never from the file.
#pragma once

#include <QString>
#include <cstdint>

#include "settings/photo_sizes.h"
#include "settings/settings_file.h"

namespace tessaly {

// The largest label font size (points).
inline constexpr double kMaxFontSize = 70.0;
// The screen photo sizes the preferences offer (pixels).
inline constexpr int kMinScreenPhotoSize = 400;
inline constexpr int kMaxScreenPhotoSize = 700;
// The longest date mask kept: the masks offered are at most 14 characters, and a
// mask's text lands on one line under a photo.
inline constexpr int kMaxDateMaskLength = 255;

struct JobSettings {
  bool ThumbMode = false;  // contact-sheet mode
  int LayoutMode = 0;      // 0 Best Fit, 1 Landscape, 2 Portrait
  bool Center = false;
  bool PhotoPrintDate = false;
  bool PhotoPrintFileName = false;
  bool PhotoDrawFrame = false;
  bool DrawCropMarks = false;
  QString FontName = QStringLiteral("Arial");
  double FontSize = 10.0;  // points
  bool FontBold = false;
  bool FontItalic = false;
  bool FontUnderline = false;
  std::uint32_t FontColor = 0;        // 0x00BBGGRR
  PhotoSize Size{152.4, 101.6, 0.0};  // the selected catalogue size, mm
  QString DateMask;                   // mask of the printed shot date; "" = as EXIF gives it
  int ScreenPhotoSize = 400;          // pixels, at least 400
  // Device pixels per screen pixel of the window's screen: screen copies are decoded
  // this much denser so they stay sharp. Set by the window, never stored.
  double ScreenPixelRatio = 1.0;
  int Units = 0;  // 0 centimetres, 1 inches
  // Photos are read upright by their orientation tag. The process-wide reading
  // follows the value loaded at start (photo_orientation.h); a change takes effect
  // at the next start.
  bool UprightPhotos = true;
  // Saved files keep the GPS position of the photo's EXIF data.
  bool SaveGpsPosition = false;
  // Set by the print options or the save dialog before a run.
  int MinResolution = 0;  // ppi, 0 = off
  int MaxResolution = 0;  // ppi, 0 = off
  bool DefaultSharpen = false;
  int ICM = 0;             // printer colour space: 0 automatic, 1 sRGB, 2 a profile file
  QString ICMProfile;      // the profile file of ICM 2 (never stored)
  double SpoolWait = 0.0;  // minutes between printed pages

  // The photo's longer and shorter side (mm) and the margin actually drawn.
  double PhotoWidth() const;
  double PhotoHeight() const;
  double PhotoMargin() const;
};

// The settings of the mode stored in `ThumbMode`, as the job settings dialog loads
// them on its first opening: flags, font (an empty FontName gives "Arial", colour 0
// and the default size; a size above 70 points becomes 70; a name keeps its first
// kMaxFaceNameLength characters), layout, the catalogue entry numbered UserSize (the
// first entry when there is none), unit, date mask (its first kMaxDateMaskLength
// characters) and screen photo size (held within kMinScreenPhotoSize and
// kMaxScreenPhotoSize), upright reading and the GPS choice for saved files.
// Resolution limits and sharpening start off.
JobSettings LoadJobSettings(const QString& file = SettingsFilePath());

// The layout keys of the section of `s.ThumbMode` into `s` (flags, font, centring,
// layout mode, as LoadJobSettings reads them), and that mode's catalogue in the unit
// of `s.Units` with the entry numbered UserSize selected and taken as `s.Size`.
PhotoSizesList LoadModeSettings(JobSettings& s, const QString& file = SettingsFilePath());

// Writes ThumbMode to "Options" and, unless `sizes_only`, the mode section's check
// boxes, font, colour, centring and layout mode; then always the mode's catalogue and
// selected entry. False when some value could not be written.
bool SaveJobSettings(const JobSettings& s, const PhotoSizesList& sizes, bool sizes_only,
                     const QString& file = SettingsFilePath());

}  // namespace tessaly
