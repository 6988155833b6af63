// tessaly-batch print: the print options dialog's checks on the options, then the
// print run of the photos — given as files or by a job file, loaded as the save
// command loads them — on the chosen printer, one document per page; or, with
// --preview, the preview's pages written as PNG files.
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>

#include "app/batch/commands.h"
#include "app/batch/job_input.h"
#include "app/batch/printer_choice.h"
#include "app/batch/terminal_ui.h"
#include "colour/printer_profile.h"
#include "controls/native_path.h"
#include "controls/new_file.h"
#include "controls/utils.h"
#include "print/cups/cups_printer_catalogue.h"
#include "print/job_layout.h"
#include "print/pdf_printer.h"
#include "print/print_options.h"
#include "print/print_window.h"
#include "print/settings_summary.h"
#include "save/file_name_template.h"
#include "surface/codec_session.h"

namespace tessaly::batch {
namespace {

constexpr char kPrintHelp[] =
    "Usage: tessaly-batch print [OPTIONS] (--job JOB.json | FILE...)\n"
    "\n"
    "Prints every copy of every photo as Tessaly's print run does: the copies laid out\n"
    "on pages in the job's photo size (see 'tessaly-batch layout'), each page its own\n"
    "print document, each photo opened (a JPEG at no more than the resolution the\n"
    "limits keep), turned, cropped, edited, converted to the printer's colour space,\n"
    "resampled to the resolution limits and sharpened, with its margin, label, frame\n"
    "and cut marks. After the run the edits of every photo go to the edit history\n"
    "(not for contact sheets).\n"
    "\n"
    "Photos come from FILE arguments (each with the edits the edit history remembers)\n"
    "or from a job file (settings and per-photo edits; see the README).\n"
    "\n"
    "Options:\n"
    "  --printer NAME       a printer of 'tessaly-batch printers' (default: the\n"
    "                       system's default queue; without one, give --printer,\n"
    "                       except with --preview, which takes the first listed)\n"
    "%1"
    "  --preview DIR        print nothing: write the preview of each page as\n"
    "                       DIR/page-1.png, page-2.png ... (DIR is created; a name\n"
    "                       already taken gets a suffix, page-1(01).png: nothing in\n"
    "                       DIR is replaced)\n"
    "  --pause MIN          pause between printed pages, whole minutes\n"
    "  --min PPI            raise photos below PPI to PPI (1..1000); off: no minimum\n"
    "  --max PPI            lower photos above PPI to PPI (1..1000); off: no maximum\n"
    "  --sharpen            sharpen photos that have no unsharp mask of their own\n"
    "  --no-sharpen         do not\n"
    "  --colour MODE        printer colour space: auto (the printer's profile), srgb,\n"
    "                       or an ICC profile file\n"
    "  --title T            title of contact-sheet pages (default: none)\n"
    "  --on-error MODE      abort (default) or ignore a photo that cannot be read\n"
    "                       while the photos are added\n"
    "  --job JOB.json       the job file\n"
    "  --size HxW[+M][UNIT] photo size, height first, optional margin; UNIT mm (the\n"
    "                       default), cm or in, for example 10x15cm or 4x6in+0.2;\n"
    "                       overrides the settings file and the job file\n"
    "  --settings FILE      read the settings from FILE instead of\n"
    "                       $XDG_CONFIG_HOME/tessaly/Tesly.ini\n"
    "  -h, --help           show this help\n"
    "\n"
    "Without these options the print options dialog's stored choices apply (section\n"
    "PrintOptions of the settings file: ICM, Interpolate1, InterpolVal1, Interpolate2,\n"
    "InterpolVal2, Sharpen, SpoolWait); a stored profile choice (ICM=2) needs\n"
    "--colour FILE.icc, as the profile file itself is never stored.\n"
    "\n"
    "Contact sheets ignore --min, --max and --sharpen: their thumbnails print at no\n"
    "more than 360 ppi. The PDF files the \"Print to PDF\" printer writes,\n"
    "or the preview pages, are printed on standard output, progress and messages on\n"
    "standard error. After the last page the command waits, up to a minute, for the\n"
    "printer to print or fail each page; a page the printer failed is named with the\n"
    "printer's reason. Exit codes: 0 every page printed, 1 some photos skipped or\n"
    "pages not printed (or the run was aborted or interrupted), 2 bad input, 3 codecs\n"
    "missing, 4 no printer, or the printer failed a page.\n";

// Height of a preview page in pixels: an A4 sheet comes out 990 x 1400.
constexpr int kPreviewHeight = 1400;
// The value of --min and --max that switches a stored limit off.
constexpr char kLimitOff[] = "off";

// The print options dialog's stored fields with the command line's options over
// them; `ignore_errors` from --on-error.
bool ReadPrintOptions(const QCommandLineParser& parser, const QString& command,
                      PrintDialogFields& fields, bool& ignore_errors, int& exit_code) {
  fields = ReadPrintDialogFields();
  for (const auto& [name, on, text] : {std::tuple{"min", &fields.min_on, &fields.min_text},
                                       std::tuple{"max", &fields.max_on, &fields.max_text}}) {
    if (!parser.isSet(QLatin1String(name))) continue;
    const QString value = parser.value(QLatin1String(name));
    *on = value != QLatin1String(kLimitOff);
    if (*on) *text = value;
  }
  if (parser.isSet(QStringLiteral("sharpen"))) fields.sharpen = true;
  if (parser.isSet(QStringLiteral("no-sharpen"))) fields.sharpen = false;

  if (parser.isSet(QStringLiteral("colour"))) {
    const QString colour = parser.value(QStringLiteral("colour"));
    fields.profile.clear();
    if (colour == QLatin1String("auto")) {
      fields.colour_option = kPrinterProfileAutomatic;
    } else if (colour == QLatin1String("srgb")) {
      fields.colour_option = kPrinterProfileSrgb;
    } else {
      fields.colour_option = kPrinterProfileChosen;
      // An empty profile goes to the check as it is, so it gets the dialog's message.
      if (!colour.isEmpty() && !QFileInfo(colour).isFile()) {
        exit_code =
            UsageError(command, QStringLiteral("--colour: profile '%1' not found").arg(colour));
        return false;
      }
      if (!colour.isEmpty()) fields.profile = QFileInfo(colour).absoluteFilePath();
    }
  }

  if (parser.isSet(QStringLiteral("pause"))) {
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    fields.spool_wait_text = parser.value(QStringLiteral("pause"));
    if (!digits.match(fields.spool_wait_text).hasMatch()) {
      exit_code = UsageError(command, QStringLiteral("--pause: expected whole minutes"));
      return false;
    }
  }
  return ReadOnErrorOption(parser, command, ignore_errors, exit_code);
}

// The message of a refused check as the command line says it: the dialog's own,
// and for the profile, which the dialog has chosen with "Browse...", the option.
QString RefusalText(const PrintCheck& check) {
  if (check.focus == PrintField::kCmdICCBrowse)
    return check.message + QStringLiteral(" Give one with --colour FILE.icc.");
  return check.message;
}

// The terminal Ui whose input box — the contact-sheet title — is answered by --title,
// and cancelled (an empty title) without it.
class PrintUi : public TerminalUi {
 public:
  PrintUi(bool ignore_errors, bool progress_bar, bool have_title, QString title)
      : TerminalUi(ignore_errors, progress_bar),
        have_title_(have_title),
        title_(std::move(title)) {}

