// Option parsing shared by the subcommands: usage errors, --help, --settings, --size.
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>

#include "app/batch/commands.h"
#include "settings/settings_file.h"

namespace tessaly::batch {
namespace {

constexpr char kSettingsOption[] = "settings";
constexpr char kSizeOption[] = "size";

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
  if (!QFileInfo(file).isFile()) {
    exit_code = UsageError(command, QStringLiteral("settings file '%1' not found").arg(file));
    return false;
  }
  SetSettingsFilePath(QFileInfo(file).absoluteFilePath());
  return true;
}

bool LoadSettingsOptions(const QCommandLineParser& parser, const QString& command,
                         JobSettings& settings, int& exit_code) {
  if (!UseSettingsFileOption(parser, command, exit_code)) return false;
  settings = LoadJobSettings();
  return ApplySizeOption(parser, command, settings, exit_code);
}

bool ApplySizeOption(const QCommandLineParser& parser, const QString& command,
                     JobSettings& settings, int& exit_code) {
  if (!parser.isSet(QLatin1String(kSizeOption))) return true;
  if (!ParsePhotoSize(parser.value(QLatin1String(kSizeOption)), settings.Size)) {
    exit_code =
        UsageError(command, QStringLiteral("--size: expected HEIGHTxWIDTH[+MARGIN] in millimetres, "
                                           "for example 101.6x152.4+3"));
    return false;
  }
  return true;
}

bool ParsePhotoSize(const QString& text, PhotoSize& size) {
  static const QRegularExpression pattern(
      QStringLiteral("^\\s*(\\d+(?:\\.\\d*)?)\\s*[x\u00D7X]\\s*(\\d+(?:\\.\\d*)?)\\s*(?:\\+\\s*("
                     "\\d+(?:\\.\\d*)?))?\\s*$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return false;
  const double height = match.captured(1).toDouble();
  const double width = match.captured(2).toDouble();
  const double margin = match.captured(3).isEmpty() ? 0.0 : match.captured(3).toDouble();
  // The picture inside the margins must keep a size, or the crop has no shape.
  if (height <= 0.0 || width <= 0.0 || 2.0 * margin >= std::min(height, width)) return false;
  size = PhotoSize{width, height, margin};
  return true;
}

}  // namespace tessaly::batch
