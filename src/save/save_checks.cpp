// The save dialog's stored fields and the Save button's checks, in the dialog's order.
#include "save/save_checks.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>

#include "controls/native_path.h"
#include "controls/ui_service.h"
#include "save/file_name_template.h"
#include "settings/resolution_limits.h"
#include "settings/settings_table.h"

namespace tessaly {
namespace {

constexpr int kMinQuality = 0;
constexpr int kMaxQuality = 100;
// Each quality preset's number and the lowest typed number that selects it, best first.
struct QualityPreset {
  int number;
  int lowest;
};
constexpr QualityPreset kQualityPresets[] = {{100, 100}, {95, 90}, {80, 80}, {60, 0}};
// The highest resolutions the dialog accepts, in ppi.
constexpr double kMaxMinimumResolution = 1000.0;
constexpr double kMaxMaximumResolution = 3000.0;
constexpr QChar kFolderSeparator = u'/';

// The dialog trims blanks only, not tabs or line ends.
QString TrimSpaces(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first] == u' ') ++first;
  while (last > first && text[last - 1] == u' ') --last;
  return text.mid(first, last - first);
}

bool Refuse(const QString& message, SaveField field, SaveField* focus) {
  CurrentUi().MessageBox(message, MsgButtons::Ok, MsgIcon::Exclamation);
  if (focus) *focus = field;
  return false;
}

enum class FolderState { kFound, kMissing, kUnreadable };

// Looks the folder text (ending in a separator) up as a folder: a name that does not
// exist or is no folder is missing; any other failure to read its attributes
// (no search permission on a parent, a name too long, a loop of links) is an
// unreadable path.
FolderState LookUpFolder(const QString& folder) {
  struct stat info {};
  if (::stat(NativePath(folder).constData(), &info) == 0) {
    return S_ISDIR(info.st_mode) ? FolderState::kFound : FolderState::kMissing;
  }
  return (errno == ENOENT || errno == ENOTDIR) ? FolderState::kMissing : FolderState::kUnreadable;
}

}  // namespace

const QStringList& SaveTypeTexts() {
  static const QStringList texts = {QStringLiteral("JPEG (JPG)"), QStringLiteral("TIFF (TIF)"),
                                    QStringLiteral("PNG"), QStringLiteral("BMP")};
  return texts;
}

const QStringList& JpegQualityPresetTexts() {
  static const QStringList texts = {QStringLiteral("Maximum"), QStringLiteral("High"),
                                    QStringLiteral("Medium"), QStringLiteral("Low")};
  return texts;
}

int JpegQualityOfPreset(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kQualityPresets))) return -1;
  return kQualityPresets[index].number;
}

int JpegQualityPresetFor(int quality) {
  if (quality > kMaxQuality) return -1;
  for (int i = 0; i < static_cast<int>(std::size(kQualityPresets)); ++i) {
    if (quality >= kQualityPresets[i].lowest) return i;
  }
  return -1;
}

int JpegQualityPresetForText(const QString& text) {
  const double quality = LeadingNumber(text);
  if (quality < kMinQuality || quality > kMaxQuality) return -1;
  return JpegQualityPresetFor(static_cast<int>(quality));
}

SaveDialogFields ReadSaveDialogFields(const QString& file) {
  const QString section = QLatin1String(kSaveOptionsSection);
  SaveDialogFields f;
  f.folder = ReadTextSetting(section, "SaveInFolder", file);
  f.quality_text = QString::number(ReadIntSetting(section, "JPEGQuality", file));
  f.type_index = ReadIntSetting(section, "SaveAsType", file);
  if (f.type_index < 0 || f.type_index >= SaveTypeTexts().size()) f.type_index = 0;
  f.name_template = ReadTextSetting(section, "RenameAs", file);
  ReadResolutionLimits(section, file, f);
  return f;
}

void WriteSaveDialogFields(const SaveDialogFields& fields, const QString& file) {
  const QString section = QLatin1String(kSaveOptionsSection);
  WriteIniValue(section, "SaveInFolder", fields.folder, file);
  WriteIniValue(section, "JPEGQuality", fields.quality_text, file);
  WriteIntSetting(section, "SaveAsType", fields.type_index, file);
  WriteIniValue(section, "RenameAs", fields.name_template, file);
  WriteResolutionLimits(section, fields, file);
}

bool CheckSaveDialog(SaveDialogFields& fields, JobSettings& settings, SaveRunOptions& options,
                     SaveField* focus) {
  if (focus) *focus = SaveField::kNone;
  // Leaving the template box checks its characters, which always comes before the
  // Save button can be pressed; CheckTemplateCharacters shows its own message.
  if (!CheckTemplateCharacters(fields.name_template)) {
    if (focus) *focus = SaveField::kTemplate;
    return false;
  }

  settings.MinResolution = 0;
  settings.MaxResolution = 0;

  fields.folder = TrimSpaces(fields.folder);
  if (fields.folder.isEmpty()) {
    return Refuse(QStringLiteral("Please enter the destiny folder!"), SaveField::kFolder, focus);
  }
  if (!fields.folder.endsWith(kFolderSeparator)) fields.folder += kFolderSeparator;
  switch (LookUpFolder(fields.folder)) {
    case FolderState::kFound:
      break;
    case FolderState::kMissing:
      return Refuse(QLatin1String(kFolderMissingMessage), SaveField::kFolder, focus);
    case FolderState::kUnreadable:
      return Refuse(QStringLiteral("Invalid path!"), SaveField::kFolder, focus);
  }

  // An empty box is no quality at all, not quality 0, when the photos are saved as
  // JPEG (the first type); other types leave the box disabled and unused.
  const bool no_quality =
      UsesJpegQuality(fields.type_index) && fields.quality_text.trimmed().isEmpty();
  const double quality = LeadingNumber(fields.quality_text);
  if (no_quality || quality < kMinQuality || quality > kMaxQuality) {
    return Refuse(QStringLiteral("JPEG quality must be between 0 and 100!"), SaveField::kQuality,
                  focus);
  }
  if (fields.name_template.isEmpty()) {
    return Refuse(QStringLiteral("Please enter a template for the files names."),
                  SaveField::kTemplate, focus);
  }
  const double minimum = LeadingNumber(fields.min_text);
  const double maximum = LeadingNumber(fields.max_text);
  if (fields.min_on && (minimum <= 0.0 || minimum > kMaxMinimumResolution)) {
    return Refuse(QStringLiteral("The minimum resolution is invalid!"), SaveField::kMinResolution,
                  focus);
  }
  if (fields.max_on && (maximum <= 0.0 || maximum > kMaxMaximumResolution)) {
    return Refuse(QStringLiteral("The maximum resolution is invalid!"), SaveField::kMaxResolution,
                  focus);
  }
  if (fields.min_on && fields.max_on && minimum > maximum) {
    return Refuse(
        QStringLiteral("The minimum resolution can't be greater than the maximum resolution!"),
        SaveField::kMinResolution, focus);
  }

  if (fields.min_on) settings.MinResolution = static_cast<int>(std::lrint(minimum));
  if (fields.max_on) settings.MaxResolution = static_cast<int>(std::lrint(maximum));
  settings.DefaultSharpen = fields.sharpen;

  const int type = (fields.type_index >= 0 && fields.type_index < SaveTypeTexts().size())
                       ? fields.type_index
                       : 0;
  options.type_text = SaveTypeTexts()[type];
  options.folder = fields.folder;
  options.name_template = fields.name_template;
  options.quality_text = fields.quality_text;
  return true;
}

}  // namespace tessaly
