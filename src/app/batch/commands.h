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
// Applies --size, when given, to `settings`; false after a usage error.
bool ApplySizeOption(const QCommandLineParser& parser, const QString& command,
                     JobSettings& settings, int& exit_code);

// "H×W[+M]" in millimetres ('x' or 'X' also separate), height first as in the size
// catalogue. False when the text is not that or the margins leave no picture.
bool ParsePhotoSize(const QString& text, PhotoSize& size);

}  // namespace tessaly::batch
