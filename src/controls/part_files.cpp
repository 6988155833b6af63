// Stale parts: the folder is read through its own descriptor, every entry whose name
// parses as a part is looked at without following links, and a stale one is unlinked
// from that same folder. Cleaned folders are remembered by device and inode.
#include "controls/part_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QMutex>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <cerrno>
#include <ctime>
#include <limits>
#include <set>
#include <utility>

namespace tessaly {
namespace {

constexpr char kPrefix[] = ".tessaly-";
constexpr char kSuffix[] = ".part";
constexpr qsizetype kRandomDigits = 16;
// Process ids stay below 2^22 on Linux; ten digits bound the parse well inside an int.
constexpr qsizetype kMaxPidDigits = 10;
// An earlier version's part that has not changed for this long has no writer left.
constexpr std::time_t kOldPartAgeSeconds = 60 * 60;

bool AllOf(QByteArrayView text, bool (*allowed)(char)) {
  for (const char c : text)
    if (!allowed(c)) return false;
  return true;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f');
}

// What a name tells about the part it names.
enum class PartKind { kNone, kWithPid, kEarlier };

PartKind ParsePartName(QByteArrayView name, pid_t& pid) {
  if (!name.startsWith(kPrefix) || !name.endsWith(kSuffix)) return PartKind::kNone;
  const QByteArrayView middle =
      name.sliced(sizeof(kPrefix) - 1, name.size() - (sizeof(kPrefix) - 1) - (sizeof(kSuffix) - 1));
  const qsizetype dash = middle.indexOf('-');
  if (dash < 0) {
    const bool earlier =
        !middle.isEmpty() && middle.size() <= kRandomDigits && AllOf(middle, IsHexDigit);
    return earlier ? PartKind::kEarlier : PartKind::kNone;
  }
  const QByteArrayView id = middle.first(dash);
  const QByteArrayView random = middle.sliced(dash + 1);
  if (id.isEmpty() || id.size() > kMaxPidDigits || id[0] == '0' || !AllOf(id, IsDigit) ||
      random.size() != kRandomDigits || !AllOf(random, IsHexDigit)) {
    return PartKind::kNone;
  }
  const long long value = id.toLongLong();
  if (value > std::numeric_limits<pid_t>::max()) return PartKind::kNone;
  pid = static_cast<pid_t>(value);
  return PartKind::kWithPid;
}

bool ProcessAlive(pid_t pid) {
  return ::kill(pid, 0) == 0 || errno != ESRCH;
}

bool IsStale(int folder_fd, const char* name) {
  pid_t pid = 0;
  const PartKind kind = ParsePartName(name, pid);
  if (kind == PartKind::kNone) return false;
  struct stat info {};
  if (::fstatat(folder_fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
      info.st_uid != ::geteuid()) {
    return false;
  }
  if (kind == PartKind::kWithPid) return !ProcessAlive(pid);
  return std::time(nullptr) - info.st_mtim.tv_sec >= kOldPartAgeSeconds;
}

// Marks the folder as cleaned in this run; false when it already was.
bool FirstVisit(int folder_fd) {
  static QMutex lock;
  static std::set<std::pair<dev_t, ino_t>> cleaned;
  struct stat info {};
  if (::fstat(folder_fd, &info) != 0) return false;
  const QMutexLocker locked(&lock);
  return cleaned.emplace(info.st_dev, info.st_ino).second;
}

}  // namespace

QByteArray NewPartName() {
  return kPrefix + QByteArray::number(::getpid()) + '-' +
         QByteArray::number(QRandomGenerator::global()->generate64(), 16)
             .rightJustified(kRandomDigits, '0') +
         kSuffix;
}

void RemoveStaleParts(int folder_fd) {
  if (!FirstVisit(folder_fd)) return;
  const int listing = ::dup(folder_fd);
  if (listing < 0) return;
  DIR* folder = ::fdopendir(listing);
  if (!folder) {
    ::close(listing);
    return;
  }
  ::rewinddir(folder);
  // A part that vanished meanwhile was removed by someone else, which is as good.
  while (const dirent* entry = ::readdir(folder)) {
    if (IsStale(folder_fd, entry->d_name)) ::unlinkat(folder_fd, entry->d_name, 0);
  }
  ::closedir(folder);
}

}  // namespace tessaly
