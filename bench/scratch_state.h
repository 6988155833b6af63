// Program-wide state a benchmark must not leave behind: the edit history's root and
// the settings file are pointed into a scratch folder for the benchmark's lifetime
// and put back when it ends, so a run never touches the user's own.
#pragma once

#include <QDir>
#include <QString>

#include "job/history_store.h"
#include "settings/settings_file.h"

namespace tessaly::bench {

class ScratchState {
 public:
  explicit ScratchState(const QString& folder)
      : history_(HistoryRoot()), settings_(SettingsFilePath()) {
    SetHistoryRoot(QDir(folder).filePath(QStringLiteral("history")));
    SetSettingsFilePath(QDir(folder).filePath(QStringLiteral("settings.ini")));
  }
  ~ScratchState() {
    SetHistoryRoot(history_);
    SetSettingsFilePath(settings_);
  }
  ScratchState(const ScratchState&) = delete;
  ScratchState& operator=(const ScratchState&) = delete;

 private:
  QString history_;
  QString settings_;
};

}  // namespace tessaly::bench
