// The last job kept between runs of the window: written as a job file beside the
// edit history folder when the window closes with photos, and offered back by the
// next start without files. Loading adds each photo through the caller's add path
// and gives it its stored values; the photos that cannot be added are named together
// in one message. Only a later close with photos replaces the file. The window's
// commands that save and open other job files share the loading and the messages.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>

#include "job/job_file.h"
#include "job/picture_manager.h"

namespace tessaly {

inline constexpr char kOpenLastJobQuestion[] = QT_TRANSLATE_NOOP("Tessaly", "Open the last job?");
// The job-file commands' dialogs.
inline constexpr char kSaveJobTitle[] = QT_TRANSLATE_NOOP("Tessaly", "Save Job");
inline constexpr char kOpenJobTitle[] = QT_TRANSLATE_NOOP("Tessaly", "Open Job");
inline constexpr char kJobFileFilter[] = "Job files|*.json";
// The most photos the left-out message names one by one.
inline constexpr int kMaxNamedLeftOut = 20;

// last_job.json in the folder that holds the edit history's folder.
QString LastJobPath();

// Writes `settings` and the photos of `job` as the last job; an empty job removes
// the file, so that a job emptied before closing is not offered again. False when
// the file could not be written or removed, with `reason` (when given) the system's
// text of why. Whether it was kept is noted in the settings file (LastJobKept), and
// the next start offers the file only when the last close kept it: a job left from
// an earlier close is never offered as the last one.
bool KeepLastJob(const JobSettings& settings, const MyPictureManager& job,
                 QString* reason = nullptr);
// True when the last close kept the job (or the settings say nothing of it).
bool LastJobWasKept();

// The message for a file of the program's own that could not be written at close.
QString FileNotWrittenText(const QString& path, const QString& reason);
// The message for a last job that is there but cannot be opened; `damage` names the
// file and says what is wrong.
QString LastJobDamagedText(const QString& damage);

// Reads the last job; `job.settings` holds the base settings on entry. False when
// there is none, and then `damage` (when given) is empty; false too when the file is
// there but cannot be read as a job file (which always holds photos): empty, cut
// short, not a regular file, too large. `damage` then names the file and what is
// wrong with it, for the one message that says the last job was not opened.
bool ReadLastJob(JobFile& job, QString* damage = nullptr);

// Adds a photo file to the job: the position of its record, or −1 when it could not
// be added.
using AddJobPhotoFile = std::function<int(const QString& file)>;

// Adds the photos of `job_file` in their order through `add` and gives every added
// record the entry's edits, angle, crop, copies and label. Returns the files that
// could not be added, in their order.
QStringList LoadJobPhotos(const JobFile& job_file, MyPictureManager& job,
                          const AddJobPhotoFile& add);

// The message for a job file that could not be written at `path`.
QString JobNotSavedText(const QString& path);

// The one message that names the photos left out (at most kMaxNamedLeftOut, then
// how many more); "" when none were.
QString PhotosLeftOutText(const QStringList& files);

}  // namespace tessaly
