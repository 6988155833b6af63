// History lines and month files. A line is written in one piece at the end of its
// month file, under an exclusive lock; a file left without a final line break gets
// one first, in the same write, so that a new record never runs on into the last
// line. A write that is short or fails, or whose flush fails, is cut off again, so the
// file keeps its old length and never holds a torn line, and the line is handed to
// the month file's index (history_index), through which every lookup goes. Only
// regular files are read or written.
#include "job/history_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "controls/formatting.h"
#include "controls/native_path.h"
#include "job/history_index.h"

namespace tessaly {
namespace {

// Resolution of the time-of-day part of the key: 1/100000 day (0.864 s).
constexpr double kTimeUnitsPerDay = 100000.0;
constexpr int kFieldCount = 18;
constexpr int kLastTimeUnit = 99999;

QString& RootStorage() {
  static QString root = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                        QStringLiteral("/tessaly/Tesly_DB");
  return root;
}

// The numeric fields after the two texts, in file order.
std::array<int, 14> NumberFields(const HistoryEdits& e, int printed_day) {
  return {e.bright,  e.contrast, e.gamma100, e.red, e.green, e.blue,  e.saturation,
          e.unsharp, e.x0,       e.y0,       e.x1,  e.y1,    e.angle, printed_day};
}

// A cursor over one line; each reader consumes one field and its separator.
class FieldReader {
 public:
  explicit FieldReader(QByteArrayView bytes) : bytes_(bytes) {}

  bool Int(int& value, bool last) {
    SkipBlanks();
    bool negative = false;
    if (pos_ < bytes_.size() && bytes_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    const qsizetype start = pos_;
    long long magnitude = 0;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    while (pos_ < bytes_.size() && bytes_[pos_] >= '0' && bytes_[pos_] <= '9') {
      magnitude = magnitude * 10 + (bytes_[pos_] - '0');
      if (magnitude > kLimit) return false;
      ++pos_;
    }
    if (pos_ == start) return false;
    const long long signed_value = negative ? -magnitude : magnitude;
    if (signed_value > std::numeric_limits<int>::max()) return false;
    value = static_cast<int>(signed_value);
    return Separator(last);
  }

  bool Text(QString& value) {
    SkipBlanks();
    if (pos_ >= bytes_.size() || bytes_[pos_] != '"') return false;
    const qsizetype close = bytes_.indexOf('"', pos_ + 1);
    if (close < 0) return false;
    value = PathFromNative(bytes_.sliced(pos_ + 1, close - pos_ - 1));
    pos_ = close + 1;
    return Separator(false);
  }

 private:
  void SkipBlanks() {
    while (pos_ < bytes_.size() && (bytes_[pos_] == ' ' || bytes_[pos_] == '\t')) ++pos_;
  }
  // A comma after every field but the last, which must end the line.
  bool Separator(bool last) {
    SkipBlanks();
    if (last) return pos_ == bytes_.size();
    if (pos_ >= bytes_.size() || bytes_[pos_] != ',') return false;
    ++pos_;
    return true;
  }

  QByteArrayView bytes_;
  qsizetype pos_ = 0;
};

int TodayDayNumber() {
  return static_cast<int>(std::floor(DateSerial(QDateTime::currentDateTime())));
}

// True when the open file is not empty and its last byte is not a line break.
bool EndsWithoutNewline(int fd, off_t size) {
  char last = '\n';
  return size > 0 && ::pread(fd, &last, 1, size - 1) == 1 && last != '\n';
}

// Appends `line` to the open regular file (after a line break when the file's last
// line has none) in one write and flushes it; `before` and `after` receive the file's
// state around the append. On any failure the file is cut back to the length it had.
bool AppendLine(int fd, QByteArray line, struct stat& before, struct stat& after) {
  if (::flock(fd, LOCK_EX) != 0) return false;
  if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode)) return false;
  const off_t old_size = before.st_size;
  if (EndsWithoutNewline(fd, old_size)) line.prepend("\r\n");
  const ssize_t written =
      ::pwrite(fd, line.constData(), static_cast<size_t>(line.size()), old_size);
  if (written == line.size() && ::fsync(fd) == 0) return ::fstat(fd, &after) == 0;
  if (written > 0 && ::ftruncate(fd, old_size) == 0) ::fsync(fd);
  return false;
}

}  // namespace

