// The edit history's month files, each read once per run: the first lookup in a
// month file reads it whole (a regular file of at most kMaxHistoryFileBytes) and keeps
// the last record of every photo in it. The index is read again when the file is no
// longer the one it was built from: another file at the name, another size (another
// running program appended) or modification time. Month files are only ever appended
// to, so a change that keeps all three is not looked for. A record this program
// appends is added to the index without a read. A file with any line that is not a
// record finds nothing for any photo, as reading it line by line would.
#pragma once

#include <sys/stat.h>

#include <QString>

#include "job/history_store.h"

namespace tessaly {

// The largest month file read: a record is about 80 bytes, so this holds far more
// prints than a month of a busy shop.
inline constexpr qint64 kMaxHistoryFileBytes = 64 * 1024 * 1024;

// The last record of the photo `key` + `stored_name` (the name as HistoryText stores
// it) in the month file at `path`. False, with `line` untouched, when there is none,
// the file cannot be read or is refused, or any of its lines is not a record.
bool FindHistoryRecord(const QString& path, const HistoryKey& key, const QString& stored_name,
                       HistoryLine& line);

// Tells the index that `line` was appended to the month file at `path`, which was
// `before` until the append and is `after` now. An index built from `before` takes
// the line; any other is dropped and read again at the next lookup.
void NoteHistoryAppend(const QString& path, const struct stat& before, const struct stat& after,
                       const HistoryLine& line);

}  // namespace tessaly
