// The commands on the current photo: turning it or its crop, the white-balance
// pick on the view, removing it or every photo, and its information window, which
// follows the current photo while it is open. Each redraws what the change shows:
// the view, the histogram, the strip's thumbnail and marks, the label check.
#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace tessaly {

class EditSide;
class ImageInfoWindow;
class PhotoListModel;
class PhotoPane;

class PhotoCommands : public QObject {
  Q_OBJECT

 public:
  // Every part outlives the commands; `white_balance` is the white-balance action,
  // switched off after a pick; `window` is their parent.
  PhotoCommands(PhotoListModel& photos, PhotoPane& pane, EditSide& side, QAction& white_balance,
                QWidget* window);

  ImageInfoWindow& Info() const { return *info_; }
  // Turns the current photo by `step` degrees (+90 clockwise, −90 counter-clockwise).
  void Rotate(int step);
  void RotateCrop();
  // A left press on the view while the white-balance pick is on.
  void Pick(Qt::MouseButton button, double x, double y);
  void Remove();
  // Asks first; the window is blocked while the photos go.
  void RemoveAll();
  void ShowInfo();
  // Shows the current photo's information again when its window is open.
  void RefreshInfo();
  // Repaints the photo and its histogram after its record changed.
  void Redrawn();

 private:
  PhotoListModel& photos_;
  PhotoPane& pane_;
  EditSide& side_;
  QAction& white_balance_;
  QWidget* window_;
  ImageInfoWindow* info_;
};

}  // namespace tessaly