  bool InputBox(const QString& prompt, const QString&, QString& value) override {
    if (!have_title_) return false;
    value = title_;
    std::fprintf(stderr, "%s %s\n", qPrintable(prompt), qPrintable(title_));
    return true;
  }

 private:
  bool have_title_;
  QString title_;
};

// Writes preview page `page` into `folder` as page-N.png, or, when something already
// holds that name, under the next free name of the saved photos' rule: nothing is
// replaced or written through. The path written, or "" after telling the user why not.
QString WritePreviewPage(const QImage& image, const QString& folder, int page) {
  const QString stem = QStringLiteral("page-%1").arg(page);
  const QString extension = QStringLiteral(".png");
  const QString dir = folder + u'/';
  QString name = stem + extension;
  NewFile out;
  bool written = out.Open(folder) && QImageWriter(&out.Device(), "png").write(image);
  for (int attempt = 0; written && attempt < kTakenNameRetries; ++attempt) {
    name = BuildFileName(dir, QString(), stem, extension, page) + extension;
    if (out.Commit(name)) return dir + name;
    written = out.Error() == EEXIST;
  }
  QString text = QStringLiteral("Error writing file '%1'").arg(dir + name);
  if (out.Error() != 0) text += QStringLiteral(": ") + SystemErrorText(out.Error());
  CurrentUi().MessageBox(text, MsgButtons::Ok, MsgIcon::Critical);
  return QString();
}

}  // namespace

int RunPrint(const QStringList& arguments) {
  const QString command = QStringLiteral("print");
  QCommandLineParser parser;
  AddSettingsOptions(parser);
  AddPrinterOption(parser);
  AddJobOptions(parser);
  for (const char* name : {"min", "max", "title", "preview"}) {
    parser.addOption(QCommandLineOption(QLatin1String(name), QString(), "value"));
  }
  parser.addOption(QCommandLineOption(QStringLiteral("pause"), QString(), "minutes"));
  parser.addOption(QCommandLineOption(QStringLiteral("colour"), QString(), "mode"));
  parser.addOption(QCommandLineOption(QStringLiteral("sharpen")));
  parser.addOption(QCommandLineOption(QStringLiteral("no-sharpen")));
  int exit_code = kExitOk;
  if (!ParseCommand(parser, command,
                    QString::fromLatin1(kPrintHelp).arg(QLatin1String(kMediaOptionsHelp)),
                    arguments, exit_code) ||
      !JobInputGiven(parser, command, exit_code)) {
    return exit_code;
  }
  const bool preview = parser.isSet(QStringLiteral("preview"));
  const QString preview_dir = AbsolutePath(parser.value(QStringLiteral("preview")));

  JobFile job_file;
  if (!LoadSettingsOptions(parser, command, job_file.settings, exit_code)) return exit_code;
  PrintDialogFields fields;
  bool ignore_errors = false;
  if (!ReadPrintOptions(parser, command, fields, ignore_errors, exit_code)) return exit_code;

  PrintUi ui(ignore_errors, isatty(STDERR_FILENO) != 0, parser.isSet(QStringLiteral("title")),
             parser.value(QStringLiteral("title")));
  ScopedUi scoped(ui);
  TerminalUi::CatchInterrupt();
  if (!LoadJobInput(parser, command, job_file, ui, exit_code)) return exit_code;
  const PrintCheck check = CheckPrintDialog(fields, job_file.settings);
  if (!check.Passed()) {
    ui.MessageBox(RefusalText(check), MsgButtons::Ok, MsgIcon::Exclamation);
    return kExitBadInput;
  }

  CupsPrinterCatalogue catalogue;
  PrinterAccess access(&catalogue);
  // A preview prints nothing, so any printer's sheet will do for it.
  exit_code = ChoosePrinter(parser, command, access,
                            preview ? WithoutDefault::kUseFirstListed : WithoutDefault::kRefuse);
  if (exit_code == kExitNoPrinter) {
    ui.MessageBox(QLatin1String(kNoPrinterText), MsgButtons::Ok, MsgIcon::Exclamation);
  }
  if (exit_code != kExitOk) return exit_code;
  // The preview folder is made only once nothing refuses the command.
  if (preview && !QDir().mkpath(preview_dir)) {
    return UsageError(command, QStringLiteral("--preview: cannot create '%1'").arg(preview_dir));
  }
  if (!StartCodecSession()) return kExitNoCodecs;

  MyPictureManager job(job_file.settings);
  const AddOutcome added = AddPhotos(job_file, HaveJobFile(parser), job, ui);
  ui.HideProgress();
  if (added == AddOutcome::kStopped || job.Count() == 0) {
    ShutdownCodecSession();
    std::fprintf(stderr, "Printed nothing: no photo was added\n");
    return kExitSkipped;
  }

  PageLayout layout;
  ComputeJobLayout(layout, *access.Device(), job.Settings());
  PrintWindow window(job, access, layout);
  QStringList written;
  window.SetPreviewHook([&](PrintWindow& shown) {
    for (int page = 1; page <= shown.PageCount() && !ui.PollCancel(); ++page) {
      const QString file =
          WritePreviewPage(shown.PreviewPage(page, kPreviewHeight), preview_dir, page);
      if (file.isEmpty()) return;
      written.append(file);
    }
  });
  window.PrintIt(preview);
  ui.HideProgress();
  ShutdownCodecSession();
  if (layout.GetPageCellCount() == 0) return kExitBadInput;

  // The built-in printer's files: the ones its ended documents went to.
  if (auto* pdf = dynamic_cast<PdfPrinter*>(access.Device()); pdf && !preview)
    written.append(pdf->Files());
  for (const QString& path : written) std::printf("%s\n", qPrintable(path));
  const int pages = window.PageCount();
  const int done = preview ? static_cast<int>(written.size()) : window.PagesEnded();
  const QString printer = PrinterDisplayName(access.CurrentPrinterName());
  std::fprintf(stderr, "%s %d of %d pages %s %s%s\n", preview ? "Previewed" : "Printed", done,
               pages, preview ? "in" : "on", qPrintable(preview ? preview_dir : printer),
               ui.CancelRequested() ? " (interrupted)" : "");
  const bool history_failed = TellHistoryFailure(window.HistoryFailed());
  if (window.PrinterFailedAPage()) return kExitNoPrinter;
  const bool complete = added == AddOutcome::kAllAdded && done == pages && !window.EndFailed() &&
                        !ui.CancelRequested() && !history_failed;
  return complete ? kExitOk : kExitSkipped;
}

}  // namespace tessaly::batch
