// --printer against the listed descriptions; the first listed match wins.
#include "app/batch/printer_choice.h"

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

}  // namespace

void AddPrinterOption(QCommandLineParser& parser) {
  parser.addOption(QCommandLineOption(QLatin1String(kPrinterOption), QString(), "name"));
}

int ChoosePrinter(const QCommandLineParser& parser, const QString& command, PrinterAccess& access) {
  QStringList descriptions;
  int count = 0;
  int current = 0;
  access.GetPrinterList(descriptions, count, current);
  if (count == 0) return kExitNoPrinter;
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
