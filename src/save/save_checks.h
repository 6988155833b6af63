// The save dialog without its window: its fields as the user typed them, their
// stored values in the section "SaveOptions", and the Save button's checks, which
// turn valid fields into the job's resolution limits (ppi, 0 = off; minimum 1..1000,
// maximum 1..3000) and default sharpening and into the options of the save run.
// Each failing check shows its own message with the exclamation icon and names
// the field that gets the focus. The dialog and the batch command share it.
#pragma once

#include <QString>
#include <QStringList>

#include "job/job_settings.h"
#include "save/save_pipeline.h"
#include "settings/settings_file.h"

namespace tessaly {

// The texts of the type list, in list order.
const QStringList& SaveTypeTexts();

// The dialog's fields: texts as typed, ticks as shown.
struct SaveDialogFields {
  QString folder;
  QString name_template;
  int type_index = 0;  // position in SaveTypeTexts()
  QString quality_text = QStringLiteral("90");
  bool min_on = false;  // "Set the minimum resolution to"
  QString min_text;
  bool max_on = false;  // "Set the maximum resolution to"
  QString max_text;
  bool sharpen = false;
};

// The message of a folder that does not exist, which sends the user to "Browse...".
inline constexpr char kFolderMissingMessage[] =
    "Selected folder doesn't exist.\r\rTip: to create a new folder, click the \"Browse...\" button";

// The main window's answer to Save in contact-sheet mode (information icon).
inline constexpr char kContactSheetSaveMessage[] =
    QT_TRANSLATE_NOOP("Tessaly", "Can't save in contact sheet mode");

// The quality presets, in list order ("Maximum", "High", "Medium", "Low").
const QStringList& JpegQualityPresetTexts();
// The number a preset writes into the quality box (100, 95, 80, 60); -1 for a
// position outside the list.
int JpegQualityOfPreset(int index);
// The preset a typed quality selects: 100 Maximum, 90..99 High, 80..89 Medium,
// 0..79 Low; -1 (no entry) for anything else.
int JpegQualityPresetFor(int quality);
// The same for the quality box's text, read as a number (a fraction dropped); a
// number outside 0..100 selects no entry.
int JpegQualityPresetForText(const QString& text);
// The quality box and presets serve the first type, JPEG, only.
inline bool UsesJpegQuality(int type_index) {
  return type_index == 0;
}

// The help page of the save dialog and the title of its folder chooser.
inline constexpr char kSaveHelpPage[] = "Save.htm";
inline constexpr char kSaveFolderTitle[] = "Choose Folder:\r(Tip: right click for more options)";

// The field a failed check puts the focus on.
enum class SaveField { kNone, kFolder, kTemplate, kQuality, kMinResolution, kMaxResolution };

// The fields as the dialog fills them on opening: quality 90 when stored as 0 or
// missing, a resolution of 0 as an empty text, a type position outside the list as
// the first type.
SaveDialogFields ReadSaveDialogFields(const QString& file = SettingsFilePath());
// Stores the fields after a save run (the maximum under the key "Interpolval2").
void WriteSaveDialogFields(const SaveDialogFields& fields,
                           const QString& file = SettingsFilePath());

// Runs the checks in the dialog's order: the template's characters (the check of
// leaving the template box), then the Save button's — folder given and existing,
// quality 0..100, template given, the resolution limits. The job's limits are
// switched off first. On success the folder text ends in '/', `settings` holds the
// limits and sharpening and `options` the run's type, folder, template and quality.
// False after the failing check's message; `focus` (when given) names its field.
bool CheckSaveDialog(SaveDialogFields& fields, JobSettings& settings, SaveRunOptions& options,
                     SaveField* focus = nullptr);

}  // namespace tessaly
