// tessaly-batch printers: the printer list of the job settings dialog — each
// printer's display name in list order, the current one marked — or "No Printer!".
#include <cstdio>

#include "app/batch/commands.h"
#include "print/cups/cups_printer_catalogue.h"
#include "print/settings_summary.h"

namespace tessaly::batch {
namespace {

constexpr char kPrintersHelp[] =
    "Usage: tessaly-batch printers [--settings FILE]\n"
    "\n"
    "Lists the printers as Tessaly's job settings dialog shows them: the system's\n"
    "print queues, then the built-in \"Print to PDF\" printer (unless the settings\n"
    "say PdfPrinter=0). The printer used when no --printer is given — the system's\n"
    "default, else the first listed — is marked with '*'. Any name shown can be given\n"
    "to --printer of the layout and print commands.\n"
    "\n"
    "Options:\n"
    "  --settings FILE      read the settings from FILE instead of\n"
    "                       $XDG_CONFIG_HOME/tessaly/Tesly.ini\n"
    "  -h, --help           show this help\n"
    "\n"
    "Without any printer the list is \"No Printer!\" and the exit code 4.\n";

}  // namespace

int RunPrinters(const QStringList& arguments) {
  const QString command = QStringLiteral("printers");
  QCommandLineParser parser;
  AddSettingsFileOption(parser);
  int exit_code = kExitOk;
  if (!ParseCommand(parser, command, QLatin1String(kPrintersHelp), arguments, exit_code) ||
      !UseSettingsFileOption(parser, command, exit_code)) {
    return exit_code;
  }
  if (!parser.positionalArguments().isEmpty()) {
    return UsageError(
        command,
        QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
  }
  CupsPrinterCatalogue catalogue;
  PrinterAccess access(&catalogue);
  QStringList descriptions;
  int count = 0;
  int current = 0;
  access.GetPrinterList(descriptions, count, current);
  if (count == 0) {
    std::printf("%s\n", kNoPrinterText);
    return kExitNoPrinter;
  }
  for (int position = 1; position <= count; ++position) {
    std::printf("%s %s\n", position == current ? "*" : " ",
                qPrintable(PrinterDisplayName(descriptions[position - 1])));
  }
  return kExitOk;
}

}  // namespace tessaly::batch
