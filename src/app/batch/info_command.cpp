// tessaly-batch info: the image-information report of each photo, exactly as the
// information window shows it (tabs, CR LF line ends), one blank line between photos.
#include <cstdio>

#include "app/batch/commands.h"
#include "app/batch/job_input.h"
#include "app/batch/terminal_ui.h"
#include "colour/colour_profiles.h"
#include "colour/display_profile.h"
#include "controls/native_path.h"
#include "job/add_photo.h"
#include "surface/codec_session.h"
#include "workspace/image_info_report.h"

namespace tessaly::batch {
namespace {

constexpr char kInfoHelp[] =
    "Usage: tessaly-batch info [--size HxW[+M][UNIT]] [--settings FILE] FILE...\n"
    "\n"
    "Prints, for each photo file, the report of Tessaly's information window: file\n"
    "name, pixel size, print size, EXIF data, colour profiles and the date it was last\n"
    "printed or saved. The text is the window's own, with its tabs and CR LF line\n"
    "ends; a blank line separates the photos.\n"
    "\n"
    "Options:\n"
    "  --size HxW[+M][UNIT]\n"
    "                   photo size, height first, with an optional margin, in mm, cm\n"
    "                   or in (for example 10x15cm, 4x6in+0.2, 101.6x152.4+3); no unit\n"
    "                   means millimetres; default: the size selected in the settings\n"
    "                   file\n"
    "  --settings FILE  read the settings from FILE instead of\n"
    "                   $XDG_CONFIG_HOME/tessaly/Tesly.ini (print size unit, photo size)\n"
    "  -h, --help       show this help\n"
    "\n"
    "A file that cannot be read as a photo is reported on standard error; the others\n"
    "are still printed and the exit code is then 1.\n";

constexpr char kLineEnd[] = "\r\n";

}  // namespace

int RunInfo(const QStringList& arguments) {
  const QString command = QStringLiteral("info");
  QCommandLineParser parser;
  AddSettingsOptions(parser);
  int exit_code = kExitOk;
  if (!ParseCommand(parser, command, QLatin1String(kInfoHelp), arguments, exit_code)) {
    return exit_code;
  }
  if (parser.positionalArguments().isEmpty()) {
    return UsageError(command, QStringLiteral("no photo file given"));
  }
  JobSettings settings;
  if (!LoadSettingsOptions(parser, command, settings, exit_code)) return exit_code;

  TerminalUi ui(/*ignore_errors=*/true, /*progress_bar=*/false);
  ScopedUi scoped(ui);
  if (!StartCodecSession()) return kExitNoCodecs;

  MyPictureManager job(settings);
  const QString display_profile = ProfileDescription(DisplayProfile());
  bool first = true;
  for (const QString& file : parser.positionalArguments()) {
    const QString path = AbsolutePath(file);
    ImageReadStatus status = ImageReadStatus::kOk;
    const int position = AddPhotoRecord(job, path, &status);
    WarnWhenPartial(path, status, ui);
    if (position < 0) {
      ui.MessageBox(OpeningErrorText(path, status), MsgButtons::Ok, MsgIcon::Critical);
      exit_code = kExitSkipped;
      continue;
    }
    if (!first) std::fputs(kLineEnd, stdout);
    first = false;
    const QString report = ImageInfoReport(job.At(position), settings.Units, display_profile);
    std::fputs(report.toUtf8().constData(), stdout);
    std::fputs(kLineEnd, stdout);
    std::fflush(stdout);
  }
  ShutdownCodecSession();
  return exit_code;
}

}  // namespace tessaly::batch
