// PhotoView: the view of one photo record. It fills the space its window gives it
// and shows the record's square of S + 4 screen pixels enlarged to fit (the zoom,
// never below 1) and centred: the picture box Picture1 (the record's edited screen
// picture) with the crop frame ShpCrop drawn over it, hidden in contact-sheet mode.
// Mouse positions are turned into twips of the record's unenlarged picture (15 per
// pixel), so crop units never depend on the zoom, and handed to the record's crop
// frame, which decides drags and pointers; the view only draws and raises events.
// The record is not owned and must outlive the view or be replaced first.
#pragma once

#include <QWidget>

#include "job/crop_frame.h"

namespace tessaly {

class MyPicture;

class PhotoView : public QWidget {
  Q_OBJECT

 public:
  explicit PhotoView(QWidget* parent = nullptr);

  // Shows `photo` (null shows an empty view) at its record's size and position.
  void SetPhoto(MyPicture* photo);
  MyPicture* Photo() const { return photo_; }

  // Whether the crop frame follows the pointer; the window turns it off while the job
  // has no photos.
  void SetCropEnabled(bool on) { crop_enabled_ = on; }

  // The record's white-balance pick mode. While it is on the pointer over the picture
  // is the pipette and the crop frame does not move.
  bool WhiteBalanceMode() const;
  void SetWhiteBalanceMode(bool on);

  // Toggles the crop frame between landscape and upright and redraws.
  void RotateCrop();
  // Redraws the record with its edits, then the view.
  void UpdateGraphic();
  // Lays the picture box out again (after a quarter turn) and repaints.
  void Refresh();

  // How many times the record's screen size the photo is shown.
  double Zoom() const { return zoom_; }

  // The pointer the picture box shows now.
  ViewPointer Pointer() const { return pointer_; }

 signals:
  void clicked();
  void doubleClicked();
  // Twips of the picture, or of the view for a press outside the picture.
  void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, double x, double y);
  // Twips of the view (the picture's left and top added).
  void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, double x, double y);
  // Twips of the picture.
  void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, double x, double y);
  // After every drag step of the crop frame, also one that changed nothing.
  void resolutionChanged();
  // The zoom changed (the view was resized or shows another record).
  void zoomChanged(double zoom);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class PictureBoxWidget;
  void PicturePress(QMouseEvent* event);
  void PictureMove(QMouseEvent* event);
  void PictureRelease(QMouseEvent* event);
  // Twips of the record's view square at a point of `widget`.
  QPointF Twips(const QWidget* widget, const QPointF& point) const;
  // Runs the crop frame's pointer step at (x, y) twips and applies its result.
  void PointerStep(bool button_held, double x, double y);
  void ShowPointer(ViewPointer pointer);

  MyPicture* photo_ = nullptr;
  QWidget* picture_ = nullptr;
  ViewPointer pointer_ = ViewPointer::Default;
  bool crop_enabled_ = true;
  double zoom_ = 1.0;
};

}  // namespace tessaly