QString HistoryRoot() {
  return RootStorage();
}

void SetHistoryRoot(const QString& root) {
  RootStorage() = root;
}

bool HistoryKeyOf(double file_date, HistoryKey& key) {
  if (!std::isfinite(file_date)) return false;
  const double day = std::floor(file_date);
  if (day < std::numeric_limits<int>::min() || day > std::numeric_limits<int>::max()) return false;
  const double time = std::floor((file_date - day) * kTimeUnitsPerDay);
  key.day = static_cast<int>(day);
  key.time = std::clamp(static_cast<int>(time), 0, kLastTimeUnit);
  return true;
}

QString HistoryFilePath(int day) {
  const QDate date = DateFromSerial(day).date();
  if (!date.isValid() || date.year() < 1 || date.year() > 9999) return QString();
  const QString year = QString::asprintf("%04d", date.year());
  return RootStorage() + QLatin1Char('/') + year + QLatin1Char('/') + year +
         QString::asprintf("-%02d.dat", date.month());
}

QString HistoryText(const QString& text) {
  QString stored = text;
  stored.replace(QLatin1Char('"'), QLatin1Char('\''));
  stored.replace(QLatin1Char('\r'), QLatin1Char(' '));
  stored.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return stored;
}

QByteArray FormatHistoryLine(const HistoryLine& line) {
  QByteArray out;
  out += QByteArray::number(line.key.day) + ',' + QByteArray::number(line.key.time) + ',';
  // Names keep the bytes of the file's own name, also where they are not UTF-8.
  out += '"' + NativePath(HistoryText(line.name)) + "\",";
  out += '"' + NativePath(HistoryText(line.edits.label)) + "\",";
  const std::array<int, 14> numbers = NumberFields(line.edits, line.printed_day);
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    out += QByteArray::number(numbers[i]);
    out += i + 1 < numbers.size() ? QByteArray(",") : QByteArray("\r\n");
  }
  return out;
}

bool ParseHistoryLine(QByteArrayView bytes, HistoryLine& line) {
  if (bytes.endsWith('\n')) bytes.chop(1);
  if (bytes.endsWith('\r')) bytes.chop(1);
  FieldReader reader(bytes);
  HistoryLine parsed;
  HistoryEdits& e = parsed.edits;
  const std::array<int*, 14> numbers = {
      &e.bright,  &e.contrast, &e.gamma100, &e.red, &e.green, &e.blue,  &e.saturation,
      &e.unsharp, &e.x0,       &e.y0,       &e.x1,  &e.y1,    &e.angle, &parsed.printed_day};
  static_assert(numbers.size() + 4 == kFieldCount);
  if (!reader.Int(parsed.key.day, false) || !reader.Int(parsed.key.time, false) ||
      !reader.Text(parsed.name) || !reader.Text(e.label)) {
    return false;
  }
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (!reader.Int(*numbers[i], i + 1 == numbers.size())) return false;
  }
  line = parsed;
  return true;
}

bool SaveEdits(double file_date, const QString& name, const HistoryEdits& edits) {
  HistoryLine line;
  if (!HistoryKeyOf(file_date, line.key)) return false;
  const QString path = HistoryFilePath(line.key.day);
  if (path.isEmpty()) return false;
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  line.name = name;
  line.edits = edits;
  line.printed_day = TodayDayNumber();

  const int fd = ::open(NativePath(path).constData(),
                        O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const QByteArray record = FormatHistoryLine(line);
  struct stat before {};
  struct stat after {};
  const bool appended = AppendLine(fd, record, before, after);
  ::close(fd);  // the line is already on the disk, or cut off again
  // The index takes the record as a lookup reads it back: stored name and label.
  HistoryLine stored;
  if (appended && ParseHistoryLine(record, stored)) NoteHistoryAppend(path, before, after, stored);
  return appended;
}

bool GetEdits(double file_date, const QString& name, HistoryEdits& edits, double& print_date) {
  HistoryKey key;
  if (!HistoryKeyOf(file_date, key)) return false;
  const QString path = HistoryFilePath(key.day);
  if (path.isEmpty()) return false;
  HistoryLine match;
  if (!FindHistoryRecord(path, key, HistoryText(name), match)) return false;
  edits = match.edits;
  print_date = match.printed_day;
  return true;
}

}  // namespace tessaly
