// The job's settings from the settings file: the section of the stored mode for the
// layout keys, "Options" for the general ones. Values outside what the dialogs allow
// are brought back into range here, once, so every reader can trust them.
#include "job/job_settings.h"

#include <algorithm>

#include "controls/units.h"
#include "settings/settings_table.h"
#include "surface/cdib.h"

namespace tessaly {

double JobSettings::PhotoWidth() const {
  return std::max(Size.Width, Size.Height);
}

double JobSettings::PhotoHeight() const {
  return std::min(Size.Width, Size.Height);
}

double JobSettings::PhotoMargin() const {
  return EffectiveMargin(Size.Margins, ThumbMode);
}

PhotoSizesList LoadModeSettings(JobSettings& s, const QString& file) {
  const QString section = SizesSection(s.ThumbMode);
  s.LayoutMode = std::clamp(ReadIntSetting(section, "LayoutMode", file), 0, 2);
  s.Center = ReadCheckSetting(section, "Center", file);
  s.PhotoPrintDate = ReadCheckSetting(section, "PhotoPrintDate", file);
  s.PhotoPrintFileName = ReadCheckSetting(section, "PhotoPrintFileName", file);
  s.PhotoDrawFrame = ReadCheckSetting(section, "PhotoDrawFrame", file);
  s.DrawCropMarks = ReadCheckSetting(section, "DrawCropMarks", file);
  // An empty font name stands for a fresh font: "Arial" in black at the default size.
  const QString font_name = ReadIniValue(section, "FontName", file);
  s.FontSize = LeadingNumber(SettingDefault(section, "FontSize"));
  if (font_name.isEmpty()) {
    s.FontName = QStringLiteral("Arial");
    s.FontColor = 0;
    s.FontBold = s.FontItalic = s.FontUnderline = false;
  } else {
    s.FontName = font_name.left(kMaxFaceNameLength);
    s.FontSize = ReadNumberSetting(section, "FontSize", file);
    s.FontBold = ReadBoolSetting(section, "FontBold", file);
    s.FontItalic = ReadBoolSetting(section, "FontItalic", file);
    s.FontUnderline = ReadBoolSetting(section, "FontUnderline", file);
    s.FontColor =
        static_cast<std::uint32_t>(ReadIntSetting(section, "FontColor", file)) & 0xFFFFFFu;
  }
  if (!(s.FontSize > 0.0)) s.FontSize = LeadingNumber(SettingDefault(section, "FontSize"));
  s.FontSize = std::min(s.FontSize, kMaxFontSize);

  const SizeUnit unit = s.Units == kUnitsInches ? SizeUnit::Inches : SizeUnit::Centimetres;
  PhotoSizesList sizes(LoadCatalogue(s.ThumbMode, unit, file), unit);
  sizes.SelectByNumber(LoadSelectedSize(s.ThumbMode, file));
  if (const PhotoSize* size = sizes.SelectedSize()) s.Size = *size;
  return sizes;
}

JobSettings LoadJobSettings(const QString& file) {
  JobSettings s;
  const QString options = QLatin1String(kOptionsSection);
  s.ThumbMode = ReadBoolSetting(options, "ThumbMode", file);
  s.Units = ReadIntSetting(options, "Units", file) == 1 ? 1 : 0;
  s.DateMask = ReadTextSetting(options, "DateMask", file).left(kMaxDateMaskLength);
  // A larger view costs memory for every photo of the job; the preferences offer
  // nothing above kMaxScreenPhotoSize.
  s.ScreenPhotoSize = std::clamp(ReadIntSetting(options, "ScreenPhotoSize", file),
                                 kMinScreenPhotoSize, kMaxScreenPhotoSize);
  s.UprightPhotos = ReadBoolSetting(options, "UprightPhotos", file);
  s.SaveGpsPosition = ReadBoolSetting(options, "SaveGpsPosition", file);

  LoadModeSettings(s, file);
  return s;
}

bool SaveJobSettings(const JobSettings& s, const PhotoSizesList& sizes, bool sizes_only,
                     const QString& file) {
  bool ok = WriteBoolSetting(QLatin1String(kOptionsSection), "ThumbMode", s.ThumbMode, file);
  const QString section = SizesSection(s.ThumbMode);
  if (!sizes_only) {
    ok &= WriteCheckSetting(section, "PhotoPrintDate", s.PhotoPrintDate, file);
    ok &= WriteCheckSetting(section, "PhotoPrintFileName", s.PhotoPrintFileName, file);
    ok &= WriteCheckSetting(section, "PhotoDrawFrame", s.PhotoDrawFrame, file);
    ok &= WriteCheckSetting(section, "DrawCropMarks", s.DrawCropMarks, file);
    ok &= WriteIniValue(section, "FontName", s.FontName, file);
    ok &= WriteIniValue(section, "FontSize", QString::number(s.FontSize), file);
    ok &= WriteBoolSetting(section, "FontUnderline", s.FontUnderline, file);
    ok &= WriteBoolSetting(section, "FontItalic", s.FontItalic, file);
    ok &= WriteBoolSetting(section, "FontBold", s.FontBold, file);
    ok &= WriteIntSetting(section, "FontColor", static_cast<int>(s.FontColor & 0xFFFFFFu), file);
    ok &= WriteCheckSetting(section, "Center", s.Center, file);
    ok &= WriteIntSetting(section, "LayoutMode", s.LayoutMode, file);
  }
  return SaveCatalogue(sizes.Catalogue(), sizes.SelectedNumber(), s.ThumbMode, file) && ok;
}

}  // namespace tessaly
