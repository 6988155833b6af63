// --printer against the listed descriptions; the first listed match wins. Without it,
// the system's default printer, or the rule of a system without one.
#include "app/batch/printer_choice.h"

#include <cstdio>

#include "app/batch/commands.h"

namespace tessaly::batch {
namespace {

constexpr char kPrinterOption[] = "printer";
constexpr char kPaperOption[] = "paper";
constexpr char kTypeOption[] = "media-type";
constexpr char kQualityOption[] = "quality";
constexpr char kSourceOption[] = "media-source";

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

// The names of `names`, quoted, comma-separated.
template <typename List>
QString QuotedChoices(const List& list) {
  QStringList names;
  for (const auto& entry : list) names.append(QLatin1Char('"') + entry.name + QLatin1Char('"'));
  return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

// Applies --paper, --media-type and --quality to the current device.
int ChooseMedia(const QCommandLineParser& parser, const QString& command, PrinterDevice& device) {
  const PrinterMedia& media = device.Media();
  MediaChosen chosen = device.Chosen();
  // Sets `position` from the option's name; false after the usage error.
  const auto pick = [&](const char* option, const char* what, const auto& list, auto find,
                        int& position) {
    if (!parser.isSet(QLatin1String(option))) return true;
    const QString name = parser.value(QLatin1String(option));
    position = find(list, name);
    if (position >= 0) return true;
    UsageError(command,
               QStringLiteral("--%1: no %2 '%3'; the printer has %4")
                   .arg(QLatin1String(option), QLatin1String(what), name, QuotedChoices(list)));
    return false;
  };
  if (!pick(kPaperOption, "paper", media.papers, FindPaper, chosen.paper) ||
      !pick(kTypeOption, "type", media.types, FindChoice, chosen.type) ||
      !pick(kQualityOption, "quality", media.qualities, FindChoice, chosen.quality) ||
      !pick(kSourceOption, "source", media.sources, FindChoice, chosen.source))
    return kExitBadInput;
  device.ChooseMedia(chosen);
  return kExitOk;
}

}  // namespace

int SelectNamedPrinter(const QString& command, const QString& option, const QString& name,
                       const QStringList& descriptions, int current, PrinterAccess& access) {
  const int position = PositionOf(descriptions, name);
  if (position == 0) {
    return UsageError(
        command,
        QStringLiteral("%1: no printer '%2' (see 'tessaly-batch printers')").arg(option, name));
  }
  if (position != current && !access.SelectPrinter(position)) return kExitNoPrinter;
  return kExitOk;
}

void AddPrinterOption(QCommandLineParser& parser) {
  for (const char* name :
       {kPrinterOption, kPaperOption, kTypeOption, kQualityOption, kSourceOption})
    parser.addOption(QCommandLineOption(QLatin1String(name), QString(), "name"));
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
    const int selected = SelectNamedPrinter(command, QStringLiteral("--printer"),
                                            parser.value(QLatin1String(kPrinterOption)),
                                            descriptions, current, access);
    if (selected != kExitOk) return selected;
  }
  if (access.Device() == nullptr) return kExitNoPrinter;
  if (const int refused = ChooseMedia(parser, command, *access.Device()); refused != kExitOk)
    return refused;
  KeepPortraitSilently(access);
  return kExitOk;
}

}  // namespace tessaly::batch
