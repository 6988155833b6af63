// The job settings dialog's rules on the program-wide settings and the in-memory
// catalogue; the file is read on the first opening and on Cancel, written on a mode
// switch (sizes only, when changed) and on Ok.
#include "print/job_setup.h"

#include "controls/ui_service.h"
#include "controls/units.h"
#include "print/job_layout.h"
#include "print/settings_summary.h"
#include "settings/settings_table.h"

namespace tessaly {

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
