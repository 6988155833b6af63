// ThumbnailStrip (MyTumbs1): a view of the photo-list model, the numbered
// thumbnails of the job's photos in job order, the current one marked, with the scroll bar
// hsTumbsScroll and the buttons cmdPrevious, cmdNext and cmdCenter. The cells are painted by one
// inner container (TumbContainer, inside the visible window ContainerContainer) rather than made of
// a picture box and a label widget each, so a job of a thousand photos costs one
// small cached pixmap per photo and a paint of the cells on screen; tests and
// assistive tools read the cells through LabelText, CellPicture and the accessible
// description. Cells follow the strip's height; a drawing made at one cell size is
// scaled when the strip is resized. A marked cell (a photo that prints soft) shows
// a warning corner, and its mark is part of the accessible description while it is
// active. The arithmetic is the core's ThumbnailStripState.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <vector>

#include "workspace/photo_list_model.h"
#include "workspace/thumbnail_strip_rules.h"

class QPushButton;
class QScrollBar;

namespace tessaly {

class ThumbnailStrip : public QWidget {
  Q_OBJECT

 public:
  // Shows the rows and the current photo of `photos`, which outlives the strip; a
  // click, the arrow keys and the buttons make another photo current.
  explicit ThumbnailStrip(PhotoListModel& photos, QWidget* parent = nullptr);

  int NumberImages() const { return state_.Count(); }
  int ActiveImageNumber() const { return state_.Active(); }

  // Marks or unmarks the cell at `position` as printing soft.
  void SetMarked(int position, bool marked);
  bool Marked(int position) const;
  // Makes the thumbnail at `position` current, as a click on it does.
  void ActivateTumb(int position);
  // Scrolls the strip so that the active thumbnail is in the middle.
  void cmdCenter_Click();

  // The number label and the kept drawing of the cell at `position`.
  QString LabelText(int position) const;
  const QPixmap& CellPicture(int position) const;
  int CellSize() const { return cell_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  friend class TumbContainer;
  // The model's changes: rows appended or removed, a thumbnail drawn anew, another
  // current photo.
  void Inserted(int first, int last);
  void Removed(int first, int last);
  void Redrawn(int first, int last);
  void Follow(int current);
  void Next();
  void Previous();
  // The accessible description: the active photo's place and mark.
  void Describe();
  // Scroll bar range and value and the inner container's place from the state.
  void SyncScroll();
  QPixmap CellDrawing(const QImage& picture) const;
  void LayOut();
  int Visible() const;

  PhotoListModel& photos_;
  ThumbnailStripState state_;
  std::vector<QPixmap> cells_;
  std::vector<bool> marked_;
  int cell_ = 0;
  int label_height_ = 0;
  QWidget* outer_;
  QWidget* inner_;
  QScrollBar* scroll_;
  QPushButton* previous_;
  QPushButton* next_;
  QPushButton* center_;
};

}  // namespace tessaly
