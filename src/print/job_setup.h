// The job settings dialog's state without its window, kept for the whole run: the
// photo-size catalogue of the current mode, the flags the dialog keeps between
// openings, the mode switch with its catalogue save and reload, the check boxes that
// contact sheets force, the option fields and the label font, the settings summary,
// and Ok and Cancel. Only the first opening of a run reads the settings file; Ok
// writes it; Cancel reads back the stored mode and loads that mode's saved settings.
#pragma once

#include <QString>
#include <QStringList>

#include "job/job_settings.h"
#include "job/picture_manager.h"
#include "print/page_layout.h"
#include "print/printer_device.h"

namespace tessaly {

inline constexpr char kNoSizeSelectedMessage[] = "No photo dimensions selected!";

// The window's mode and option fields as shown.
struct JobSetupFields {
  bool thumb_mode = false;       // optMode: photos (0) or contact sheet (1)
  int layout_mode = 0;           // optLayoutMode: 0 Best Fit, 1 Landscape, 2 Portrait
  bool center = false;           // chkCenter
  bool print_date = false;       // chkPrintDate
  bool print_file_name = false;  // chkPrintFileName
  bool draw_frame = false;       // chkDrawFrame
  bool crop_marks = false;       // chkCropMarks
};

// The help page of the job settings and of the preferences.
inline constexpr char kSettingsHelpPage[] = "Settings.htm";

class JobSetup {
 public:
  // `job` (not owned) holds the program-wide settings and the photos; it outlives this.
  explicit JobSetup(MyPictureManager& job, const QString& file = SettingsFilePath());

  JobSettings& Settings() { return job_.Settings(); }
  const JobSettings& Settings() const { return job_.Settings(); }
  const PhotoSizesList& Sizes() const { return sizes_; }
  SizeUnit Unit() const;
  const QString& File() const { return file_; }

  bool FirstOpening() const { return first_opening_; }
  bool NotConfirmed() const { return not_confirmed_; }
  bool SizeChosen() const { return size_chosen_; }
  bool CatalogueModified() const { return modified_ || sizes_.Modified(); }
  bool NoPrinter() const { return no_printer_; }

  // Opening: the no-printer flag is set; the first opening of the run reads the date
  // mask, the unit and the stored mode and switches to it (loading its settings).
  void Open();
  // The printers were listed: with at least one the no-printer flag is cleared.
  void SetPrinterCount(int count) { no_printer_ = count <= 0; }

  // The mode option: the catalogue of the mode being left is saved when it was
  // changed, then the new mode's settings are loaded and contact sheets force their
  // check boxes.
  void SwitchMode(bool thumb_mode);
  // The fields as the settings hold them.
  JobSetupFields Fields() const;
  // The user changed the fields: another mode than the current one is switched to
  // (true: the window shows the new mode's fields); otherwise the arrangement and the
  // photo options are taken into the settings (false).
  bool Take(const JobSetupFields& fields);
  // "Font...": the font dialog offers the label's font and colour with sizes up to
  // the label's largest, so that the size chosen is the size printed now and after
  // the next start; a confirmed choice is taken, its face name cut to the longest a
  // label takes and its colour to red, green and blue. False when cancelled.
  bool ChooseFont();

  // The date, file-name and frame check boxes can be changed (photo mode only).
  bool PrintChecksEnabled() const { return !Settings().ThumbMode; }

  // The size list: a chosen item becomes the job's size.
  void SelectSize(int index);
  // A confirmed size editor: appended and selected, or the selected entry replaced.
  void AddSize(const PhotoSize& size);
  bool EditSelectedSize(const PhotoSize& size);
  // Delete with its question; the selection it leaves becomes the job's size.
  bool DeleteSelectedSize();
  // After the preferences: when the unit is no longer `old_units`, the list is
  // refilled in the new unit and its first item chosen.
  void UnitsChanged(int old_units);

  // The summary lines: a line break and kNoPrinterText without a printer (no layout
  // computed), else the sheet, printable area and photos per page of `layout`, which
  // is computed for `device` (kept in portrait).
  QStringList Summary(PrinterDevice* device, PageLayout& layout, SheetGeometry& sheet);

  // Ok: kNoSizeSelectedMessage (false) without a selected size; otherwise every
  // setting is stored, the job's photos take the new size when one was chosen, and
  // the dialog is confirmed.
  bool Confirm();
  // Cancel or closing: an unconfirmed dialog reads the stored mode back and switches
  // to it.
  void Cancel();

 private:
  void TakeSelectedSize();

  MyPictureManager& job_;
  QString file_;
  PhotoSizesList sizes_;
  bool first_opening_ = true;
  bool not_confirmed_ = false;
  bool size_chosen_ = false;
  bool modified_ = false;
  bool no_printer_ = true;
};

}  // namespace tessaly
