// The print options dialog's stored fields and the Print button's checks, in the
// dialog's order.
#include "print/print_options.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "colour/colour_profiles.h"
#include "colour/printer_profile.h"
#include "controls/ui_service.h"
#include "print/job_layout.h"
#include "print/printer_profiles.h"
#include "settings/resolution_limits.h"
#include "settings/settings_table.h"

namespace tessaly {
namespace {

// The highest resolution either limit takes, in ppi.
constexpr double kMaxPrintResolution = 1000.0;
// The pause field has no limit of its own; a pause longer than a day is taken as a
// day, so that the countdown stays a whole number of seconds an int can hold.
constexpr double kMaxSpoolWaitMinutes = 24 * 60;

// A value box's text as a resolution: 0 < value ≤ 1000, digits only.
bool ValidResolution(const QString& text) {
  static const QRegularExpression digits(QStringLiteral("^\\d+$"));
  if (!digits.match(text).hasMatch()) return false;
  const double value = LeadingNumber(text);
  return value > 0.0 && value <= kMaxPrintResolution;
}

constexpr char kPaperChangedMessage[] =
    "Warning: changing the printer paper size may also change the page layout.\n\n"
    "Check the new page layout in the 'Settings' or in the 'Preview' window.";

}  // namespace

PrintDialogFields ReadPrintDialogFields(const QString& file) {
  const QString section = QLatin1String(kPrintOptionsSection);
  PrintDialogFields f;
  const int icm = ReadIntSetting(section, "ICM", file);
  f.colour_option =
      (icm == kPrinterProfileSrgb || icm == kPrinterProfileChosen) ? icm : kPrinterProfileAutomatic;
  ReadResolutionLimits(section, file, f);
  f.spool_wait_text = QString::number(ReadIntSetting(section, "SpoolWait", file));
  return f;
}

PrintDialogFields OpeningPrintFields(const PrintDialogFields& stored, const JobSettings& settings,
                                     const QString& printer, const QString& file) {
  PrintDialogFields f = PhotoPrintChoices(settings) ? stored : PrintDialogFields();
  f.profile = RememberedPrinterProfile(printer, file);
  return f;
}

PrintDialogFields PrintFieldsToStore(const PrintDialogFields& shown,
                                     const PrintDialogFields& stored, const JobSettings& settings) {
  PrintDialogFields f = shown;
  if (PhotoPrintChoices(settings)) return f;
  f.min_on = stored.min_on;
  f.min_text = stored.min_text;
  f.max_on = stored.max_on;
  f.max_text = stored.max_text;
  f.sharpen = stored.sharpen;
  return f;
}

void WritePrintDialogFields(const PrintDialogFields& fields, const QString& file) {
  const QString section = QLatin1String(kPrintOptionsSection);
  WriteIntSetting(section, "ICM", fields.colour_option, file);
  WriteResolutionLimits(section, fields, file);
  WriteIniValue(section, "SpoolWait", fields.spool_wait_text, file);
}

PrintCheck CheckPrintDialog(const PrintDialogFields& fields, JobSettings& settings) {
  settings.MinResolution = 0;
  settings.MaxResolution = 0;
  if (fields.colour_option == kPrinterProfileChosen && fields.profile.isEmpty()) {
    return {QStringLiteral("Please select a printer profile."), PrintField::kCmdICCBrowse};
  }
  // A contact sheet's resolution boxes and sharpening are disabled, "Normal" ticked.
  const bool limits = PhotoPrintChoices(settings);
  const bool min_on = limits && fields.min_on;
  const bool max_on = limits && fields.max_on;
  if (min_on && !ValidResolution(fields.min_text)) {
    return {QStringLiteral("The minimum resolution is invalid!"), PrintField::kTxtInterpolVal1};
  }
  if (max_on && !ValidResolution(fields.max_text)) {
    return {QStringLiteral("The maximum resolution is invalid!"), PrintField::kTxtInterpolVal2};
  }
  const double minimum = LeadingNumber(fields.min_text);
  const double maximum = LeadingNumber(fields.max_text);
  if (min_on && max_on && minimum > maximum) {
    return {QStringLiteral("The minimum resolution can't be greater than the maximum resolution!"),
            PrintField::kTxtInterpolVal1};
  }
  settings.ICM =
      fields.colour_option == kPrinterProfileChosen || fields.colour_option == kPrinterProfileSrgb
          ? fields.colour_option
          : kPrinterProfileAutomatic;
  settings.ICMProfile = settings.ICM == kPrinterProfileChosen ? fields.profile : QString();
  settings.MinResolution = min_on ? static_cast<int>(std::lrint(minimum)) : 0;
  settings.MaxResolution = max_on ? static_cast<int>(std::lrint(maximum)) : 0;
  settings.DefaultSharpen = limits && fields.sharpen;
  settings.SpoolWait = std::clamp(LeadingNumber(fields.spool_wait_text), 0.0, kMaxSpoolWaitMinutes);
  return {};
}

OpenFileRequest PrinterProfileRequest() {
  OpenFileRequest request;
  request.title = QStringLiteral("Select Printer Profile");
  request.filter = QStringLiteral("ICC/ICM Files|*.ICC;*.ICM");
  request.initial_folder = ColourDirectory();
  return request;
}

void PrintOptionsPrinterProperties(PrinterAccess& printers, PageLayout& layout,
                                   const JobSettings& settings) {
  PrinterDevice* before = printers.Device();
  const SheetGeometry old_sheet = before ? SheetOf(*before) : SheetGeometry();
  printers.ShowPrinterProperties();
  if (PrinterDevice* device = printers.Device()) {
    const SheetGeometry sheet = SheetOf(*device);
    if (sheet.SheetWidth != old_sheet.SheetWidth || sheet.SheetHeight != old_sheet.SheetHeight)
      CurrentUi().MessageBox(QLatin1String(kPaperChangedMessage), MsgButtons::Ok,
                             MsgIcon::Information);
    ComputeJobLayout(layout, *device, settings);
  }
  KeepPortraitAfterProperties(printers);
}

}  // namespace tessaly
