// The main window: layout of the edit panel and the commands, their wiring to the
// job's records, adding and removing photos, start-up and shutdown.
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <functional>
#include <utility>

#include "controls/native_path.h"
#include "controls/ui_service.h"
#include "controls/ui_text.h"
#include "controls/utils.h"
#include "surface/photo_orientation.h"
#include "surface/quarter_turn.h"
#include "ui/about_box.h"
#include "ui/close_on_signal.h"
#include "ui/edit_panel.h"
#include "ui/edit_side.h"
#include "ui/image_info_window.h"
#include "ui/job_runs.h"
#include "ui/job_settings_dialog.h"
#include "ui/open_photos_dialog.h"
#include "ui/photo_commands.h"
#include "ui/photo_pane.h"
#include "ui/photo_sources.h"
#include "ui/photo_view.h"
#include "ui/window_actions.h"
#include "ui/window_block.h"
#include "ui/window_fit.h"

namespace tessaly {

MainWindow::MainWindow(JobSession& session, QWidget* parent)
    : QMainWindow(parent), session_(session), job_(session.Job()), photos_(session.Photos()) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Tessaly"));
  setAcceptDrops(true);
  SetUprightPhotos(job_.Settings().UprightPhotos);
  const int width = ScreenWidth();
  job_.Settings().ScreenPhotoSize = ScreenPhotoSizeInUse(job_.Settings().ScreenPhotoSize, width);
  job_.Settings().ScreenPixelRatio = devicePixelRatioF();

  actions_ = new WindowActions(this);
  BuildContent();
  commands_ =
      new PhotoCommands(photos_, *pane_, *side_, *actions_->At(WindowCommand::kWhiteBalance), this);
  sources_ = new PhotoSources(session_, this);
  runs_ = new JobRuns(session_, this);
  ConnectParts();
  ConnectCommands();
  actions_->FillMenuBar(menuBar());
  ClearEditPanel();
  fit_->Arrange(ArrangementForScreen(width), job_.Settings().ScreenPhotoSize);
}

void MainWindow::BuildContent() {
  auto* central = new QWidget(this);
  auto* main_layout = new QBoxLayout(QBoxLayout::LeftToRight, central);
  main_layout->setObjectName(QStringLiteral("mainLayout"));
  pane_ = new PhotoPane(photos_, central);
  main_layout->addWidget(pane_, 1);
  side_ = new EditSide(job_.Settings(), *actions_, central);
  panel_ = side_->Panel();
  main_layout->addWidget(side_);
  // On a screen smaller than the window's content, the content scrolls instead of
  // running off the screen.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("windowScroll"));
  scroll->setAccessibleName(tr("Window"));
  scroll->setFrameShape(QFrame::NoFrame);
  // Its content's controls take the focus; the area scrolls to show the focused one.
  scroll->setFocusPolicy(Qt::NoFocus);
  scroll->setWidgetResizable(true);
  scroll->setWidget(central);
  setCentralWidget(scroll);
  fit_ = new WindowFit(*this, *scroll, *main_layout);
}

void MainWindow::ConnectParts() {
  connect(pane_->View(), &PhotoView::mouseDown, commands_,
          [this](Qt::MouseButton button, Qt::KeyboardModifiers, double x, double y) {
            commands_->Pick(button, x, y);
          });
  connect(pane_, &PhotoPane::pictureReplaced, commands_, &PhotoCommands::Redrawn);
  connect(pane_, &PhotoPane::resolutionChanged, commands_, &PhotoCommands::RefreshInfo);
  connect(panel_, &EditPanel::edited, commands_, &PhotoCommands::Redrawn);
  connect(&photos_, &PhotoListModel::currentChanged, this, [this] {
    ShowCurrent();
    UpdateActions();
  });
  connect(sources_, &PhotoSources::added, this, [this] {
    ShowCurrent();
    EnableEditControls();
    pane_->ShowContactSheetNotice();
  });
  connect(runs_, &JobRuns::runStarted, &commands_->Info(), &QWidget::hide);
  connect(runs_, &JobRuns::printAsked, this, &MainWindow::OnPrint);
}

void MainWindow::ConnectCommands() {
  using C = WindowCommand;
  const std::pair<C, std::function<void()>> handlers[] = {
      {C::kAddPhotos, [this] { OnAdd(); }},
      {C::kOpenJob,
       [this] {
         if (Allowed(C::kOpenJob)) sources_->OpenJob();
       }},
      {C::kSaveJob,
       [this] {
         if (!Allowed(C::kSaveJob)) return;
         panel_->CommitBoxes();
         sources_->SaveJob();
       }},
      {C::kExit, [this] { close(); }},
      {C::kRotateLeft, [this] { commands_->Rotate(-kQuarterTurn); }},
      {C::kRotateRight, [this] { commands_->Rotate(kQuarterTurn); }},
      {C::kRotateCrop, [this] { commands_->RotateCrop(); }},
      {C::kReset, [this] { panel_->Reset(); }},
      {C::kInfo, [this] { commands_->ShowInfo(); }},
      {C::kRemove, [this] { commands_->Remove(); }},
      {C::kRemoveAll, [this] { commands_->RemoveAll(); }},
      {C::kPreviousPhoto, [this] { SelectPhoto(photos_.Current() - 1); }},
      {C::kNextPhoto, [this] { SelectPhoto(photos_.Current() + 1); }},
      {C::kJobSettings, [this] { OnJobSetup(); }},
      {C::kPreview, [this] { runs_->Preview(); }},
      {C::kPrint, [this] { OnPrint(); }},
      {C::kSave, [this] { runs_->Save(); }},
      {C::kHelp, [this] { OnHelp(); }},
      {C::kShortcuts,
       [] { CurrentUi().MessageBox(ShortcutsText(), MsgButtons::Ok, MsgIcon::Information); }},
      {C::kAbout, [this] { AboutBox::ShowAbout(this); }},
  };
  // A command runs only when the window's state lets it, even when its action was
  // triggered before the states were applied.
  for (const auto& [command, run] : handlers) {
    connect(actions_->At(command), &QAction::triggered, this, [this, command = command, run = run] {
      if (!Allowed(command)) return;
      run();
      UpdateActions();
    });
  }
  connect(actions_->At(C::kWhiteBalance), &QAction::toggled, this, [this](bool on) {
    if (Current()) pane_->View()->SetWhiteBalanceMode(on);
  });
}

