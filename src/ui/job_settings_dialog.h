// The job settings window (frmJobSetup): printer, mode, what is printed on each
// photo, the photo sizes, the page arrangement, a live summary and page preview.
// Every rule lives in the JobSetup model, which outlives the window; the window shows
// it and passes the user's choices to it.
#pragma once

#include <QDialog>

#include "print/job_setup.h"
#include "print/page_layout.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QRadioButton;

namespace tessaly {

class PageLayoutPreview;
class PrinterAccess;

class JobSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens `setup` (the first opening of a run reads the settings file) and lists the
  // printers of `printers`; both outlive the window.
  JobSettingsDialog(JobSetup& setup, PrinterAccess& printers, QWidget* parent = nullptr);

  // Cancel, Escape and closing the window: the model goes back to the stored mode.
  void reject() override;

 private:
  void BuildLayout();
  QWidget* BuildPageGroup();
  QWidget* BuildArrangementGroup();
  QWidget* BuildOptionsGroup();
  QLayout* BuildButtonRow();
  void Show(const JobSetupFields& fields);
  JobSetupFields Fields() const;
  // Passes the fields to the model; a mode switch shows the new mode's fields, sizes
  // and summary, otherwise `summary` asks for the summary again.
  void TakeFields(bool summary);
  void ShowSizes();
  void UpdateSummary();
  void PrinterProperties();
  void SizeChosen(int index);
  void AddSize();
  void EditSize();
  void DeleteSize();
  void OtherPreferences();
  void Confirm();

  JobSetup& setup_;
  PrinterAccess& printers_;
  PageLayout layout_;
  SheetGeometry sheet_;
  QComboBox* printers_list_ = nullptr;
  QRadioButton* mode_[2] = {};
  QRadioButton* layout_mode_[3] = {};
  QCheckBox* print_date_ = nullptr;
  QCheckBox* print_file_name_ = nullptr;
  QCheckBox* draw_frame_ = nullptr;
  QCheckBox* crop_marks_ = nullptr;
  QCheckBox* center_ = nullptr;
  QLabel* units_ = nullptr;
  QComboBox* sizes_ = nullptr;
  QLabel* summary_ = nullptr;
  PageLayoutPreview* preview_ = nullptr;
};

// Runs the job settings window modally over `parent`. True when the user confirmed
// with Ok: the settings are stored and the job's photos took the new size; the main
// window then refreshes its photo fields and shows the label field only in
// contact-sheet mode. False after Cancel (the stored mode's settings are back).
bool RunJobSettings(QWidget* parent, JobSetup& setup, PrinterAccess& printers);

}  // namespace tessaly
