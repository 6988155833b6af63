// Job files: a JSON document that describes a job for the batch command — settings
// that override the settings file (photo size and margin in mm, contact-sheet mode,
// layout, printed extras, label font and colour) and, per photo, the file, copies,
// label, the seven edit values, UnsharpMask, angle and crop (ten-thousandths of the
// picture). Every value is checked on reading; the first bad one stops the reading
// with a message that names its field ("photos[2].gamma: expected a number ...").
// A job written here reads back to the same settings and photo entries.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "job/history_store.h"
#include "job/job_settings.h"
#include "job/my_picture.h"
#include "job/picture_manager.h"

namespace tessaly {

// The format version this reader understands.
inline constexpr int kJobFileVersion = 1;
// The largest job file read: far above a thousand photos (about 400 bytes each).
inline constexpr qint64 kMaxJobFileBytes = 16 * 1024 * 1024;

// One photo of a job file. Edit values the file leaves out are neutral, so a job
// file always says everything about a photo's edits; only the label, when left out,
// stays as the record made it (default label or the one from the edit history).
struct JobPhotoEntry {
  QString file;  // absolute path
  int copies = 1;
  std::optional<QString> label;
  HistoryEdits edits;     // `label` unused; gamma in hundredths
  bool has_crop = false;  // without a crop the photo gets the largest centred frame
};

struct JobFile {
  JobSettings settings;
  std::vector<JobPhotoEntry> photos;
};

// Reads a job file's text. `job.settings` holds the base settings on entry (those
// of the settings file) and receives the file's values over them. Relative photo
// paths resolve against `folder`. False, with `error` naming the field, when the
// text is not a valid job file; `job` is then unspecified.
bool ParseJobFile(const QByteArray& text, const QString& folder, JobFile& job, QString& error);

// Reads the file at `path` with ParseJobFile, photo paths relative to its folder.
// A FIFO, device or folder, a file above kMaxJobFileBytes and an empty file are
// refused unread (or unparsed), with `error` naming the file and what it is
// ("/home/ana/job.json: is a folder"). `missing` (when given) tells whether the
// failure was that nothing has that name.
bool LoadJobFile(const QString& path, JobFile& job, QString& error, bool* missing = nullptr);

// Gives a loaded record the entry's values as a history record would: the edit
// values, the angle and the crop (kept only when its shape matches the frame; the
// largest centred frame when the entry has none), then copies and, when given, the
// label.
void ApplyJobPhoto(const JobPhotoEntry& entry, MyPicture& photo);

// The job file text of `settings` and of every photo of `job` in position order:
// file, copies, label, edit values, angle and crop (when it has an area).
QByteArray JobFileText(const JobSettings& settings, const MyPictureManager& job);

// Writes JobFileText to `path`, creating its folder; the file at `path` is replaced
// only once the new text is whole on the disk. False when it could not be written,
// with `reason` (when given) the system's text of why.
bool SaveJobFile(const JobSettings& settings, const MyPictureManager& job, const QString& path,
                 QString* reason = nullptr);

}  // namespace tessaly
