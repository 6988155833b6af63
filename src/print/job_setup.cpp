// The job settings dialog's rules on the program-wide settings and the in-memory
// catalogue; the file is read on the first opening and on Cancel, written on a mode
// switch (sizes only, when changed) and on Ok. The option fields and the font only
// change the settings in memory.
#include "print/job_setup.h"

#include "controls/common_dialogs.h"
#include "controls/ui_service.h"
#include "controls/units.h"
#include "print/job_layout.h"
#include "print/settings_summary.h"
#include "settings/settings_table.h"
#include "surface/cdib.h"

namespace tessaly {
namespace {

// The smallest label size the font dialog offers, in points.
constexpr double kMinFontSize = 1.0;
// A label colour is 0x00BBGGRR: whatever the font dialog returns above is dropped.
constexpr std::uint32_t kRgbBits = 0xFFFFFFu;

}  // namespace

JobSetup::JobSetup(MyPictureManager& job, const QString& file)
    : job_(job), file_(file), sizes_(PhotoSizeCatalogue(), Unit()) {}

SizeUnit JobSetup::Unit() const {
  return Settings().Units == kUnitsInches ? SizeUnit::Inches : SizeUnit::Centimetres;
}

void JobSetup::Open() {
  no_printer_ = true;
  not_confirmed_ = true;
  if (!first_opening_) return;
  first_opening_ = false;
  const QString options = QLatin1String(kOptionsSection);
  JobSettings& s = Settings();
  s.DateMask = ReadTextSetting(options, "DateMask", file_).left(kMaxDateMaskLength);
  s.Units = ReadIntSetting(options, "Units", file_) == kUnitsInches ? kUnitsInches : 0;
  SwitchMode(ReadBoolSetting(options, "ThumbMode", file_));
}

void JobSetup::SwitchMode(bool thumb_mode) {
  JobSettings& s = Settings();
  if (CatalogueModified()) {
    SaveJobSettings(s, sizes_, true, file_);
    modified_ = false;
  }
  s.ThumbMode = thumb_mode;
  sizes_ = LoadModeSettings(s, file_);
  // Loading selects the stored entry: the job's size may have changed with the mode.
  if (sizes_.SelectedSize() != nullptr) size_chosen_ = true;
  // Contact sheets carry the file name under each thumbnail, never a date or a frame.
  if (thumb_mode) {
    s.PhotoPrintDate = false;
    s.PhotoPrintFileName = true;
    s.PhotoDrawFrame = false;
  }
}

JobSetupFields JobSetup::Fields() const {
  const JobSettings& s = Settings();
  return {s.ThumbMode,          s.LayoutMode,     s.Center,       s.PhotoPrintDate,
          s.PhotoPrintFileName, s.PhotoDrawFrame, s.DrawCropMarks};
}

bool JobSetup::Take(const JobSetupFields& fields) {
  JobSettings& s = Settings();
  if (fields.thumb_mode != s.ThumbMode) {
    SwitchMode(fields.thumb_mode);
    return true;
  }
  s.LayoutMode = fields.layout_mode;
  s.Center = fields.center;
  s.PhotoPrintDate = fields.print_date;
  s.PhotoPrintFileName = fields.print_file_name;
  s.PhotoDrawFrame = fields.draw_frame;
  s.DrawCropMarks = fields.crop_marks;
  return false;
}

bool JobSetup::ChooseFont() {
  JobSettings& s = Settings();
  FontChoice font;
  font.name = s.FontName;
  font.size = s.FontSize;
  font.bold = s.FontBold;
  font.italic = s.FontItalic;
  font.underline = s.FontUnderline;
  std::uint32_t colour = s.FontColor;
  if (!CurrentCommonDialogs().ChooseFont(font, colour, kMinFontSize, kMaxFontSize)) return false;
  s.FontName = font.name.left(kMaxFaceNameLength);
  s.FontSize = font.size;
  s.FontBold = font.bold;
  s.FontItalic = font.italic;
  s.FontUnderline = font.underline;
  s.FontColor = colour & kRgbBits;
  return true;
}

void JobSetup::TakeSelectedSize() {
  if (const PhotoSize* size = sizes_.SelectedSize()) Settings().Size = *size;
  size_chosen_ = true;
}

void JobSetup::SelectSize(int index) {
  sizes_.SelectIndex(index);
  TakeSelectedSize();
}

void JobSetup::AddSize(const PhotoSize& size) {
  sizes_.Add(size);
  TakeSelectedSize();
}

bool JobSetup::EditSelectedSize(const PhotoSize& size) {
  if (!sizes_.EditSelected(size)) return false;
  TakeSelectedSize();
  return true;
}

bool JobSetup::DeleteSelectedSize() {
  if (!sizes_.DeleteSelected()) return false;
  TakeSelectedSize();
  return true;
}

void JobSetup::UnitsChanged(int old_units) {
  if (Settings().Units == old_units) return;
  // The refilled list starts unmodified; a change made before must still be saved.
  modified_ = CatalogueModified();
  sizes_ = PhotoSizesList(sizes_.Catalogue(), Unit());
  SelectSize(0);
}

QStringList JobSetup::Summary(PrinterDevice* device, PageLayout& layout, SheetGeometry& sheet) {
  if (no_printer_ || device == nullptr) return {QString(), QLatin1String(kNoPrinterText)};
  CurrentUi().SetWaitCursor(true);
  ComputeJobLayout(layout, *device, Settings());
  sheet = SheetOf(*device);
  CurrentUi().SetWaitCursor(false);
  return SettingsSummaryLines(sheet, layout.GetPageCellCount(), Settings().Units);
}

bool JobSetup::Confirm() {
  if (sizes_.SelectedSize() == nullptr) {
    CurrentUi().MessageBox(QLatin1String(kNoSizeSelectedMessage), MsgButtons::Ok,
                           MsgIcon::Exclamation);
    return false;
  }
  SaveJobSettings(Settings(), sizes_, false, file_);
  if (size_chosen_ && job_.Count() > 0) job_.ApplyPhotoSize();
  not_confirmed_ = false;
  return true;
}

void JobSetup::Cancel() {
  if (!not_confirmed_) return;
  not_confirmed_ = false;
  SwitchMode(ReadBoolSetting(QLatin1String(kOptionsSection), "ThumbMode", file_));
}

}  // namespace tessaly
