// File names of saved photos built from a template: "[Filename]", "[Date]",
// "[DateTime]", "[Date-]", "[DateTime-]" and "[AutoNumber]" (any letter case) become
// the source file's name, its modification date in four layouts, or the photo's
// running number; the name is then made unique in the target folder with a suffix
// (01)…(99), (100)…. The date is the file's, or now (from a clock tests can set)
// when the file has none.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

namespace tessaly {

// The templates offered in the save dialog's list, in list order.
const QStringList& PresetTemplates();

// The expanded template for photo `number` (1 for the first of a run), without folder
// and extension. `folder` ends in a separator and `extension` starts with its dot;
// folder + result + extension named no entry of the folder (no file, folder or
// symlink, even a dangling one) when the function returned.
QString BuildFileName(const QString& folder, const QString& source_path,
                      const QString& name_template, const QString& extension, int number);
// A name that something takes between BuildFileName and the write gives way to the
// next free one, built again, this many times for one file; then the write fails.
inline constexpr int kTakenNameRetries = 100;

// The example shown under the template box: "Ex: MyFile -> " and the template
// expanded for a dateless source "MyFile" into a folder that cannot exist.
QString TemplateExample(const QString& name_template);

// False, after telling the user which characters a file name cannot contain, when
// the template holds one of them; the caller keeps the focus in the template box.
bool CheckTemplateCharacters(const QString& name_template);

// Replaces the clock that gives "now" for dateless sources; an empty function
// restores the system clock.
void SetTemplateClock(std::function<QDateTime()> now);

}  // namespace tessaly
