// The subcommands of tessaly-batch and what they share: exit codes, the usage-error
// report, the --settings and --size options. Each command gets its arguments without
// the program and command names and returns the process exit code.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include "job/job_settings.h"

namespace tessaly::batch {

// Exit codes: everything done; some photos (or charts, or pages) were not done; the
// command line, job file or save or print options were refused; the image codecs
// could not start; there is no printer to work on.
inline constexpr int kExitOk = 0;
inline constexpr int kExitSkipped = 1;
inline constexpr int kExitBadInput = 2;
inline constexpr int kExitNoCodecs = 3;
inline constexpr int kExitNoPrinter = 4;

int RunInfo(const QStringList& arguments);
int RunSave(const QStringList& arguments);
int RunCharts(const QStringList& arguments);
int RunPrinters(const QStringList& arguments);
int RunLayout(const QStringList& arguments);
int RunPrint(const QStringList& arguments);

// Prints "tessaly-batch <command>: <problem>" and the hint to --help on standard
// error; returns kExitBadInput.
int UsageError(const QString& command, const QString& problem);

// Parses `arguments` with `parser` (which gets --help added); false after a usage
// error (`exit_code` set) or after printing the help (`exit_code` kExitOk).
bool ParseCommand(QCommandLineParser& parser, const QString& command, const QString& help,
                  const QStringList& arguments, int& exit_code);

// --settings FILE alone.
void AddSettingsFileOption(QCommandLineParser& parser);
// Points the settings file at --settings, which must exist; false after a usage error.
bool UseSettingsFileOption(const QCommandLineParser& parser, const QString& command,
                           int& exit_code);
// --settings and --size, which info, save, layout and print take.
void AddSettingsOptions(QCommandLineParser& parser);
// Points the settings file at --settings (which must exist) and loads the job
// settings, with --size over the stored photo size. False after a usage error.
bool LoadSettingsOptions(const QCommandLineParser& parser, const QString& command,
                         JobSettings& settings, int& exit_code);
// Applies --size, when given, to `settings` once CheckPhotoSize accepts it for the
// settings' mode; false after a usage error.
bool ApplySizeOption(const QCommandLineParser& parser, const QString& command,
                     JobSettings& settings, int& exit_code);

// "H×W[+M]" with one unit, mm, cm or in, after the sides, the margin or both
// ("10x15cm", "4x6in+0.2", "102x152mm"), height first as in the size catalogue;
// 'x' or 'X' also separate. Without a unit the numbers are millimetres, and a bare
// size under 20 mm on both sides is refused as a likely missing unit. False with
// the reason in `problem` when the text is not such a size.
bool ParsePhotoSize(const QString& text, PhotoSize& size, QString& problem);

}  // namespace tessaly::batch
