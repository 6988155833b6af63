// The edit history's month files, each read once per run: the first lookup reads the
// file whole (a regular file of at most kMaxHistoryFileBytes) and keeps each photo's
// last record. A file whose identity, size or modification time changed (another
// program appended) is read again; month files are only appended to, so nothing else
// is looked for. This program's appends join the index unread. A file with a line that
// is not a record finds nothing for any photo, as reading it line by line would.
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
