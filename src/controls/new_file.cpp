// New files: a hidden temporary file opened exclusively in the target folder, written
// at the device's position with every byte checked, flushed with fsync and a checked
// close, then named with renameat2(RENAME_NOREPLACE) — or, where the file system does
// not offer that, a hard link, which fails on a taken name just the same. A replacing
// commit takes the old file's mode before the flush and renames over it. Opening a
// file in a folder first removes the stale parts that killed runs left there.
#include "controls/new_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <utility>

#include "controls/native_path.h"
#include "controls/part_files.h"
#include "controls/utils.h"

namespace tessaly {
namespace {

// Temporary names are random; a clash with another program's file is retried this
// many times before the folder counts as unusable.
constexpr int kTempNameAttempts = 16;

}  // namespace

bool NameTaken(const QString& path) {
  struct stat info {};
  return ::lstat(NativePath(path).constData(), &info) == 0;
}

int NewFileRefusal(const QString& folder) {
  const QByteArray path = NativePath(folder);
  const int fd = ::open(path.constData(), O_WRONLY | O_TMPFILE | O_CLOEXEC, 0600);
  if (fd >= 0) {
    ::close(fd);
    return 0;
  }
  if (errno != EOPNOTSUPP && errno != EISDIR) return errno;
  return ::access(path.constData(), W_OK | X_OK) == 0 ? 0 : errno;
}

class NewFile::CheckedDevice : public QIODevice {
 public:
  explicit CheckedDevice(int fd) : fd_(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

  int Error() const { return error_; }
  bool isSequential() const override { return false; }
  qint64 size() const override { return end_; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  // After a failure the rest is taken and dropped: the file has failed and Commit
  // says so, while an image writer runs to its end instead of taking its library's
  // error path, which loses memory in some of them.
  qint64 writeData(const char* data, qint64 length) override {
    if (error_ != 0) return length;
    const qint64 at = pos();
    for (qint64 done = 0; done < length;) {
      const ssize_t n = ::pwrite(fd_, data + done, static_cast<size_t>(length - done), at + done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        error_ = n < 0 ? errno : EIO;
        setErrorString(SystemErrorText(error_));
        return length;
      }
      done += n;
    }
    end_ = std::max(end_, at + length);
    return length;
  }

 private:
  int fd_;
  int error_ = 0;
  qint64 end_ = 0;
};

NewFile::NewFile() = default;

NewFile::~NewFile() {
  Cancel();
}

bool NewFile::Open(const QString& folder) {
  Cancel();
  error_ = 0;
  folder_fd_ = ::open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd_ < 0) {
    error_ = errno;
    return false;
  }
  RemoveStaleParts(folder_fd_);
  for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    temp_name_ = NewPartName();
    fd_ = ::openat(folder_fd_, temp_name_.constData(),
                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      device_ = std::make_unique<CheckedDevice>(fd_);
      return true;
    }
    if (errno != EEXIST) break;
  }
  error_ = errno;
  temp_name_.clear();
  Cancel();
  return false;
}

QIODevice& NewFile::Device() {
  if (!device_) device_ = std::make_unique<CheckedDevice>(-1);
  return *device_;
}

bool NewFile::Flush() {
  if (flushed_) return true;
  if (fd_ < 0) {
    error_ = EBADF;
    return false;
  }
  if (device_->Error() != 0) {
    error_ = device_->Error();
    return false;
  }
  const bool synced = ::fsync(fd_) == 0;
  if (!synced) error_ = errno;
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0 && synced) error_ = errno;
  flushed_ = error_ == 0;
  return flushed_;
}

bool NewFile::Commit(const QString& name) {
  error_ = 0;
  if (temp_name_.isEmpty() || !Flush()) {
    if (error_ == 0) error_ = EBADF;
    return false;
  }
  const QByteArray target = NativePath(name);
  if (target.isEmpty() || target.contains('/')) {
    error_ = EINVAL;
    return false;
  }
  if (::renameat2(folder_fd_, temp_name_.constData(), folder_fd_, target.constData(),
                  RENAME_NOREPLACE) == 0) {
    temp_name_.clear();
    Cancel();
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
    error_ = errno;
    return false;
  }
  if (::linkat(folder_fd_, temp_name_.constData(), folder_fd_, target.constData(), 0) != 0) {
    error_ = errno;
    return false;
  }
  Cancel();
  return true;
}

bool NewFile::CommitReplacing(const QString& name) {
  error_ = 0;
  const QByteArray target = NativePath(name);
  if (temp_name_.isEmpty()) {
    error_ = EBADF;
  } else if (target.isEmpty() || target.contains('/')) {
    error_ = EINVAL;
  } else {
    struct stat old {};
    const bool keep_mode =
        ::fstatat(folder_fd_, target.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(old.st_mode);
    const mode_t mode = old.st_mode & 07777;
    if (keep_mode && (fd_ >= 0 ? ::fchmod(fd_, mode)
                               : ::fchmodat(folder_fd_, temp_name_.constData(), mode, 0)) != 0) {
      error_ = errno;
    }
    if (error_ == 0 && Flush() &&
        ::renameat(folder_fd_, temp_name_.constData(), folder_fd_, target.constData()) == 0) {
      temp_name_.clear();
      Cancel();
      return true;
    }
    if (error_ == 0) error_ = errno;
  }
  Cancel();
  return false;
}

void NewFile::Cancel() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  if (!temp_name_.isEmpty() && folder_fd_ >= 0) ::unlinkat(folder_fd_, temp_name_.constData(), 0);
  temp_name_.clear();
  if (folder_fd_ >= 0) ::close(std::exchange(folder_fd_, -1));
  device_.reset();
  flushed_ = false;
}

}  // namespace tessaly
