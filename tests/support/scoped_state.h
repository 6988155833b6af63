// Test helpers that change program-wide state for one scope and put it back: the
// edit history's root folder and the default locale; and writing a whole file.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QString>

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

// Replaces the file's content with `bytes`; fails the test when it cannot.
inline void PutFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

}  // namespace tessaly::test