CommandStates MainWindow::States() const {
  CommandStates states;
  states.has_photos = job_.Count() > 0;
  states.has_current = photos_.Current() >= 0;
  states.editable = !job_.Settings().ThumbMode;
  states.run_going = runs_ && runs_->Going();
  states.adding = sources_ && sources_->DialogShown();
  return states;
}

bool MainWindow::Allowed(WindowCommand command) const {
  return CommandEnabled(command, States());
}

void MainWindow::UpdateActions() {
  if (actions_) actions_->Apply(States());
}

void MainWindow::Start(const QStringList& files) {
  WarnIfScreenTooSmall(ScreenWidth());
  CurrentUi().LetMessagesRun();
  session_.ListPrinters();
  // Photos named on the command line are added at once with the stored settings;
  // otherwise every run starts by choosing the photo size and then the photos,
  // unless the last job brought its photos back.
  // A close asked for meanwhile (the process told to end) ends the start-up.
  if (files.isEmpty()) {
    const bool loaded = sources_->OfferLastJob();
    if (session_.Closed()) return;
    OnJobSetup();
    CurrentUi().LetMessagesRun();
    if (!loaded && !session_.Closed()) OnAdd();
    return;
  }
  sources_->AddFiles(files);
}

MyPicture* MainWindow::Current() {
  return photos_.CurrentPhoto();
}

void MainWindow::ClearEditPanel() {
  side_->ShowPhoto(nullptr);
  actions_->At(WindowCommand::kWhiteBalance)->setChecked(false);
  UpdateActions();
}

void MainWindow::EnableEditControls() {
  if (job_.Count() == 0) return;
  pane_->MarkSoftPhotos();
  // Contact sheets print the photos as they are: nothing of a photo can be edited.
  panel_->setEnabled(!job_.Settings().ThumbMode);
  pane_->SetEditable(true);
  UpdateActions();
}

void MainWindow::ShowCurrent() {
  pane_->ShowCurrent();
  actions_->At(WindowCommand::kWhiteBalance)->setChecked(false);
  MyPicture* photo = Current();
  if (!photo) {
    commands_->Info().hide();
    return ClearEditPanel();
  }
  side_->ShowPhoto(photo);
  commands_->RefreshInfo();
}

QString MainWindow::InitPath() const {
  return sources_->InitPath();
}

void MainWindow::SetInitPath(const QString& folder) {
  sources_->SetInitPath(folder);
}

void MainWindow::AddFiles(const QStringList& files) {
  sources_->AddFiles(files);
}

OpenPhotosDialog* MainWindow::PhotosDialog() const {
  return sources_->Dialog();
}

void MainWindow::OnAdd() {
  if (Allowed(WindowCommand::kAddPhotos)) sources_->OpenDialog();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  QStringList files;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) files << LocalFileOf(url);
  event->acceptProposedAction();
  sources_->AddFiles(files);
}

void MainWindow::OnJobSetup() {
  session_.ListPrinters();
  if (RunJobSettings(this, session_.Setup(), session_.Printers())) ShowCurrent();
  EnableEditControls();
  pane_->ShowContactSheetNotice();
}

void MainWindow::OnPrint() {
  if (!Allowed(WindowCommand::kPrint)) return;
  runs_->Print();
  // The print options may have set another minimum resolution.
  pane_->MarkSoftPhotos();
}

void MainWindow::OnHelp() {
  ShowHelpPage(job_.Count() > 0 ? QStringLiteral("Edit.htm") : QStringLiteral("Overview.htm"));
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // The save dialog enables the window again when its run has ended.
  if (event->type() != QEvent::EnabledChange) return;
  UpdateActions();
  if (isEnabled() && runs_) runs_->CloseIfAsked();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (runs_->DeferClose()) return event->ignore();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window == this || !window->isVisible()) continue;
    window->close();
    CurrentUi().LetMessagesRun();
  }
  panel_->CommitBoxes();
  // Files not written are named in one message, on standard error when the process
  // is told to end, as nobody is there to answer.
  const QStringList failures = session_.Close(sources_->InitPath());
  if (!failures.isEmpty()) {
    if (EndRequested()) {
      qWarning("%s", qPrintable(failures.join(u'\n')));
    } else {
      CurrentUi().MessageBox(failures.join(QStringLiteral("\n\n")), MsgButtons::Ok,
                             MsgIcon::Exclamation);
    }
  }
  event->accept();
}

}  // namespace tessaly
