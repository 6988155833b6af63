// Layout of the edit side and the buttons of the window's commands.
#include "ui/edit_side.h"

#include <QAction>
#include <QGridLayout>
#include <QVBoxLayout>

#include "job/my_picture.h"
#include "ui/button_on_off.h"
#include "ui/edit_panel.h"
#include "ui/histogram_view.h"
#include "ui/window_actions.h"

namespace tessaly {

EditSide::EditSide(const JobSettings& settings, const WindowActions& actions, QWidget* parent)
    : QWidget(parent),
      histogram_(new HistogramView(this)),
      panel_(new EditPanel(settings, actions, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(histogram_);
  layout->addWidget(panel_);
  layout->addWidget(BuildCommands(actions));
  layout->addStretch();
  ShowPhoto(nullptr);
}

QWidget* EditSide::BuildCommands(const WindowActions& actions) {
  auto* box = new QWidget(this);
  box->setObjectName(QStringLiteral("commandContainer"));
  auto* layout = new QGridLayout(box);
  using C = WindowCommand;
  // In the order of the tab chain: the photo commands, then the job's.
  constexpr C kButtons[] = {C::kAddPhotos, C::kRemove, C::kInfo, C::kJobSettings, C::kPreview,
                            C::kPrint,     C::kSave,   C::kHelp, C::kAbout,       C::kExit};
  constexpr int kColumns = 5;
  int i = 0;
  for (C command : kButtons) {
    ButtonOnOff* button = actions.Button(command, box);
    layout->addWidget(button, i / kColumns, i % kColumns);
    ++i;
    if (command == C::kRemove)
      connect(button, &ButtonOnOff::RightButtonUp, actions.At(C::kRemoveAll), &QAction::trigger);
  }
  return box;
}

void EditSide::ShowPhoto(MyPicture* photo) {
  panel_->ShowPhoto(photo);
  if (photo) return ShowHistogram(*photo);
  panel_->setEnabled(false);
  histogram_->Clear_Histogram();
}

void EditSide::ShowHistogram(const MyPicture& photo) {
  histogram_->SetHistogramArray(photo.Histogram());
}

}  // namespace tessaly
