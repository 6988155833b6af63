// The photo size editor's window (frmUserSize): five fields in the display unit over
// a PhotoSizeEditor, which keeps them consistent and checks the size on Ok. The
// window only shows the editor's fields, passes the user's edits and clicks to it and
// puts the focus on the field a failed check names.
#pragma once

#include <QDialog>

#include "settings/photo_size_editor.h"

class QLayout;
class QLineEdit;

namespace tessaly {

class PhotoSizeDialog : public QDialog {
  Q_OBJECT

 public:
  PhotoSizeDialog(PhotoSizeEditor editor, QWidget* parent = nullptr);

  // The confirmed size in millimetres (valid after the dialog was accepted).
  const PhotoSize& Size() const { return size_; }

 private:
  void BuildLayout();
  QLayout* BuildGrid();
  void Show(const PhotoSizeFields& fields);
  PhotoSizeFields Fields() const;
  // The field-to-box map: the box that shows `field`.
  QLineEdit* Box(PhotoSizeField field) const;
  void LeaveMargins();
  void Confirm();

  PhotoSizeEditor editor_;
  QLineEdit* boxes_[5] = {};
  PhotoSize size_;
};

// Opens the editor modally over `parent`; true with `size` (mm) when confirmed.
bool RunPhotoSizeDialog(QWidget* parent, PhotoSizeEditor editor, PhotoSize& size);

}  // namespace tessaly
