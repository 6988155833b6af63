// Number patterns, date masks and day serials.
// Numbers: a pattern with decimals rounds the exact decimal value the double holds,
// half away from zero, as a printed number format does (4.25 is a tie and gives
// 4.3; 1.005 is held as 1.00499999999999989… and gives 1.00). A whole-number
// pattern first takes the value to 15 significant digits, then rounds half to even.
// Dates: a small mask interpreter; serials count days from 30 December 1899 in
// local time.
#include "controls/formatting.h"

#include <sys/stat.h>

#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "controls/native_path.h"

namespace tessaly {
namespace {

// Enough significant digits to write any double exactly: its binary fraction ends
// within 767 significant decimal digits.
constexpr int kExactDigits = 767;
constexpr qint64 kMsecsPerDay = 86400000;
// Serials beyond a million years are no dates (and would overflow the day count).
constexpr double kMaxSerialDays = 365.25e6;
// Day 0 of the serial count.
const QDate kSerialEpoch(1899, 12, 30);

// A pattern split into its literal prefix, digit placeholders and literal suffix.
struct NumberPattern {
  QString prefix;
  QString suffix;
  int min_integer_digits = 0;  // '0's before the point
  bool has_point = false;
  int decimals = 0;      // placeholders after the point
  int min_decimals = 0;  // up to and including the last '0' after the point
};

bool IsPlaceholder(QChar c) {
  return c == u'#' || c == u'0';
}

NumberPattern ParseNumberPattern(const QString& pattern) {
  NumberPattern p;
  qsizetype first = 0;
  while (first < pattern.size() && !IsPlaceholder(pattern[first]) && pattern[first] != u'.')
    ++first;
  qsizetype last = pattern.size();
  while (last > first && !IsPlaceholder(pattern[last - 1]) && pattern[last - 1] != u'.') --last;
  p.prefix = pattern.left(first);
  p.suffix = pattern.mid(last);
  for (qsizetype i = first; i < last; ++i) {
    const QChar c = pattern[i];
    if (c == u'.') {
      p.has_point = true;
    } else if (p.has_point) {
      if (!IsPlaceholder(c)) continue;
      ++p.decimals;
      if (c == u'0') p.min_decimals = p.decimals;
    } else if (c == u'0') {
      ++p.min_integer_digits;
    }
  }
  return p;
}

// |value| as decimal digits with `point` digits before the decimal point, kept to
// `significant` digits. A zero gives zeros with point 1.
void DecimalDigits(double magnitude, int significant, std::string& digits, int& point) {
  char text[kExactDigits + 16];
  std::snprintf(text, sizeof text, "%.*e", significant - 1, magnitude);
  // text is "d.dddddddddddddde±xx"
  digits.assign(1, text[0]);
  const char* p = text + 2;
  while (*p != 'e') digits.push_back(*p++);
  point = std::atoi(p + 1) + 1;
}

// Rounds the digit string so that it keeps `decimals` digits after the point, a tie
// half to even or, with `ties_away`, away from zero; returns integer and fraction
// digit strings (integer may be empty).
void RoundDigits(std::string digits, int point, int decimals, bool ties_away, std::string& integer,
                 std::string& fraction) {
  // Pad so that the string covers the integer part and all wanted decimals.
  if (point <= 0) {
    digits.insert(0, static_cast<size_t>(1 - point), '0');
    point = 1;
  }
  const size_t keep = static_cast<size_t>(point + decimals);
  if (digits.size() < keep) digits.append(keep - digits.size(), '0');
  if (digits.size() > keep) {
    const char next = digits[keep];
    const bool rest_nonzero = digits.find_first_not_of('0', keep + 1) != std::string::npos;
    const bool last_odd = keep > 0 && ((digits[keep - 1] - '0') % 2 == 1);
    const bool up = next > '5' || (next == '5' && (rest_nonzero || ties_away || last_odd));
    digits.resize(keep);
    if (up) {
      size_t i = keep;
      while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
      if (i == 0) {
        digits.insert(0, 1, '1');
        ++point;
      } else {
        ++digits[i - 1];
      }
    }
  }
  integer = digits.substr(0, static_cast<size_t>(point));
  fraction = digits.substr(static_cast<size_t>(point));
  const size_t nonzero = integer.find_first_not_of('0');
  integer.erase(0, nonzero == std::string::npos ? integer.size() : nonzero);
}

// Two-digit years read back from a short date fall in 1930..2029, as the classic
// date parser placed them.
constexpr int kTwoDigitYearPivot = 1930;

// A Qt time format without its time-zone field ('t' outside quotes).
QString WithoutTimeZone(const QString& format) {
  QString out;
  bool quoted = false;
  for (QChar c : format) {
    if (c == u'\'') quoted = !quoted;
    if (!quoted && c == u't') continue;
    out += c;
  }
  return out.trimmed();
}

QString ShortDate(const QDateTime& when) {
  return QLocale().toString(when.date(), QLocale::ShortFormat);
}
QString LongDate(const QDateTime& when) {
  return QLocale().toString(when.date(), QLocale::LongFormat);
}
QString LongTime(const QDateTime& when) {
  return QLocale().toString(when.time(),
                            WithoutTimeZone(QLocale().timeFormat(QLocale::LongFormat)));
}

// Short date and long time; a moment at midnight shows only its date, and one on
// the serial's day 0 only its time, as the classic general format does.
QString GeneralDate(const QDateTime& when) {
  if (when.time() == QTime(0, 0)) return ShortDate(when);
  if (when.date() == kSerialEpoch) return LongTime(when);
  return ShortDate(when) + u' ' + LongTime(when);
}

// The named formats; empty when `mask` is not one of them.
QString NamedFormat(const QDateTime& when, const QString& mask) {
  const auto is = [&](const char* name) { return mask.compare(name, Qt::CaseInsensitive) == 0; };
  if (is("Short Date")) return ShortDate(when);
  if (is("Medium Date")) return QLocale().toString(when.date(), "dd-MMM-yy");
  if (is("Long Date")) return LongDate(when);
  if (is("General Date")) return GeneralDate(when);
  if (is("Long Time")) return LongTime(when);
  if (is("Short Time")) return QLocale().toString(when.time(), QLocale::ShortFormat);
  return QString();
}

QString Padded(int value, int width) {
  return QString::number(value).rightJustified(width, u'0');
}

// Length of the run of `c` (either case) starting at `i`, counted up to `limit`:
// a field never takes more, so a long run is read field by field in linear time.
qsizetype RunLength(const QString& mask, qsizetype i, qsizetype limit) {
  const QChar c = mask[i].toLower();
  qsizetype n = 0;
  while (n < limit && i + n < mask.size() && mask[i + n].toLower() == c) ++n;
  return n;
}

}  // namespace

QString FormatNumber(double value, const QString& pattern) {
  if (!std::isfinite(value)) return QString::number(value);
  const NumberPattern p = ParseNumberPattern(pattern);
  const bool with_decimals = p.decimals > 0;
  std::string digits;
  int point = 0;
  DecimalDigits(std::fabs(value), with_decimals ? kExactDigits : kDoubleTextDigits, digits, point);
  std::string integer, fraction;
  RoundDigits(digits, point, p.decimals, with_decimals, integer, fraction);

  const bool is_zero = integer.empty() && fraction.find_first_not_of('0') == std::string::npos;
  if (integer.size() < static_cast<size_t>(p.min_integer_digits))
    integer.insert(0, static_cast<size_t>(p.min_integer_digits) - integer.size(), '0');
  size_t shown = fraction.size();
  while (shown > static_cast<size_t>(p.min_decimals) && fraction[shown - 1] == '0') --shown;
  fraction.resize(shown);

  QString text = p.prefix;
  if (value < 0 && !is_zero) text += u'-';
  text += QString::fromLatin1(integer);
  if (p.has_point) text += u'.' + QString::fromLatin1(fraction);
  return text + p.suffix;
}

// Mask letters, either case: d dd (day), ddd dddd (day name), ddddd (short date),
// dddddd (long date); m mm (month, or minutes right after an hour field), mmm mmmm
// (month name); y (day of the year), yy, yyyy; h hh (hour 0-23); n nn (minutes);
// s ss (seconds). A backslash makes the next character literal, text in double
// quotes is literal, every other character is copied as it is.
QString FormatDate(const QDateTime& when, const QString& mask) {
  const QString named = NamedFormat(when, mask);
  if (!named.isEmpty()) return named;

  const QDate date = when.date();
  const QTime time = when.time();
  const QLocale locale;
  QString out;
  bool after_hour = false;
  qsizetype i = 0;
  while (i < mask.size()) {
    const QChar c = mask[i];
    const QChar lower = c.toLower();
    if (c == u'\\') {
      if (i + 1 < mask.size()) out += mask[i + 1];
      i += 2;
      continue;
    }
    if (c == u'"') {
      const qsizetype close = mask.indexOf(u'"', i + 1);
      const qsizetype end = close < 0 ? mask.size() : close;
      out += mask.mid(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    qsizetype run = 0;
    if (lower == u'd') {
      run = RunLength(mask, i, 6);
      if (run <= 2) out += Padded(date.day(), static_cast<int>(run));
      if (run == 3) out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
      if (run == 4) out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
      if (run == 5) out += ShortDate(when);
      if (run == 6) out += LongDate(when);
      after_hour = false;
    } else if (lower == u'm') {
      run = RunLength(mask, i, 4);
      if (run <= 2) out += Padded(after_hour ? time.minute() : date.month(), static_cast<int>(run));
      if (run == 3) out += locale.monthName(date.month(), QLocale::ShortFormat);
      if (run == 4) out += locale.monthName(date.month(), QLocale::LongFormat);
      after_hour = false;
    } else if (lower == u'y') {
      const qsizetype n = RunLength(mask, i, 4);
      run = n >= 4 ? 4 : (n >= 2 ? 2 : 1);
      if (run == 4) out += Padded(date.year(), 4);
      if (run == 2) out += Padded(date.year() % 100, 2);
      if (run == 1) out += QString::number(date.dayOfYear());
      after_hour = false;
    } else if (lower == u'h' || lower == u'n' || lower == u's') {
      run = RunLength(mask, i, 2);
      const int field =
          lower == u'h' ? time.hour() : (lower == u'n' ? time.minute() : time.second());
      out += Padded(field, static_cast<int>(run));
      after_hour = lower == u'h';
    } else {
      out += c;
      ++i;
      continue;
    }
    i += run;
  }
  return out;
}

// Days are counted from the epoch; the fraction is the time of day. Before the
// epoch the integer part still names the day and the fraction still adds time,
// so -1.25 is 29 December 1899 at 06:00.
double DateSerial(const QDateTime& when) {
  if (!when.isValid()) return 0.0;
  const QDateTime local = when.toLocalTime();
  const double days = static_cast<double>(kSerialEpoch.daysTo(local.date()));
  const double fraction =
      static_cast<double>(local.time().msecsSinceStartOfDay()) / static_cast<double>(kMsecsPerDay);
  return days < 0 ? days - fraction : days + fraction;
}

QDateTime DateFromSerial(double serial) {
  if (!std::isfinite(serial) || std::fabs(serial) > kMaxSerialDays) return QDateTime();
  double days = std::trunc(serial);
  qint64 msecs = static_cast<qint64>(
      std::nearbyint(std::fabs(serial - days) * static_cast<double>(kMsecsPerDay)));
  if (msecs >= kMsecsPerDay) {  // a fraction that rounds to a whole day
    msecs -= kMsecsPerDay;
    days += serial < 0 ? -1.0 : 1.0;
  }
  const QDate date = kSerialEpoch.addDays(static_cast<qint64>(days));
  return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)), Qt::LocalTime);
}

bool FileDateSerial(const QString& path, double& serial) {
  struct stat info {};
  if (!NativeStat(path, info)) return false;
  const qint64 msecs =
      static_cast<qint64>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
  serial = DateSerial(QDateTime::fromMSecsSinceEpoch(msecs));
  return true;
}

bool ParseShortDateLongTime(const QString& text, QDateTime& when) {
  if (text.isEmpty()) return false;
  const QLocale locale;
  const QString date_format = locale.dateFormat(QLocale::ShortFormat);
  when = locale.toDateTime(
      text, date_format + u' ' + WithoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
  if (!when.isValid()) return false;
  if (!date_format.contains(QStringLiteral("yyyy")) && when.date().year() < kTwoDigitYearPivot)
    when = when.addYears(100);
  return true;
}

}  // namespace tessaly
