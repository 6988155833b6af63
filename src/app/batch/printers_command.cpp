// tessaly-batch printers: the printer list of the job settings dialog — each
// printer's display name in list order, the current one marked — or "No Printer!";
// with --papers, one printer's papers, media types and qualities.
#include <cstdio>

#include "app/batch/commands.h"
#include "app/batch/printer_choice.h"
#include "print/cups/cups_printer_catalogue.h"
#include "print/settings_summary.h"

namespace tessaly::batch {
namespace {

constexpr char kPrintersHelp[] =
    "Usage: tessaly-batch printers [--settings FILE] [--papers NAME]\n"
    "\n"
    "Lists the printers as Tessaly's job settings dialog shows them: the system's\n"
    "print queues, then the built-in \"Print to PDF\" printer (unless the settings\n"
    "say PdfPrinter=0). The printer used when no --printer is given — the system's\n"
    "default, else the first listed — is marked with '*'. Any name shown can be given\n"
    "to --printer of the layout and print commands.\n"
    "\n"
    "With --papers, lists what the printer NAME offers instead: one paper per line,\n"
    "tab-separated: its name (a borderless entry says \"borderless\"), its width x\n"
    "height in mm, its left, right, top and bottom margins in mm, and \"default\" on\n"
    "the paper a job uses when none is chosen; then a line \"Media types:\" and a\n"
    "line \"Qualities:\" and a line \"Sources:\" with the names --media-type, --quality\n"
    "and --media-source take, and a line \"Resolutions:\" with the printer's\n"
    "resolutions.\n"
    "\n"
    "Options:\n"
    "  --papers NAME        list the papers of the printer NAME\n"
    "  --settings FILE      read the settings from FILE instead of\n"
    "                       $XDG_CONFIG_HOME/tessaly/Tesly.ini\n"
    "  -h, --help           show this help\n"
    "\n"
    "Without any printer the list is \"No Printer!\" and the exit code 4.\n";

QString Millimetres(double mm) {
  return QString::number(mm, 'f', 1);
}

QString Names(const std::vector<MediaChoice>& choices) {
  QStringList names;
  for (const MediaChoice& choice : choices) names << choice.name;
  return names.join(QStringLiteral(", "));
}

void PrintMedia(const PrinterMedia& media) {
  for (std::size_t i = 0; i < media.papers.size(); ++i) {
    const PrinterPaper& p = media.papers[i];
    std::printf("%s\t%s x %s mm\t%s %s %s %s%s\n", qPrintable(p.name),
                qPrintable(Millimetres(p.width_mm)), qPrintable(Millimetres(p.height_mm)),
                qPrintable(Millimetres(p.left_mm)), qPrintable(Millimetres(p.right_mm)),
                qPrintable(Millimetres(p.top_mm)), qPrintable(Millimetres(p.bottom_mm)),
                static_cast<int>(i) == media.default_paper ? "\tdefault" : "");
  }
  std::printf("Media types:\t%s\n", qPrintable(Names(media.types)));
  std::printf("Qualities:\t%s\n", qPrintable(Names(media.qualities)));
  std::printf("Sources:\t%s\n", qPrintable(Names(media.sources)));
  std::printf("Resolutions:\t%s\n", qPrintable(media.resolutions.join(QStringLiteral(", "))));
}

}  // namespace

int RunPrinters(const QStringList& arguments) {
  const QString command = QStringLiteral("printers");
  QCommandLineParser parser;
  AddSettingsFileOption(parser);
  parser.addOption(QCommandLineOption(QStringLiteral("papers"), QString(), "name"));
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
  if (parser.isSet(QStringLiteral("papers"))) {
    const int selected = SelectNamedPrinter(command, QStringLiteral("--papers"),
                                            parser.value("papers"), descriptions, current, access);
    if (selected != kExitOk) return selected;
    if (access.Device() == nullptr) return kExitNoPrinter;
    PrintMedia(access.Device()->Media());
    return kExitOk;
  }
  for (int position = 1; position <= count; ++position) {
    std::printf("%s %s\n", position == current ? "*" : " ",
                qPrintable(PrinterDisplayName(descriptions[position - 1])));
  }
  return kExitOk;
}

}  // namespace tessaly::batch
