// The current photo's commands over the photo list, the view and the edit side.
#include "ui/photo_commands.h"

#include <QAction>
#include <QWidget>

#include "colour/colour_profiles.h"
#include "colour/display_profile.h"
#include "controls/ui_service.h"
#include "controls/ui_text.h"
#include "ui/edit_panel.h"
#include "ui/edit_side.h"
#include "ui/image_info_window.h"
#include "ui/photo_pane.h"
#include "ui/photo_view.h"
#include "ui/window_block.h"
#include "workspace/image_info_report.h"
#include "workspace/main_window_rules.h"
#include "workspace/photo_list_model.h"
#include "workspace/white_balance_pick.h"

namespace tessaly {

PhotoCommands::PhotoCommands(PhotoListModel& photos, PhotoPane& pane, EditSide& side,
                             QAction& white_balance, QWidget* window)
    : QObject(window),
      photos_(photos),
      pane_(pane),
      side_(side),
      white_balance_(white_balance),
      window_(window),
      info_(new ImageInfoWindow(window)) {}

void PhotoCommands::Rotate(int step) {
  MyPicture* photo = photos_.CurrentPhoto();
  if (!photo) return;
  photo->Rotate(step);
  photos_.SetThumbnail(photos_.Current(), photo->picture().picture);
  Redrawn();
  pane_.CurrentResized();
  side_.Panel()->CheckLabelLength();
}

void PhotoCommands::RotateCrop() {
  pane_.View()->RotateCrop();
  pane_.CurrentResized();
  side_.Panel()->CheckLabelLength();
}

void PhotoCommands::Pick(Qt::MouseButton button, double x, double y) {
  MyPicture* photo = photos_.CurrentPhoto();
  if (!photo || button != Qt::LeftButton || !photo->WhiteBalanceMode()) return;
  const WhiteBalanceAdjust adjust = PickWhiteBalance(*photo, x, y);
  Redrawn();
  side_.Panel()->ShowPickedBalance(adjust);
  white_balance_.setChecked(false);
}

void PhotoCommands::Remove() {
  if (!photos_.CurrentPhoto()) return;
  // The view and the panel let go of the record before it is destroyed.
  pane_.View()->SetPhoto(nullptr);
  side_.Panel()->ShowPhoto(nullptr);
  photos_.RemoveCurrent();
}

void PhotoCommands::RemoveAll() {
  if (photos_.rowCount() == 0) return;
  if (CurrentUi().MessageBox(UiText(kRemoveAllQuestion), MsgButtons::YesNo, MsgIcon::Question) !=
      MsgAnswer::Yes)
    return;
  // Nothing else may start on the job while the loop lets messages run.
  const WindowBlock busy(window_);
  while (photos_.rowCount() > 0) {
    Remove();
    CurrentUi().LetMessagesRun();
  }
}

void PhotoCommands::ShowInfo() {
  const MyPicture* photo = photos_.CurrentPhoto();
  if (!photo) return;
  info_->ShowInfo(ImageInfoReport(*photo, photos_.Job().Settings().Units,
                                  ProfileDescription(DisplayProfile())));
}

void PhotoCommands::RefreshInfo() {
  if (info_->isVisible()) ShowInfo();
}

void PhotoCommands::Redrawn() {
  pane_.View()->Refresh();
  if (const MyPicture* photo = photos_.CurrentPhoto()) side_.ShowHistogram(*photo);
}

}  // namespace tessaly
