// Option parsing shared by the subcommands: usage errors, --help, --settings, --size.
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

#include "app/batch/commands.h"
#include "controls/units.h"
#include "settings/settings_file.h"
#include "surface/photo_orientation.h"

namespace tessaly::batch {
namespace {

constexpr char kSettingsOption[] = "settings";
constexpr char kSizeOption[] = "size";
// Below this on both sides, a size given without a unit is refused (mm).
constexpr double kSmallestBareSizeMm = 20.0;

void PrintErr(const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stderr);
}

}  // namespace

int UsageError(const QString& command, const QString& problem) {
  PrintErr(QStringLiteral("tessaly-batch %1: %2\nTry 'tessaly-batch %1 --help'.\n")
               .arg(command, problem));
  return kExitBadInput;
}

bool ParseCommand(QCommandLineParser& parser, const QString& command, const QString& help,
                  const QStringList& arguments, int& exit_code) {
  const QCommandLineOption help_option(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  parser.addOption(help_option);
  // Qt's parser expects the program name first.
  if (!parser.parse(QStringList{QStringLiteral("tessaly-batch")} + arguments)) {
    exit_code = UsageError(command, parser.errorText());
    return false;
  }
  if (parser.isSet(help_option)) {
    std::fputs(help.toLocal8Bit().constData(), stdout);
    exit_code = kExitOk;
    return false;
  }
  return true;
}

void AddSettingsFileOption(QCommandLineParser& parser) {
  parser.addOption(QCommandLineOption(QLatin1String(kSettingsOption), QString(), "file"));
}

void AddSettingsOptions(QCommandLineParser& parser) {
  AddSettingsFileOption(parser);
  parser.addOption(QCommandLineOption(QLatin1String(kSizeOption), QString(), "size"));
}

bool UseSettingsFileOption(const QCommandLineParser& parser, const QString& command,
                           int& exit_code) {
  if (!parser.isSet(QLatin1String(kSettingsOption))) return true;
  const QString file = parser.value(QLatin1String(kSettingsOption));
  QString reason;
  const FileRead read = CheckSettingsFile(file, &reason);
  if (read != FileRead::kRead) {
    if (read == FileRead::kMissing) reason = QStringLiteral("not found");
    exit_code = UsageError(command, QStringLiteral("settings file '%1' %2").arg(file, reason));
    return false;
  }
  SetSettingsFilePath(QFileInfo(file).absoluteFilePath());
  return true;
}

bool LoadSettingsOptions(const QCommandLineParser& parser, const QString& command,
                         JobSettings& settings, int& exit_code) {
  if (!UseSettingsFileOption(parser, command, exit_code)) return false;
  settings = LoadJobSettings();
  SetUprightPhotos(settings.UprightPhotos);
  return ApplySizeOption(parser, command, settings, exit_code);
}

bool ApplySizeOption(const QCommandLineParser& parser, const QString& command,
                     JobSettings& settings, int& exit_code) {
  if (!parser.isSet(QLatin1String(kSizeOption))) return true;
  PhotoSize size;
  QString problem;
  if (!ParsePhotoSize(parser.value(QLatin1String(kSizeOption)), size, problem) ||
      !CheckPhotoSize(size, settings.ThumbMode, problem)) {
    exit_code = UsageError(command, QStringLiteral("--size: ") + problem);
    return false;
  }
  settings.Size = size;
  return true;
}

bool ParsePhotoSize(const QString& text, PhotoSize& size, QString& problem) {
  static const QRegularExpression pattern(
      QStringLiteral("^\\s*(\\d+(?:\\.\\d*)?)\\s*[x\u00D7X]\\s*(\\d+(?:\\.\\d*)?)\\s*([a-z]*)\\s*"
                     "(?:\\+\\s*(\\d+(?:\\.\\d*)?)\\s*([a-z]*))?\\s*$"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = pattern.match(text);
  // The unit may follow the sides, the margin or both (then the same one twice).
  const QString side_unit = match.captured(3).toLower();
  const QString margin_unit = match.captured(5).toLower();
  const QString unit = side_unit.isEmpty() ? margin_unit : side_unit;
  double factor = 0.0;
  if (unit.isEmpty() || unit == QLatin1String("mm")) factor = 1.0;
  if (unit == QLatin1String("cm")) factor = kMmPerCm;
  if (unit == QLatin1String("in")) factor = kMmPerInch;
  if (!match.hasMatch() || factor == 0.0 || (!margin_unit.isEmpty() && margin_unit != unit)) {
    problem = QStringLiteral(
        "expected HEIGHTxWIDTH[+MARGIN] with one unit mm, cm or in (millimetres when none "
        "is given), for example 10x15cm, 4x6in+0.2 or 101.6x152.4+3");
    return false;
  }
  const double height = match.captured(1).toDouble();
  const double width = match.captured(2).toDouble();
  const double margin = match.captured(4).isEmpty() ? 0.0 : match.captured(4).toDouble();
  // A bare size this small is almost always centimetres or inches written without
  // their unit; laid out as millimetres it would fill a page with specks.
  if (unit.isEmpty() && height < kSmallestBareSizeMm && width < kSmallestBareSizeMm) {
    problem = QStringLiteral(
                  "'%1' is read in millimetres; give the unit, for example %2x%3cm or %2x%3in "
                  "(or %2x%3mm for millimetres)")
                  .arg(text.trimmed(), match.captured(1), match.captured(2));
    return false;
  }
  size = PhotoSize{width * factor, height * factor, margin * factor};
  return true;
}

}  // namespace tessaly::batch
