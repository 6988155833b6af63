// The photos of a command that prints or saves a job: FILE arguments (each with the
// edits the edit history brings back) or a job file (its settings over the settings
// file, --size over both, each photo's edits), and adding them to the job. An
// unreadable photo is asked about with Abort / Retry / Ignore, which the Ui answers.
#pragma once

#include <QCommandLineParser>
#include <QString>

#include "controls/ui_service.h"
#include "job/job_file.h"
#include "job/picture_manager.h"
#include "surface/image_read_status.h"

namespace tessaly::batch {

// Adds --job JOB.json and --on-error abort|ignore (default abort).
void AddJobOptions(QCommandLineParser& parser);
bool HaveJobFile(const QCommandLineParser& parser);
// Whether --on-error says ignore; false after a usage error for another value.
bool ReadOnErrorOption(const QCommandLineParser& parser, const QString& command,
                       bool& ignore_errors, int& exit_code);
// True when exactly one of --job and FILE arguments was given; else a usage error.
bool JobInputGiven(const QCommandLineParser& parser, const QString& command, int& exit_code);
// The job file's settings and photos over the settings already in `job_file`, or one
// entry per FILE argument. False after the job file's message (`exit_code` set).
bool LoadJobInput(const QCommandLineParser& parser, const QString& command, JobFile& job_file,
                  Ui& ui, int& exit_code);
// Says on standard error, when `failed`, that the run's edit-history records could not
// all be written; returns `failed`.
bool TellHistoryFailure(bool failed);

// Warns that `file` opens but its data stops early, so only what it holds is used.
void WarnWhenPartial(const QString& file, ImageReadStatus status, Ui& ui);

enum class AddOutcome { kAllAdded, kSomeSkipped, kStopped };

// Adds every photo's record to the job in order (its size from the file's header: no
// screen pixels are kept), with the progress "Loading Image n of m...";
// `apply_entries` gives each the job file's values. Stops on Abort or Ctrl-C.
AddOutcome AddPhotos(const JobFile& job_file, bool apply_entries, MyPictureManager& job, Ui& ui);

}  // namespace tessaly::batch
