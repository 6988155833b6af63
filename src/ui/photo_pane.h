// The main window's photo side: the view of the current photo (growing with the
// space it is given, its sharper screen copy decoded in the background), the
// contact-sheet notice over it, the thumbnail strip and the file-information line
// with the low-resolution mark. It follows the photo-list model's current photo;
// a photo that is no longer shown goes back to its loaded pixels.
#pragma once

#include <QWidget>

#include "workspace/main_window_rules.h"
#include "workspace/photo_list_model.h"

class QPlainTextEdit;

namespace tessaly {

class ElidedLabel;
class PhotoView;
class SharpScreenCopy;
class ThumbnailStrip;

class PhotoPane : public QWidget {
  Q_OBJECT

 public:
  // `photos` outlives the pane.
  explicit PhotoPane(PhotoListModel& photos, QWidget* parent = nullptr);

  PhotoView* View() const { return view_; }
  // Shows the model's current photo, or nothing in an empty job (then the photos
  // can be neither cropped nor stepped through).
  void ShowCurrent();
  // Lets the photos be cropped and stepped through once photos are added.
  void SetEditable(bool on);
  // Reads the low-resolution limit anew, marks in the strip every photo that prints
  // below it and writes the information line.
  void MarkSoftPhotos();
  // The current photo's print resolution changed (turned, its crop turned).
  void CurrentResized();
  // The notice shows while the job is in contact-sheet mode and has photos.
  void ShowContactSheetNotice();

 signals:
  // The shown picture was redrawn from a sharper copy.
  void pictureReplaced();
  // A crop drag changed the current photo's print resolution.
  void resolutionChanged();

 private:
  void MarkSoftPhoto(int position);
  void SetFileInfoText();
  // Asks for the shown photo's screen copy at the device pixels the enlarged view
  // covers, when it holds fewer.
  void RequestSharpCopy();

  PhotoListModel& photos_;
  int soft_limit_ = kLowResolutionPpi;
  PhotoView* view_;
  QPlainTextEdit* thumb_mode_;
  SharpScreenCopy* sharp_;
  ThumbnailStrip* strip_;
  ElidedLabel* file_info_;
};

}  // namespace tessaly
