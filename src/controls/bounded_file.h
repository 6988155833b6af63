// Reading a whole file that the program keeps (settings, edit history, job files)
// with a limit on its size. Only a regular file is read: a FIFO, device, socket or
// folder at the file's name is refused at once instead of blocking the program or
// feeding it without end, and a file above the limit is refused before its bytes take
// memory. The open never blocks, and the type is checked on the opened file itself,
// so the file checked is the file read.
#pragma once

#include <QByteArray>
#include <QString>

namespace tessaly {

enum class FileRead { kRead, kMissing, kNotRegular, kFolder, kTooLarge, kUnreadable };

// Reads the file at `path` (symlinks followed) into `bytes` when it is a regular file
// of at most `max_bytes` bytes. Otherwise `bytes` is empty and `reason` (when given)
// says what the file is, to follow its name: "is not a regular file", "is a folder",
// "is larger than 16 MB", or "cannot be read (No such file or directory)" with the
// system's text. kMissing is a name without an entry (or a dangling link).
FileRead ReadBoundedFile(const QString& path, qint64 max_bytes, QByteArray& bytes,
                         QString* reason = nullptr);

}  // namespace tessaly
