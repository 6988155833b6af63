// --printer against the listed descriptions; the first listed match wins. Without it,
// the system's default printer, or the rule of a system without one.
#include "app/batch/printer_choice.h"

#include <cstdio>

#include "app/batch/commands.h"

namespace tessaly::batch {
namespace {

constexpr char kPrinterOption[] = "printer";

// 1-based position of the printer `name` names, 0 when none does.
int PositionOf(const QStringList& descriptions, const QString& name) {
  for (int i = 0; i < descriptions.size(); ++i) {
    if (descriptions[i] == name || PrinterDisplayName(descriptions[i]) == name) return i + 1;
  }
  return 0;
}

// The display names of the listed printers, quoted, comma-separated.
QString QuotedNames(const QStringList& descriptions) {
  QStringList names;
  for (const QString& description : descriptions)
    names.append(QLatin1Char('"') + PrinterDisplayName(description) + QLatin1Char('"'));
  return names.join(QStringLiteral(", "));
}

}  // namespace

void AddPrinterOption(QCommandLineParser& parser) {
  parser.addOption(QCommandLineOption(QLatin1String(kPrinterOption), QString(), "name"));
}

int ChoosePrinter(const QCommandLineParser& parser, const QString& command, PrinterAccess& access,
                  WithoutDefault rule) {
  QStringList descriptions;
  int count = 0;
  int current = 0;
  access.GetPrinterList(descriptions, count, current);
  if (count == 0) return kExitNoPrinter;
  if (!parser.isSet(QLatin1String(kPrinterOption)) && !access.SystemHasDefault()) {
    if (rule == WithoutDefault::kRefuse) {
      std::fprintf(stderr,
                   "tessaly-batch %s: the system has no default printer; choose one with "
                   "--printer NAME: %s\n",
                   qPrintable(command), qPrintable(QuotedNames(descriptions)));
      return kExitNoPrinter;
    }
    std::fprintf(stderr, "tessaly-batch %s: the system has no default printer; using \"%s\"\n",
                 qPrintable(command), qPrintable(PrinterDisplayName(access.CurrentPrinterName())));
  }
  if (parser.isSet(QLatin1String(kPrinterOption))) {
    const QString name = parser.value(QLatin1String(kPrinterOption));
    const int position = PositionOf(descriptions, name);
    if (position == 0) {
      return UsageError(command, QStringLiteral("--printer: no printer '%1' (see "
                                                "'tessaly-batch printers')")
                                     .arg(name));
    }
    if (position != current && !access.SelectPrinter(position)) return kExitNoPrinter;
  }
  if (access.Device() == nullptr) return kExitNoPrinter;
  KeepPortraitSilently(access);
  return kExitOk;
}

}  // namespace tessaly::batch
