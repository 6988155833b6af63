// The print options dialog without its window: its fields as the user set them,
// their stored values in the section "PrintOptions", and the Print button's checks,
// which turn valid fields into the job's colour mode, resolution limits (ppi, 0 = off,
// 1..1000 when on), default sharpening and pause between pages (0 to 1440 minutes). Each
// failing check gives its message and the control that gets the focus; a contact
// sheet has no limits and no sharpening. The dialog and the batch command share it.
#pragma once

#include <QString>

#include "controls/common_dialogs.h"
#include "job/job_settings.h"
#include "print/page_layout.h"
#include "print/printer_access.h"
#include "settings/settings_file.h"

namespace tessaly {

// The dialog's fields: ticks as shown, texts as typed.
struct PrintDialogFields {
  int colour_option = 0;  // optColorMngt: 0 "Automatic", 1 "sRGB", 2 "Use Profile:"
  QString profile;        // txtICCFile: the file chosen with "Browse..."; kept per printer
                          // apart from these fields (print/printer_profiles.h)
  bool min_on = false;    // chkInterpolate(1): "Set the minimum resolution to"
  QString min_text;       // txtInterpolVal(1)
  bool max_on = false;    // chkInterpolate(2): "Set the maximum resolution to"
  QString max_text;       // txtInterpolVal(2)
  bool sharpen = false;   // chkSharpen
  QString spool_wait_text = QStringLiteral("0");  // txtSpoolWait, minutes
};

// The help page of the print options.
inline constexpr char kPrintHelpPage[] = "Print.htm";

// The control a failed check puts the focus on.
enum class PrintField { kNone, kCmdICCBrowse, kTxtInterpolVal1, kTxtInterpolVal2 };

// The outcome of the checks: the failing check's message and focus, or an empty
// message and kNone when every check passed.
struct PrintCheck {
  QString message;
  PrintField focus = PrintField::kNone;
  bool Passed() const { return message.isEmpty(); }
};

// The fields as stored: ICM 1 or 2 picks that option and anything else "Automatic", a
// resolution of 0 as an empty text, no profile.
PrintDialogFields ReadPrintDialogFields(const QString& file = SettingsFilePath());

// Resolution limits and sharpening are photo choices: a contact sheet prints its
// thumbnails at native resolution, unsharpened, and the window disables them.
inline bool PhotoPrintChoices(const JobSettings& settings) {
  return !settings.ThumbMode;
}
// The fields the window opens with: the `stored` ones, or the defaults for a contact
// sheet, with the profile remembered for `printer` in `file`.
PrintDialogFields OpeningPrintFields(const PrintDialogFields& stored, const JobSettings& settings,
                                     const QString& printer, const QString& file);
// The fields Print checks and stores: those `shown`, but a contact sheet leaves the
// `stored` limits and sharpening of the photos as they were.
PrintDialogFields PrintFieldsToStore(const PrintDialogFields& shown,
                                     const PrintDialogFields& stored, const JobSettings& settings);
// Stores the fields after the checks passed (the maximum under the key "Interpolval2";
// the profile file is not stored).
void WritePrintDialogFields(const PrintDialogFields& fields,
                            const QString& file = SettingsFilePath());

// Runs the Print button's checks in the dialog's order: the job's limits switched
// off, a profile for "Use Profile:", the minimum, the maximum, minimum not above
// maximum. A value box holds digits only, so other text is refused with its box's
// message. On success `settings` holds the colour mode and profile, the limits,
// sharpening and the pause; a contact sheet (settings.ThumbMode) ignores the ticks of
// the limits and sharpening.
PrintCheck CheckPrintDialog(const PrintDialogFields& fields, JobSettings& settings);

// The "Browse..." request for a printer profile: ICC/ICM files in the system's
// colour-profile folder.
OpenFileRequest PrinterProfileRequest();

// "Printer Properties..." of the print options: the properties dialog, a warning when
// the sheet size changed (the page layout may change with it), the layout computed
// again for the job, then the portrait rule with its messages.
void PrintOptionsPrinterProperties(PrinterAccess& printers, PageLayout& layout,
                                   const JobSettings& settings);

}  // namespace tessaly
