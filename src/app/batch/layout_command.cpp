// tessaly-batch layout: the job settings dialog's summary for a printer and the
// photo cells of one page, as the print run will fill them.
#include <cstdio>

#include "app/batch/commands.h"
#include "app/batch/printer_choice.h"
#include "controls/formatting.h"
#include "print/cups/cups_printer_catalogue.h"
#include "print/job_layout.h"
#include "print/settings_summary.h"

namespace tessaly::batch {
namespace {

constexpr char kLayoutHelp[] =
    "Usage: tessaly-batch layout [OPTIONS]\n"
    "\n"
    "Shows the page layout of the job settings on a printer: the summary of Tessaly's\n"
    "job settings dialog (paper size, printable area, photos per page), then one line\n"
    "per photo cell in the order pages are filled, tab-separated: the cell's number,\n"
    "its corners X0 Y0 X1 Y1 in millimetres from the printable area's top-left\n"
    "corner, and its orientation (1 upright: the size's height wide; 2 turned).\n"
    "\n"
    "Options:\n"
    "  --printer NAME       a printer of 'tessaly-batch printers' (default: the one\n"
    "                       marked there)\n"
    "%1"
    "  --size HxW[+M][UNIT] photo size, height first, optional margin; UNIT mm (the\n"
    "                       default), cm or in, for example 10x15cm or 4x6in+0.2\n"
    "  --mode MODE          best (Best Fit), landscape or portrait (default: the\n"
    "                       settings' layout mode)\n"
    "  --center             centre the photos on the sheet\n"
    "  --contact-sheet      lay out a contact sheet (a band for the title on top)\n"
    "  --cut-marks          leave room for the cut marks\n"
    "  --settings FILE      read the settings from FILE instead of\n"
    "                       $XDG_CONFIG_HOME/tessaly/Tesly.ini\n"
    "  -h, --help           show this help\n"
    "\n"
    "Without any printer the summary is \"No Printer!\" and the exit code 4.\n";

// Values of --mode, indexed by layout mode.
const QStringList& ModeNames() {
  static const QStringList names = {QStringLiteral("best"), QStringLiteral("landscape"),
                                    QStringLiteral("portrait")};
  return names;
}

// The preview's text for a page without a cell.
constexpr char kNothingFits[] = "Photos don't fit on page!";

}  // namespace

int RunLayout(const QStringList& arguments) {
  const QString command = QStringLiteral("layout");
  QCommandLineParser parser;
  AddSettingsOptions(parser);
  AddPrinterOption(parser);
  parser.addOption(QCommandLineOption(QStringLiteral("mode"), QString(), "mode"));
  for (const char* flag : {"center", "contact-sheet", "cut-marks"}) {
    parser.addOption(QCommandLineOption(QLatin1String(flag)));
  }
  int exit_code = kExitOk;
  if (!ParseCommand(parser, command,
                    QString::fromLatin1(kLayoutHelp).arg(QLatin1String(kMediaOptionsHelp)),
                    arguments, exit_code)) {
    return exit_code;
  }
  if (!parser.positionalArguments().isEmpty()) {
    return UsageError(
        command,
        QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
  }
  JobSettings settings;
  if (!LoadSettingsOptions(parser, command, settings, exit_code)) return exit_code;
  if (parser.isSet(QStringLiteral("mode"))) {
    settings.LayoutMode = static_cast<int>(ModeNames().indexOf(parser.value("mode").toLower()));
    if (settings.LayoutMode < 0) {
      return UsageError(command, QStringLiteral("--mode: expected best, landscape or portrait"));
    }
  }
  if (parser.isSet(QStringLiteral("center"))) settings.Center = true;
  if (parser.isSet(QStringLiteral("contact-sheet"))) settings.ThumbMode = true;
  if (parser.isSet(QStringLiteral("cut-marks"))) settings.DrawCropMarks = true;

  CupsPrinterCatalogue catalogue;
  PrinterAccess access(&catalogue);
  exit_code = ChoosePrinter(parser, command, access, WithoutDefault::kUseFirstListed);
  if (exit_code == kExitNoPrinter) std::printf("\n%s\n", kNoPrinterText);
  if (exit_code != kExitOk) return exit_code;

  PageLayout layout;
  ComputeJobLayout(layout, *access.Device(), settings);
  const QStringList summary =
      SettingsSummaryLines(SheetOf(*access.Device()), layout.GetPageCellCount(), settings.Units);
  for (const QString& line : summary) std::printf("%s\n", qPrintable(line));
  if (layout.GetPageCellCount() == 0) std::printf("%s\n", kNothingFits);

  const QString mm = QStringLiteral("0.00");
  const std::vector<PageCell> cells = layout.GetPageCells();
  for (int i = 0; i < layout.GetPageCellCount(); ++i) {
    const PageCell& cell = cells[i];
    std::printf("%d\t%s\t%s\t%s\t%s\t%d\n", i + 1, qPrintable(FormatNumber(cell.X0, mm)),
                qPrintable(FormatNumber(cell.Y0, mm)), qPrintable(FormatNumber(cell.X1, mm)),
                qPrintable(FormatNumber(cell.Y1, mm)), cell.Orientation);
  }
  return kExitOk;
}

}  // namespace tessaly::batch
