// tessaly-batch: the command-line front end over the core, for scripts and print
// kiosks. It runs headless: a QGuiApplication (text drawing needs one) on the
// offscreen platform unless QT_QPA_PLATFORM names another.
#include <QGuiApplication>
#include <cstdio>

#include "app/batch/commands.h"

namespace {

constexpr char kHelp[] =
    "Usage: tessaly-batch COMMAND [OPTIONS] [FILE...]\n"
    "\n"
    "Tessaly's photo job without the window: the information report of photos, the\n"
    "batch save of a job with its edits, and the sample charts of the demo.\n"
    "\n"
    "Commands:\n"
    "  info    print the image-information report of each photo\n"
    "  save    save photos (or a job file's photos with their edits) as new files\n"
    "  charts  write synthetic sample photos (colour bars, gradients, a resolution\n"
    "          wedge, a skin-tone and grey chart) into a folder\n"
    "\n"
    "'tessaly-batch COMMAND --help' describes a command.\n"
    "Exit codes: 0 done, 1 some photos not done, 2 bad input, 3 codecs missing.\n";

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QStringList arguments = QCoreApplication::arguments().mid(1);
  using namespace tessaly::batch;

  const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
  if (command == QLatin1String("info")) return RunInfo(arguments);
  if (command == QLatin1String("save")) return RunSave(arguments);
  if (command == QLatin1String("charts")) return RunCharts(arguments);
  if (command == QLatin1String("help") && !arguments.isEmpty()) {
    const QStringList help{QStringLiteral("--help")};
    if (arguments.first() == QLatin1String("info")) return RunInfo(help);
    if (arguments.first() == QLatin1String("save")) return RunSave(help);
    if (arguments.first() == QLatin1String("charts")) return RunCharts(help);
  }
  if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
      command == QLatin1String("help")) {
    std::fputs(kHelp, stdout);
    return kExitOk;
  }
  std::fputs(kHelp, stderr);
  if (!command.isEmpty()) {
    std::fprintf(stderr, "\ntessaly-batch: unknown command '%s'\n", qPrintable(command));
  }
  return kExitBadInput;
}
