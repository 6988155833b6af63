// tessaly-batch save: the save dialog's checks on the options, then the batch save
// of the photos — given as files (with whatever edits the edit history brings back)
// or by a job file (with its settings and each photo's edits).
#include <unistd.h>

#include <QRegularExpression>
#include <cstdio>

#include "app/batch/commands.h"
#include "app/batch/job_input.h"
#include "app/batch/terminal_ui.h"
#include "controls/native_path.h"
#include "controls/scripted_ui.h"
#include "job/job_file.h"
#include "save/file_name_template.h"
#include "save/save_checks.h"
#include "surface/codec_session.h"

namespace tessaly::batch {
namespace {

constexpr char kSaveHelp[] =
    "Usage: tessaly-batch save --to DIR [OPTIONS] (--job JOB.json | FILE...)\n"
    "\n"
    "Saves every photo as a new file in DIR, as Tessaly's save dialog does: opened\n"
    "(a JPEG at no more than the resolution the limits keep), turned, cropped,\n"
    "resampled to the resolution limits, edited, converted from its embedded profile\n"
    "to sRGB, sharpened, with its white margin, frame and label. Existing files are\n"
    "never overwritten. After a complete run the edits of every photo go to the edit\n"
    "history.\n"
    "\n"
    "Photos come from FILE arguments (each with the edits the edit history remembers)\n"
    "or from a job file (settings and per-photo edits; see the README).\n"
    "\n"
    "Options:\n"
    "  --to DIR             target folder (must exist)\n"
    "  --type TYPE          jpeg, tiff, png or bmp\n"
    "  --quality N          JPEG quality 0..100\n"
    "  --template T         file-name template: [Filename], [Date], [DateTime],\n"
    "                       [Date-], [DateTime-], [AutoNumber]\n"
    "  --min PPI            raise photos below PPI to PPI (1..1000); off: no minimum\n"
    "  --max PPI            lower photos above PPI to PPI (1..3000); off: no maximum\n"
    "  --sharpen            sharpen photos that have no unsharp mask of their own\n"
    "  --no-sharpen         do not\n"
    "  --on-error MODE      abort (default) or ignore a photo that cannot be read or\n"
    "                       written\n"
    "  --job JOB.json       the job file\n"
    "  --size HxW[+M][UNIT] photo size, height first, optional margin; UNIT mm (the\n"
    "                       default), cm or in, for example 10x15cm or 4x6in+0.2;\n"
    "                       overrides the settings file and the job file\n"
    "  --settings FILE      read the settings from FILE instead of\n"
    "                       $XDG_CONFIG_HOME/tessaly/Tesly.ini\n"
    "  -h, --help           show this help\n"
    "\n"
    "Without these options the save dialog's stored choices apply (section\n"
    "SaveOptions of the settings file: SaveInFolder, SaveAsType, JPEGQuality, RenameAs,\n"
    "Interpolate1, InterpolVal1, Interpolate2, InterpolVal2, Sharpen); with nothing\n"
    "stored: JPEG, quality 90, template \"[Filename]\", no limits, no sharpening.\n"
    "\n"
    "The paths written are printed on standard output, progress and messages on\n"
    "standard error. Exit codes: 0 every photo saved, 1 some photos skipped (or the\n"
    "run was aborted or interrupted), 2 bad input, 3 codecs missing.\n";

// Values of --type, in the order of the save dialog's type list.
const QStringList& TypeNames() {
  static const QStringList names = {QStringLiteral("jpeg"), QStringLiteral("tiff"),
                                    QStringLiteral("png"), QStringLiteral("bmp")};
  return names;
}

struct SaveRequest {
  SaveDialogFields fields;
  bool ignore_errors = false;
};

// The value of --min and --max that switches a stored limit off.
constexpr char kLimitOff[] = "off";

// The save dialog's stored fields with the command line's options over them; an
// empty stored template becomes the first preset.
bool ReadSaveOptions(const QCommandLineParser& parser, const QString& command, SaveRequest& request,
                     int& exit_code) {
  SaveDialogFields& f = request.fields;
  f = ReadSaveDialogFields();
  if (f.name_template.isEmpty()) f.name_template = PresetTemplates().first();
  if (parser.isSet(QStringLiteral("to"))) {
    // A blank folder goes to the check as it is, so it gets the dialog's message.
    const QString folder = parser.value(QStringLiteral("to"));
    f.folder = folder.trimmed().isEmpty() ? folder : AbsolutePath(folder);
  } else if (f.folder.isEmpty()) {
    exit_code = UsageError(command, QStringLiteral("--to DIR is required (no folder is stored)"));
    return false;
  }

  if (parser.isSet(QStringLiteral("type"))) {
    f.type_index = static_cast<int>(TypeNames().indexOf(parser.value("type").toLower()));
    if (f.type_index < 0) {
      exit_code = UsageError(command, QStringLiteral("--type: expected jpeg, tiff, png or bmp"));
      return false;
    }
  }
  if (parser.isSet(QStringLiteral("quality"))) f.quality_text = parser.value("quality");
  if (parser.isSet(QStringLiteral("template"))) f.name_template = parser.value("template");
  for (const auto& [name, on, text] :
       {std::tuple{"min", &f.min_on, &f.min_text}, std::tuple{"max", &f.max_on, &f.max_text}}) {
    if (!parser.isSet(QLatin1String(name))) continue;
    const QString value = parser.value(QLatin1String(name));
    *on = value != QLatin1String(kLimitOff);
    if (*on) *text = value;
  }
  if (parser.isSet(QStringLiteral("sharpen"))) f.sharpen = true;
  if (parser.isSet(QStringLiteral("no-sharpen"))) f.sharpen = false;

  return ReadOnErrorOption(parser, command, request.ignore_errors, exit_code);
}

// The dialog's number boxes take digits only; typed text that is not a number
// (which the dialog's boxes could not hold) is refused with the box's own message.
bool NumberTextsAreDigits(const SaveDialogFields& f, Ui& ui) {
  static const QRegularExpression digits(QStringLiteral("^-?\\d+$"));
  struct Box {
    bool on;
    const QString& text;
    const char* message;
  };
  const Box boxes[] = {
      {true, f.quality_text, "JPEG quality must be between 0 and 100!"},
      {f.min_on, f.min_text, "The minimum resolution is invalid!"},
      {f.max_on, f.max_text, "The maximum resolution is invalid!"},
  };
  for (const Box& box : boxes) {
    if (box.on && !digits.match(box.text).hasMatch()) {
      ui.MessageBox(QLatin1String(box.message), MsgButtons::Ok, MsgIcon::Exclamation);
      return false;
    }
  }
  return true;
}

// The save dialog's checks, their message shown as the command line says it: a
// message that sends the window's user to the "Browse..." button names --to instead.
bool CheckSaveOptions(SaveDialogFields& fields, JobSettings& settings, SaveRunOptions& options,
                      Ui& ui) {
  ScriptedUi dialog;
  SaveField focus = SaveField::kNone;
  bool passed = false;
  {
    ScopedUi scoped(dialog);
    passed = CheckSaveDialog(fields, settings, options, &focus);
  }
  for (const RecordedMessage& message : dialog.Messages()) {
    const bool browse =
        focus == SaveField::kFolder && message.text == QLatin1String(kFolderMissingMessage);
    ui.MessageBox(browse ? QStringLiteral("Selected folder doesn't exist. Create it first, then "
                                          "give it with --to.")
                         : message.text,
                  message.buttons, message.icon, message.title);
  }
  return passed;
}

}  // namespace

int RunSave(const QStringList& arguments) {
  const QString command = QStringLiteral("save");
  QCommandLineParser parser;
  AddSettingsOptions(parser);
  for (const char* name : {"to", "type", "quality", "template", "min", "max"}) {
    parser.addOption(QCommandLineOption(QLatin1String(name), QString(), "value"));
  }
  AddJobOptions(parser);
  parser.addOption(QCommandLineOption(QStringLiteral("sharpen")));
  parser.addOption(QCommandLineOption(QStringLiteral("no-sharpen")));
  int exit_code = kExitOk;
  if (!ParseCommand(parser, command, QLatin1String(kSaveHelp), arguments, exit_code)) {
    return exit_code;
  }
  if (!JobInputGiven(parser, command, exit_code)) return exit_code;
  JobFile job_file;
  if (!LoadSettingsOptions(parser, command, job_file.settings, exit_code)) return exit_code;
  SaveRequest request;
  if (!ReadSaveOptions(parser, command, request, exit_code)) return exit_code;

  TerminalUi ui(request.ignore_errors, isatty(STDERR_FILENO) != 0);
  ScopedUi scoped(ui);
  TerminalUi::CatchInterrupt();

  if (!LoadJobInput(parser, command, job_file, ui, exit_code)) return exit_code;
  if (job_file.settings.ThumbMode) {
    ui.MessageBox(QString::fromLatin1(kContactSheetSaveMessage), MsgButtons::Ok,
                  MsgIcon::Information);
    return kExitBadInput;
  }

  SaveRunOptions options;
  if (!NumberTextsAreDigits(request.fields, ui) ||
      !CheckSaveOptions(request.fields, job_file.settings, options, ui)) {
    return kExitBadInput;
  }
  if (!StartCodecSession()) return kExitNoCodecs;

  MyPictureManager job(job_file.settings);
  const AddOutcome added = AddPhotos(job_file, HaveJobFile(parser), job, ui);
  ui.HideProgress();
  SaveRunReport report;
  if (added != AddOutcome::kStopped && job.Count() > 0) {
    report = SavePhotos(job, options);
    ui.HideProgress();
  }
  ShutdownCodecSession();

  for (const QString& path : report.files) std::printf("%s\n", qPrintable(path));
  const int total = static_cast<int>(job_file.photos.size());
  std::fprintf(stderr, "Saved %d of %d photos in %s%s\n", report.saved, total,
               qPrintable(options.folder),
               report.cancelled || ui.CancelRequested() ? " (interrupted)" : "");
  const bool history_failed = TellHistoryFailure(report.history_failed);
  return report.saved == total && !history_failed ? kExitOk : kExitSkipped;
}

}  // namespace tessaly::batch
