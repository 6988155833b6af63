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

InstanceLock::InstanceLock(const QString& path) : path_(path) {}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::Acquire() {
  if (lock_ && lock_->isLocked()) return true;
  QDir().mkpath(QFileInfo(path_).absolutePath());
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
