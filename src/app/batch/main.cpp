// tessaly-batch: the command-line front end over the core, for scripts and print
// kiosks. It runs headless: a QGuiApplication (text drawing needs one) on the
// offscreen platform unless QT_QPA_PLATFORM names another.
#include <QGuiApplication>
#include <cstdio>

#include "app/batch/commands.h"
#include "app/batch/library_noise.h"
#include "controls/native_path.h"

namespace {

constexpr char kHelp[] =
    "Usage: tessaly-batch COMMAND [OPTIONS] [FILE...]\n"
    "\n"
    "Tessaly's photo job without the window: the information report of photos, the\n"
    "batch save of a job with its edits, the page layout and the print run of a job,\n"
    "and the sample charts of the demo.\n"
    "\n"
    "Commands:\n"
    "  info      print the image-information report of each photo\n"
    "  save      save photos (or a job file's photos with their edits) as new files\n"
    "  printers  list the printers, the one used by default marked\n"
    "  layout    show the settings summary and the photo cells of a page on a printer\n"
    "  print     print photos (or a job file's photos with their edits), or write the\n"
    "            preview of the pages as PNG files\n"
    "  charts    write synthetic sample photos (colour bars, gradients, a resolution\n"
    "            wedge, a skin-tone and grey chart) into a folder\n"
    "\n"
    "'tessaly-batch COMMAND --help' describes a command.\n"
    "Exit codes: 0 done, 1 some photos not done, 2 bad input, 3 codecs missing,\n"
    "4 no printer.\n";

using Command = int (*)(const QStringList&);

// The commands by name, in the order of the help text.
struct NamedCommand {
  const char* name;
  Command run;
};
constexpr NamedCommand kCommands[] = {
    {"info", tessaly::batch::RunInfo},         {"save", tessaly::batch::RunSave},
    {"printers", tessaly::batch::RunPrinters}, {"layout", tessaly::batch::RunLayout},
    {"print", tessaly::batch::RunPrint},       {"charts", tessaly::batch::RunCharts},
};

Command Find(const QString& name) {
  for (const NamedCommand& command : kCommands) {
    if (name == QLatin1String(command.name)) return command.run;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  tessaly::batch::FilterLibraryNoise();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  // The names among the arguments go to the file system byte for byte.
  QStringList arguments = tessaly::NativeArguments(argc, argv).mid(1);
  using namespace tessaly::batch;

  const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
  if (const Command run = Find(command)) return run(arguments);
  if (command == QLatin1String("help") && !arguments.isEmpty()) {
    if (const Command run = Find(arguments.first())) return run({QStringLiteral("--help")});
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
