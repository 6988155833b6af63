// The edit history: for every photo printed or saved, one text line with its edits,
// crop, rotation and label, appended to a month file named by the photo's file date
// (<root>/<yyyy>/<yyyy-mm>.dat, root $XDG_DATA_HOME/tessaly/Tesly_DB). A photo is
// known by its file date's day number, the time of day in 1/100000 day and its file
// name (case-sensitive); the last matching line of the file counts. Lines are 18
// comma-separated fields ended by CR LF, texts in double quotes without escaping, so a
// double quote in a label or name is stored as an apostrophe and line breaks as blanks.
// Every failure is quiet: the operation returns false and nothing is shown; a line
// that is not a record is such a failure, whatever the lines before it held.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tessaly {

// The values stored for one photo.
struct HistoryEdits {
  QString label;
  int bright = 0;
  int contrast = 0;
  int gamma100 = 100;
  int red = 0;
  int green = 0;
  int blue = 0;
  int saturation = 0;
  int unsharp = 0;
  int x0 = 0;  // crop corners in 1/10000 of the view picture's width and height
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;
  int angle = 0;  // degrees: -180, -90, 0, 90, 180
};

// The key of a photo: day number and time of day in 1/100000 day of its file date.
struct HistoryKey {
  int day = 0;
  int time = 0;
};

// One line of a history file.
struct HistoryLine {
  HistoryKey key;
  QString name;
  HistoryEdits edits;
  int printed_day = 0;  // day number of the day the line was written
};

// Root folder of the month files; tests point it at a scratch folder.
QString HistoryRoot();
void SetHistoryRoot(const QString& root);

// The key of a date serial; false when the serial is not finite or its day number
// does not fit a 32-bit integer.
bool HistoryKeyOf(double file_date, HistoryKey& key);
// The month file of a day number, below the root; "" for a year outside 1..9999.
QString HistoryFilePath(int day);

// The text stored for a label or name: '"' becomes '\'', CR and LF become blanks.
QString HistoryText(const QString& text);
// One record as written to the file, CR LF included.
QByteArray FormatHistoryLine(const HistoryLine& line);
// Parses one line (with or without its line ending); false when it is not a record
// of 18 well-formed fields.
bool ParseHistoryLine(QByteArrayView bytes, HistoryLine& line);

// Appends a record for the photo with file date `file_date` and file name `name`
// (without folder), stamped with today's day number; creates the folders and the
// month file as needed. False when anything could not be written; the month file then
// keeps the length it had, so no part of the record stays in it.
bool SaveEdits(double file_date, const QString& name, const HistoryEdits& edits);
// Looks the photo up in the month file of its file date; true when a record was
// found, and then `edits` and `print_date` (the printed day as a date serial) hold
// the last matching record. False, with both untouched, when there is none or any
// line of the file is not a well-formed record.
bool GetEdits(double file_date, const QString& name, HistoryEdits& edits, double& print_date);

}  // namespace tessaly
