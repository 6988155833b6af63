// Number and date texts in the program's classic format patterns, and date
// serials. Number patterns: "#0.0", "###0.0", "##0.0#", "0.0", "0.00", "0.000",
// "#####.0", "000000", "0000", "#000", "00", "####" (and "#0." followed by zeros);
// the decimal separator is always a point. A pattern with decimals rounds the exact
// value of the double half away from zero; a whole-number pattern rounds the value
// taken to 15 significant digits half to even. Date masks:
// the named formats "Short Date", "Medium Date", "Long Date", "General Date",
// "Long Time", "Short Time" in the current default QLocale, and patterns built
// from d, m, y, h, N (minutes), s and literal text such as "dd-mm-yyyy h:N".
// A date serial counts days since 30 December 1899, local time, with the time of
// day as the fraction.
#pragma once

#include <QDateTime>
#include <QString>

namespace tessaly {

// Significant decimal digits of the classic conversion of a double to text, and
// those kept from a double before rounding it to a whole number.
inline constexpr int kDoubleTextDigits = 15;

// `value` formatted with a number pattern.
QString FormatNumber(double value, const QString& pattern);
// `when` formatted with a named format or a date pattern.
QString FormatDate(const QDateTime& when, const QString& mask);

// Reads back a text written as FormatDate(…, "Short Date") + " " + FormatDate(…,
// "Long Time") in the current default locale; false when it is not such a date.
bool ParseShortDateLongTime(const QString& text, QDateTime& when);

// Local date and time → day serial, and back.
double DateSerial(const QDateTime& when);
QDateTime DateFromSerial(double serial);
// The file's last modification time as a day serial; false when the file is missing.
bool FileDateSerial(const QString& path, double& serial);

}  // namespace tessaly
