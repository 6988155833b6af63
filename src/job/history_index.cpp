// Month-file indexes: one per path, each the file's identity when read (device,
// inode, size, modification time) and a hash from a photo's key and name to its last
// record. Lines are split at LF as a line reader would split them: a last line
// without its line break still counts, nothing after the final LF does. Lookups may
// come from several threads, so the indexes sit behind one lock.
#include "job/history_index.h"

#include <QByteArrayView>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include "controls/bounded_file.h"
#include "controls/native_path.h"

namespace tessaly {
namespace {

struct PhotoKey {
  int day;
  int time;
  QString name;
  bool operator==(const PhotoKey&) const = default;
};

size_t qHash(const PhotoKey& key, size_t seed = 0) {
  return qHashMulti(seed, key.day, key.time, key.name);
}

struct MonthIndex {
  struct stat state {};
  bool damaged = false;
  QHash<PhotoKey, HistoryLine> last;
};

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

void Add(MonthIndex& index, const HistoryLine& line) {
  index.last.insert(PhotoKey{line.key.day, line.key.time, line.name}, line);
}

// Reads the file whole into `index`. The state is taken before the read, so a line
// appended meanwhile makes the next lookup read the file again rather than miss it.
bool Build(const QString& path, const struct stat& state, MonthIndex& index) {
  QByteArray text;
  if (ReadBoundedFile(path, kMaxHistoryFileBytes, text) != FileRead::kRead) return false;
  index = MonthIndex{};
  index.state = state;
  const QByteArrayView all(text);
  for (qsizetype start = 0; start < all.size() && !index.damaged;) {
    qsizetype end = all.indexOf('\n', start);
    end = end < 0 ? all.size() : end + 1;
    HistoryLine line;
    if (ParseHistoryLine(all.sliced(start, end - start), line))
      Add(index, line);
    else
      index.damaged = true;
    start = end;
  }
  return true;
}

QMutex& IndexLock() {
  static QMutex lock;
  return lock;
}

QHash<QString, MonthIndex>& Indexes() {
  static QHash<QString, MonthIndex> indexes;
  return indexes;
}

}  // namespace

bool FindHistoryRecord(const QString& path, const HistoryKey& key, const QString& stored_name,
                       HistoryLine& line) {
  struct stat state {};
  if (::stat(NativePath(path).constData(), &state) != 0) return false;
  const QMutexLocker locked(&IndexLock());
  auto& indexes = Indexes();
  auto found = indexes.find(path);
  if (found == indexes.end() || !SameFile(found->state, state)) {
    MonthIndex index;
    if (!Build(path, state, index)) {
      indexes.remove(path);
      return false;
    }
    found = indexes.insert(path, std::move(index));
  }
  const MonthIndex& index = *found;
  if (index.damaged) return false;
  const auto record = index.last.constFind(PhotoKey{key.day, key.time, stored_name});
  if (record == index.last.cend()) return false;
  line = *record;
  return true;
}

void NoteHistoryAppend(const QString& path, const struct stat& before, const struct stat& after,
                       const HistoryLine& line) {
  const QMutexLocker locked(&IndexLock());
  auto& indexes = Indexes();
  const auto found = indexes.find(path);
  if (found == indexes.end()) return;
  if (!SameFile(found->state, before)) {
    indexes.erase(found);
    return;
  }
  Add(*found, line);
  found->state = after;
}

}  // namespace tessaly
