// The "Other Preferences" dialog without its window: the unit, date-mask and
// screen-size lists, the fields as the dialog opens with them, the date example, and
// Ok, which stores only what changed. A new screen photo size and a change of upright
// reading are stored but not used before the next start (a message says so); the
// unit, the date mask and the GPS choice take effect at once in the job settings.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "job/job_settings.h"
#include "settings/settings_file.h"

namespace tessaly {

const QStringList& UnitTexts();             // "Metric", "U.S. (Inches)"
const QStringList& DateMaskTexts();         // "Short Date" … "mm-dd-yyyy h:N"
const QStringList& ScreenPhotoSizeTexts();  // "400" … "700"

inline constexpr char kScreenSizeNextTimeMessage[] =
    "New screen photo size will take effect the next time you use the program";
inline constexpr char kUprightNextTimeMessage[] =
    "Turning photos upright by their orientation tag will change the next time you use the "
    "program";
inline constexpr char kUprightCaption[] =
    QT_TRANSLATE_NOOP("Tessaly", "Turn photos upright as the camera recorded them");
inline constexpr char kSaveGpsCaption[] =
    QT_TRANSLATE_NOOP("Tessaly", "Keep the GPS position in saved files");

struct PreferencesFields {
  int unit_index = 0;   // position in UnitTexts()
  QString date_mask;    // the mask list's text
  QString screen_size;  // the screen-size list's text
  bool upright = true;
  bool save_gps = false;
};

// The fields on opening: the unit in use, the date mask (the first list entry when
// none is set), the screen photo size (the first list entry when 0), upright reading
// as stored in `file` (it may differ from the run's until the next start), the GPS
// choice in use.
PreferencesFields OpenPreferences(const JobSettings& settings,
                                  const QString& file = SettingsFilePath());

// " Ex: " and `now` in the mask's form; the first list entry shows the general form.
QString DateExample(const QString& date_mask, const QDateTime& now);

// Ok: a changed date mask and unit are taken into `settings` and stored; a changed
// screen size is stored after the message, `settings` keeping the size in use.
// Nothing unchanged is written.
void ApplyPreferences(const PreferencesFields& fields, JobSettings& settings,
                      const QString& file = SettingsFilePath());

}  // namespace tessaly
