// The single-instance lock file and its refusal message.
#include "controls/instance_lock.h"

#include <QDir>
#include <QFileInfo>

#include "controls/ui_service.h"

namespace tessaly {

QString InstanceLockPath() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime + "/tessaly.lock";
  QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
  if (cache.isEmpty()) cache = QDir::homePath() + "/.cache";
  return cache + "/tessaly/tessaly.lock";
}

QString LockNotAFileText(const QString& path, bool folder) {
  return QStringLiteral(
             "Tessaly cannot start: its lock file %1 is %2, so it cannot tell whether "
             "it is already running. Remove it and start Tessaly again.")
      .arg(QDir::toNativeSeparators(path),
           folder ? QStringLiteral("a folder") : QStringLiteral("not a regular file"));
}

InstanceLock::InstanceLock(const QString& path) : path_(path) {}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::Acquire() {
  if (lock_ && lock_->isLocked()) return true;
  // Something other than a file at the lock's name (a folder, a FIFO) would pass for
  // a lock held by another instance: say what is there instead.
  const QFileInfo at(path_);
  if (at.exists() && !at.isFile()) {
    CurrentUi().MessageBox(LockNotAFileText(path_, at.isDir()), MsgButtons::Ok,
                           MsgIcon::Exclamation);
    return false;
  }
  QDir().mkpath(at.absolutePath());
  lock_ = std::make_unique<QLockFile>(path_);
  // Only a lock whose process has ended is stale, however old it is: a long run of
  // the program must keep its lock.
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) return true;
  const bool held_by_another = lock_->error() == QLockFile::LockFailedError;
  lock_.reset();
  // A folder where no lock can be written at all must not keep the program from
  // starting; only a lock that another instance holds refuses.
  if (!held_by_another) return true;
  CurrentUi().MessageBox(QStringLiteral("Another instance of the application is already running."),
                         MsgButtons::Ok, MsgIcon::Exclamation);
  return false;
}

}  // namespace tessaly
