// Writing a file through a hidden part file in its folder (see part_files.h). Commit
// flushes it and links it under its name, failing when anything (even a dangling link)
// holds the name: nothing there is replaced or written through. CommitReplacing renames
// it over the name instead, so the old file stays whole until the new one is complete.
// A failed or dropped file leaves nothing behind. Failures keep the system's errno.
#pragma once

#include <QIODevice>
#include <QString>
#include <memory>

namespace tessaly {

// True when the folder holds an entry of that name, whatever it is: a symlink counts
// even when it points nowhere. A name that cannot be looked at counts as free.
bool NameTaken(const QString& path);

// The errno that stops `folder` from taking a new file, 0 when it can take one. The
// check makes no entry in any folder: an unnamed file that vanishes when closed, or,
// where the file system has none, the folder's permissions.
int NewFileRefusal(const QString& folder);

class NewFile {
 public:
  NewFile();
  ~NewFile();  // drops an uncommitted file
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  // Starts a file in `folder` (the folder itself may be reached through a symlink);
  // false, with Error() set, when the folder cannot take one.
  bool Open(const QString& folder);
  // The unbuffered device over the open file (before Open, one whose file has
  // failed). Every byte it is given is written or the file has failed: a short write
  // is a failure, and what comes after it is dropped; Commit then fails.
  QIODevice& Device();
  // Flushes the file to the disk and names it `name` (no folder part) in its folder.
  // False when a write, the flush or the link failed; Error() is then EEXIST when the
  // name was taken, and the file stays open so that another name can be tried.
  bool Commit(const QString& name);
  // Flushes the file to the disk, gives it the mode of the file `name` when there is
  // one, and renames it over `name`, so the old file stays whole until the new one is
  // complete. False when a write, the flush or the rename failed; the file is then
  // dropped and the old one left as it was.
  bool CommitReplacing(const QString& name);
  // Drops the file.
  void Cancel();
  // The errno of the last failure; 0 when there was none.
  int Error() const { return error_; }

 private:
  class CheckedDevice;
  bool Flush();
  void Close();

  int folder_fd_ = -1;
  int fd_ = -1;
  bool flushed_ = false;
  QByteArray temp_name_;
  std::unique_ptr<CheckedDevice> device_;
  int error_ = 0;
};

}  // namespace tessaly
