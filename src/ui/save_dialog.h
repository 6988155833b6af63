// The save dialog: where and how the job's photos are saved (folder, name template,
// file type, JPEG quality, resolution limits, sharpening). It opens beside the window
// that asked for it, keeps that window disabled while it is open and gives it back
// the focus when it closes. Save All checks the fields (the first failing field gets
// the focus), hides the dialog, runs the save with its progress window, stores the
// fields and closes. Canceled() is true unless Save All ran the save.
#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

#include "save/save_checks.h"
#include "save/save_pipeline.h"
#include "settings/settings_file.h"
#include "ui/window_block.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;

namespace tessaly {

class MyPictureManager;
class ResolutionBoxes;

class SaveDialog : public QDialog {
  Q_OBJECT

 public:
  // `job` must outlive the dialog; the fields are read from and stored in
  // `settings_file`.
  SaveDialog(MyPictureManager& job, QWidget* owner,
             const QString& settings_file = SettingsFilePath());

  // Opens a dialog that deletes itself when closed: fills it from the settings,
  // disables `owner` and shows it without modality, the focus on "Browse...".
  static SaveDialog* OpenForm(MyPictureManager& job, QWidget* owner,
                              const QString& settings_file = SettingsFilePath());

  bool Canceled() const { return canceled_; }
  // True while Save All's run is going.
  bool Saving() const { return saving_; }

 signals:
  // A run ended: its report, the photos it was asked to save and the folder.
  void runEnded(const SaveRunReport& report, int total, const QString& folder);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  QLayout* BuildFileFields();
  QLayout* BuildQualityRow();
  QWidget* BuildTips();
  QLayout* BuildButtonRow();
  void Show(const SaveDialogFields& fields);
  SaveDialogFields Fields() const;
  // The field-to-control map: the control a failed check puts the focus on.
  QWidget* FieldControl(SaveField field) const;
  void QualityTyped(const QString& text);
  void TypePicked(int index);
  void Browse();
  void Save();
  // Enables the owner again and gives it the focus.
  void GiveBackOwner();

  MyPictureManager& job_;
  QPointer<QWidget> owner_;
  std::unique_ptr<WindowBlock> owner_block_;  // the owner stays disabled while it is held
  QString settings_file_;
  bool canceled_ = true;
  bool saving_ = false;
  bool checking_template_ = false;
  QLineEdit* folder_;
  QComboBox* template_;
  QLabel* example_;
  QComboBox* type_;
  QComboBox* quality_preset_;
  QLineEdit* quality_;
  ResolutionBoxes* resolution_;
  QCheckBox* sharpen_;
};

}  // namespace tessaly
