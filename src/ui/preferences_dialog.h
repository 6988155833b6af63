// The "Other Preferences" window (frmPreferences): the unit, the date mask with its
// example, the screen photo size, upright reading and GPS in saved files, over the preferences
// rules of the core, which fill the fields on opening and store what changed on Ok.
#pragma once

#include <QDialog>

#include "job/job_settings.h"
#include "job/preferences.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace tessaly {

class PreferencesDialog : public QDialog {
  Q_OBJECT

 public:
  // `settings` (the program-wide settings) takes the changes on Ok; `file` is written.
  PreferencesDialog(JobSettings& settings, const QString& file, QWidget* parent = nullptr);

 private:
  void BuildLayout();
  void Show(const PreferencesFields& fields);
  PreferencesFields Fields() const;
  void ShowExample();
  void Confirm();

  JobSettings& settings_;
  QString file_;
  QComboBox* units_ = nullptr;
  QComboBox* date_mask_ = nullptr;
  QComboBox* screen_size_ = nullptr;
  QCheckBox* upright_ = nullptr;
  QCheckBox* save_gps_ = nullptr;
  QLabel* example_ = nullptr;
};

// Opens the preferences modally over `parent`; true when confirmed.
bool RunPreferences(QWidget* parent, JobSettings& settings,
                    const QString& file = SettingsFilePath());

}  // namespace tessaly
