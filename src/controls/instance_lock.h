// The lock that keeps one window program running per user: a QLockFile at
// $XDG_RUNTIME_DIR/tessaly.lock, or in the cache folder (tessaly/tessaly.lock under
// $XDG_CACHE_HOME or ~/.cache) when there is no runtime folder. A lock left by a
// process that has ended is recovered; a lock held by a running one refuses the
// start with "Another instance of the application is already running.".
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace tessaly {

QString InstanceLockPath();
// The refusal when a folder or another non-file holds the lock's name.
QString LockNotAFileText(const QString& path, bool folder);

class InstanceLock {
 public:
  explicit InstanceLock(const QString& path = InstanceLockPath());
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock; when another instance holds it, shows the refusal through the
  // Ui service and returns false. True at once when already held by this object,
  // and true without a lock when the lock file cannot be written at all.
  bool Acquire();

 private:
  QString path_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace tessaly
