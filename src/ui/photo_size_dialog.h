// The photo size editor's window (frmUserSize): five fields in the display unit over
// a PhotoSizeEditor, which keeps them consistent, filters the typed keys and checks
// the size on Ok. The window only shows the editor's texts and passes the user's
// keys, edits and clicks to it.
#pragma once

#include <QDialog>

#include "settings/photo_size_editor.h"

class QLineEdit;

namespace tessaly {

class PhotoSizeDialog : public QDialog {
  Q_OBJECT

 public:
  PhotoSizeDialog(PhotoSizeEditor editor, QWidget* parent = nullptr);

  // The confirmed size in millimetres (valid after the dialog was accepted).
  const PhotoSize& Size() const { return size_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* Edit(PhotoSizeEditor::Field field) const;
  void ShowTexts();
  void LeaveMargins();
  void Confirm();

  PhotoSizeEditor editor_;
  QLineEdit* edits_[5] = {};
  PhotoSize size_;
};

// Opens the editor modally over `parent`; true with `size` (mm) when confirmed.
bool RunPhotoSizeDialog(QWidget* parent, PhotoSizeEditor editor, PhotoSize& size);

}  // namespace tessaly
