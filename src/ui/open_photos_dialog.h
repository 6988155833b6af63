// The open-photos dialog: a non-native file dialog with the program's preview
// panel beside it. It stays open: every Open adds the chosen files to the job
// (several in their upper-case order), and only Cancel or the close box ends it.
// The folder shown last is kept as the start folder of the next opening. Escape
// while files are loading stops after the photo in hand.
#pragma once

#include <QDialog>
#include <QFileDialog>

#include "job/add_photo.h"
#include "surface/cdib.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace tessaly {

class ButtonOnOff;

// The file dialog inside the open-photos dialog: Open hands the chosen files on
// instead of closing; a folder name still opens the folder.
class PhotoFileDialog : public QFileDialog {
  Q_OBJECT

 public:
  explicit PhotoFileDialog(QWidget* parent);

 signals:
  void FilesChosen(const QStringList& files);

 public slots:
  void accept() override;
};

class OpenPhotosDialog : public QDialog {
  Q_OBJECT

 public:
  // Adds to `job`; every added photo's thumbnail picture goes to `to_strip`.
  OpenPhotosDialog(MyPictureManager& job, const QString& init_path, ThumbnailSink to_strip,
                   QWidget* parent = nullptr);

  // The folder to start in next time: the one the dialog showed last.
  QString InitPath() const;
  // Adds the chosen files (one, or several in their adding order), as Open does.
  void AddChosenFiles(const QStringList& files);
  // Closing stops a loading in progress after the photo in hand.
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The preview beside the file list: its check box, picture, View and Help.
  QWidget* BuildPreviewPanel();
  void Preview(const QString& file);
  void ClearPreview(const QString& message);
  bool AddOne(const QString& file);

  MyPictureManager& job_;
  ThumbnailSink to_strip_;
  PhotoFileDialog* files_;
  QCheckBox* preview_check_;
  QPushButton* view_;
  ButtonOnOff* help_;
  QLabel* picture_;
  QLabel* wait_;
  // The preview's screen copy of `preview_file_`, reused when that file is added.
  cDIB preview_copy_;
  QString preview_file_;
  int preview_w_ = 0;
  int preview_h_ = 0;
  bool loading_ = false;
  bool stop_ = false;
};

}  // namespace tessaly
