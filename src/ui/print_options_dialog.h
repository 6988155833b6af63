// The print options window (frmPrintDialog): printer, colour space, resolution
// limits, sharpening and the pause between pages; the profile file shown is the one
// the core remembers for the chosen printer. The core checks the fields on "Print"
// and names the field to correct; the window shows the message, puts the focus on
// that field's control, and on success stores the fields and the printer's profile
// and closes.
#pragma once

#include <QDialog>

#include "job/picture_manager.h"
#include "print/page_layout.h"
#include "print/print_options.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tessaly {

class PrintWindow;
class PrinterAccess;
class ResolutionBoxes;

class PrintOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  // `settings` takes the checked choices on Print; `layout` is computed again when the
  // printer's properties change. All outlive the window.
  PrintOptionsDialog(JobSettings& settings, PrinterAccess& printers, PageLayout& layout,
                     const QString& file = SettingsFilePath(), QWidget* parent = nullptr);

 private:
  void BuildLayout();
  QWidget* BuildColourGroup();
  void Show(const PrintDialogFields& fields);
  PrintDialogFields Fields() const;
  // The field-to-control map: the control a failed check puts the focus on.
  QWidget* FieldControl(PrintField field) const;
  void ColourClicked(int index);
  void Browse();
  void Print();

  JobSettings& settings_;
  PrinterAccess& printers_;
  PageLayout& layout_;
  QString file_;
  PrintDialogFields stored_;  // the fields as stored when the window opened
  QComboBox* printers_list_ = nullptr;
  QRadioButton* colour_[3] = {};
  QLineEdit* icc_file_ = nullptr;
  QPushButton* icc_browse_ = nullptr;
  ResolutionBoxes* resolution_ = nullptr;
  QCheckBox* sharpen_ = nullptr;
  QLineEdit* spool_wait_ = nullptr;
};

// Runs the print options modally over `parent`; on Print the choices are stored, the
// layout is computed for the chosen printer and `run` prints the job. False when the
// user cancelled. The main window passes its job, printer access, layout and print
// window (built over the same three).
bool RunPrintOptions(QWidget* parent, MyPictureManager& job, PrinterAccess& printers,
                     PageLayout& layout, PrintWindow& run);

}  // namespace tessaly
