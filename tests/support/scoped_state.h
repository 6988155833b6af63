// Test helpers that change program-wide state for one scope and put it back: the
// edit history's root folder, an environment variable, the default locale and the
// largest file the process may write; and writing a whole file.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <csignal>

#include "job/history_store.h"

namespace tessaly::test {

// Points the edit history at a scratch folder and restores the previous root.
class ScopedHistoryRoot {
 public:
  explicit ScopedHistoryRoot(const QString& root) : saved_(HistoryRoot()) { SetHistoryRoot(root); }
  ~ScopedHistoryRoot() { SetHistoryRoot(saved_); }
  ScopedHistoryRoot(const ScopedHistoryRoot&) = delete;
  ScopedHistoryRoot& operator=(const ScopedHistoryRoot&) = delete;

 private:
  QString saved_;
};

// Sets the environment variable `name` to `value`, then restores its value or its
// absence.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), saved_(qgetenv(name)) {
    qputenv(name, value);
  }
  ~ScopedEnv() {
    if (had_)
      qputenv(name_, saved_);
    else
      qunsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  bool had_;
  QByteArray saved_;
};

// Makes `name` the default locale and restores the previous one.
class ScopedLocale {
 public:
  explicit ScopedLocale(const char* name) : saved_(QLocale()) {
    QLocale::setDefault(QLocale(name));
  }
  ~ScopedLocale() { QLocale::setDefault(saved_); }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

 private:
  QLocale saved_;
};

// Caps the size of every file the process writes, as a full disk stops a write: a
// write past `bytes` stores what fits and then fails (EFBIG, with SIGXFSZ ignored).
// Active() is false when the cap could not be set.
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes) : previous_handler_(std::signal(SIGXFSZ, SIG_IGN)) {
    if (::getrlimit(RLIMIT_FSIZE, &saved_) != 0) return;
    rlimit cap = saved_;
    cap.rlim_cur = std::min(bytes, saved_.rlim_max);
    active_ = ::setrlimit(RLIMIT_FSIZE, &cap) == 0;
  }
  ~ScopedFileSizeLimit() {
    if (active_) ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_handler_);
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;
  bool Active() const { return active_; }

 private:
  void (*previous_handler_)(int);
  rlimit saved_{};
  bool active_ = false;
};

// Replaces the file's content with `bytes`; fails the test when it cannot.
inline void PutFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

}  // namespace tessaly::test
