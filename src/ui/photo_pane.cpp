// Layout of the photo side and its following of the current photo.
#include "ui/photo_pane.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "controls/ui_text.h"
#include "settings/settings_file.h"
#include "ui/elided_label.h"
#include "ui/photo_view.h"
#include "ui/sharp_screen_copy.h"
#include "ui/thumbnail_strip.h"

namespace tessaly {
namespace {

// The strip's cells take its height less the scroll row and the number labels.
constexpr int kStripHeight = 124;
// An enlarged photo is decoded anew for the device pixels it covers, up to a bound
// that keeps its screen pixels small beside the photo itself.
constexpr int kMostScreenPixels = 4096;

}  // namespace

PhotoPane::PhotoPane(PhotoListModel& photos, QWidget* parent) : QWidget(parent), photos_(photos) {
  // The photo view takes this area, at least as large as the record's view square
  // (screen photo size and its frame); the view enlarges the photo to fill it.
  auto* photo_area = new QWidget(this);
  photo_area->setObjectName(QStringLiteral("photoArea"));
  const int side = photos_.Job().Settings().ScreenPhotoSize + 4;
  photo_area->setMinimumSize(side, side);
  view_ = new PhotoView(photo_area);
  auto* view_layout = new QVBoxLayout(photo_area);
  view_layout->setContentsMargins(0, 0, 0, 0);
  view_layout->addWidget(view_);
  thumb_mode_ = new QPlainTextEdit(UiText(kContactSheetNotice), photo_area);
  thumb_mode_->setObjectName(QStringLiteral("txtThumbMode"));
  thumb_mode_->setReadOnly(true);
  thumb_mode_->setFixedSize(260, 80);
  thumb_mode_->hide();
  sharp_ = new SharpScreenCopy(
      [this](const QString& file, cDIB& copy) {
        MyPicture* photo = photos_.CurrentPhoto();
        if (!photo || photo->Filename() != file || !photo->ReplaceScreenPixels(copy)) return;
        view_->Refresh();
        emit pictureReplaced();
      },
      this);
  connect(view_, &PhotoView::zoomChanged, this, &PhotoPane::RequestSharpCopy);
  connect(view_, &PhotoView::resolutionChanged, this, [this] {
    CurrentResized();
    emit resolutionChanged();
  });
  strip_ = new ThumbnailStrip(photos_, this);
  strip_->setFixedHeight(kStripHeight);
  file_info_ = new ElidedLabel(this);
  file_info_->setObjectName(QStringLiteral("lblFileInfo"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(photo_area, 1);
  layout->addWidget(strip_);
  layout->addWidget(file_info_);
  SetEditable(false);
}

void PhotoPane::ShowCurrent() {
  MyPicture* photo = photos_.CurrentPhoto();
  if (MyPicture* previous = view_->Photo()) {
    previous->SetWhiteBalanceMode(false);
    if (previous != photo) {
      previous->ShrinkScreenPixels();
      previous->ReleaseScreenPicture();
    }
  }
  view_->SetPhoto(photo);
  if (!photo) {
    sharp_->Forget();
    thumb_mode_->hide();
    file_info_->SetFullText(QString());
    return SetEditable(false);
  }
  view_->UpdateGraphic();
  RequestSharpCopy();
  SetFileInfoText();
  if (photos_.Job().Settings().ThumbMode) thumb_mode_->raise();
}

void PhotoPane::SetEditable(bool on) {
  view_->SetCropEnabled(on);
  strip_->setEnabled(on);
}

void PhotoPane::MarkSoftPhotos() {
  soft_limit_ = LowResolutionLimit(SettingsFilePath());
  for (int i = 0; i < photos_.rowCount(); ++i) MarkSoftPhoto(i);
  SetFileInfoText();
}

void PhotoPane::CurrentResized() {
  MarkSoftPhoto(photos_.Current());
  SetFileInfoText();
}

void PhotoPane::MarkSoftPhoto(int position) {
  MyPictureManager& job = photos_.Job();
  if (position < 0 || position >= job.Count()) return;
  strip_->SetMarked(position, !job.Settings().ThumbMode &&
                                  LowResolution(job.At(position).PrintResolution(), soft_limit_));
}

void PhotoPane::SetFileInfoText() {
  file_info_->SetFullText(FileInfoText(photos_.Job(), photos_.Current(), soft_limit_));
}

void PhotoPane::ShowContactSheetNotice() {
  thumb_mode_->setVisible(photos_.Job().Settings().ThumbMode && photos_.rowCount() > 0);
  if (thumb_mode_->isVisible()) thumb_mode_->raise();
}

void PhotoPane::RequestSharpCopy() {
  const MyPicture* photo = photos_.CurrentPhoto();
  if (!photo) return sharp_->Forget();
  const int wanted = std::min(
      kMostScreenPixels,
      static_cast<int>(std::lround(photo->ScreenSize() * devicePixelRatioF() * view_->Zoom())));
  if (wanted <= static_cast<int>(std::lround(photo->ScreenSize() * photo->PixelRatio()))) return;
  sharp_->Request(photo->Filename(), wanted);
}

}  // namespace tessaly
