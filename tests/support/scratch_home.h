// A test fixture over a scratch folder for code that keeps program-wide state: the
// edit history in the folder's "history", the settings file "Tesly.ini" in it, and a
// scripted Ui answering every message. Each is put back when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "controls/scripted_ui.h"
#include "settings/settings_file.h"
#include "support/scoped_state.h"

namespace tessaly::test {

// Points the settings file at `path` and restores the previous one.
class ScopedSettingsFile {
 public:
  explicit ScopedSettingsFile(const QString& path) : saved_(SettingsFilePath()) {
    SetSettingsFilePath(path);
  }
  ~ScopedSettingsFile() { SetSettingsFilePath(saved_); }
  ScopedSettingsFile(const ScopedSettingsFile&) = delete;
  ScopedSettingsFile& operator=(const ScopedSettingsFile&) = delete;

 private:
  QString saved_;
};

class ScratchHomeTest : public ::testing::Test {
 protected:
  QString SettingsFile() const { return dir_.filePath(QStringLiteral("Tesly.ini")); }

  QTemporaryDir dir_;
  ScopedHistoryRoot history_{dir_.filePath(QStringLiteral("history"))};
  ScopedSettingsFile settings_file_{SettingsFile()};
  ScriptedUi ui_;
  ScopedUi scoped_ui_{ui_};
};

}  // namespace tessaly::test
