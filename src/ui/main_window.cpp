// The main window: layout of the edit panel and the commands, their wiring to the
// job's records, adding and removing photos, start-up and shutdown.
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QGridLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "colour/colour_profiles.h"
#include "colour/display_profile.h"
#include "controls/common_dialogs.h"
#include "controls/native_path.h"
#include "controls/ui_service.h"
#include "controls/utils.h"
#include "print/job_layout.h"
#include "save/save_checks.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "surface/photo_orientation.h"
#include "surface/quarter_turn.h"
#include "ui/about_box.h"
#include "ui/button_on_off.h"
#include "ui/close_on_signal.h"
#include "ui/edit_panel.h"
#include "ui/elided_label.h"
#include "ui/histogram_view.h"
#include "ui/image_info_window.h"
#include "ui/job_settings_dialog.h"
#include "ui/open_photos_dialog.h"
#include "ui/photo_view.h"
#include "ui/preview_window.h"
#include "ui/print_options_dialog.h"
#include "ui/save_dialog.h"
#include "ui/sharp_screen_copy.h"
#include "ui/thumbnail_strip.h"
#include "ui/window_actions.h"
#include "ui/window_block.h"
#include "workspace/image_info_report.h"
#include "workspace/last_job.h"
#include "workspace/run_summary.h"
#include "workspace/white_balance_pick.h"

namespace tessaly {

namespace {

// The strip's cells take its height less the scroll row and the number labels.
constexpr int kStripHeight = 124;

int ScreenWidth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 1024;
}

}  // namespace

MainWindow::MainWindow(JobSession& session, QWidget* parent)
    : QMainWindow(parent), session_(session), job_(session.Job()), photos_(session.Photos()) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Tessaly"));
  setAcceptDrops(true);
  init_path_ = ReadTextSetting(kOptionsSection, QStringLiteral("InitPath"));
  SetUprightPhotos(job_.Settings().UprightPhotos);
  const int width = ScreenWidth();
  job_.Settings().ScreenPhotoSize = ScreenPhotoSizeInUse(job_.Settings().ScreenPhotoSize, width);
  job_.Settings().ScreenPixelRatio = devicePixelRatioF();

  actions_ = new WindowActions(this);
  auto* central = new QWidget(this);
  auto* main_layout = new QBoxLayout(QBoxLayout::LeftToRight, central);
  main_layout->setObjectName(QStringLiteral("mainLayout"));
  main_layout->addLayout(BuildPhotoSide(central), 1);
  main_layout->addLayout(BuildEditSide(central));
  // On a screen smaller than the window's content, the content scrolls instead of
  // running off the screen.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("windowScroll"));
  scroll->setAccessibleName(QStringLiteral("Window"));
  scroll->setFrameShape(QFrame::NoFrame);
  // Its content's controls take the focus; the area scrolls to show the focused one.
  scroll->setFocusPolicy(Qt::NoFocus);
  scroll->setWidgetResizable(true);
  scroll->setWidget(central);
  setCentralWidget(scroll);
  central->installEventFilter(this);

  info_ = new ImageInfoWindow(this);
  ConnectRun();
  ConnectCommands();
  actions_->FillMenuBar(menuBar());
  ClearEditPanel();
  Arrange(ArrangementForScreen(width));
}

QLayout* MainWindow::BuildPhotoSide(QWidget* central) {
  // The photo view takes this area, at least as large as the record's view square
  // (screen photo size and its frame); the view enlarges the photo to fill it.
  auto* photo_area = new QWidget(central);
  photo_area->setObjectName(QStringLiteral("photoArea"));
  photo_area->setMinimumSize(job_.Settings().ScreenPhotoSize + 4,
                             job_.Settings().ScreenPhotoSize + 4);
  view_ = new PhotoView(photo_area);
  auto* view_layout = new QVBoxLayout(photo_area);
  view_layout->setContentsMargins(0, 0, 0, 0);
  view_layout->addWidget(view_);
  connect(view_, &PhotoView::mouseDown, this,
          [this](Qt::MouseButton button, Qt::KeyboardModifiers, double x, double y) {
            OnViewMouseDown(button, x, y);
          });
  connect(view_, &PhotoView::zoomChanged, this, &MainWindow::RequestSharpCopy);
  sharp_ = new SharpScreenCopy(
      [this](const QString& file, cDIB& copy) {
        MyPicture* photo = Current();
        if (!photo || photo->Filename() != file || !photo->ReplaceScreenPixels(copy)) return;
        Redrawn();
      },
      this);
  connect(view_, &PhotoView::resolutionChanged, this, [this] {
    RefreshInfo();
    MarkSoftPhoto(photos_.Current());
    SetFileInfoText();
  });
  strip_ = new ThumbnailStrip(photos_, central);
  strip_->setFixedHeight(kStripHeight);
  connect(&photos_, &PhotoListModel::currentChanged, this, [this] {
    ShowCurrent();
    UpdateActions();
  });
  thumb_mode_ = new QPlainTextEdit(QString::fromLatin1(kContactSheetNotice), photo_area);
  thumb_mode_->setObjectName(QStringLiteral("txtThumbMode"));
  thumb_mode_->setReadOnly(true);
  thumb_mode_->setFixedSize(260, 80);
  thumb_mode_->hide();
  file_info_ = new ElidedLabel(central);
  file_info_->setObjectName(QStringLiteral("lblFileInfo"));
  auto* left = new QVBoxLayout;
  left->addWidget(photo_area, 1);
  left->addWidget(strip_);
  left->addWidget(file_info_);
  return left;
}

QLayout* MainWindow::BuildEditSide(QWidget* central) {
  histogram_ = new HistogramView(central);
  panel_ = new EditPanel(job_.Settings(), *actions_, this);
  connect(panel_, &EditPanel::edited, this, &MainWindow::Redrawn);
  auto* right = new QVBoxLayout;
  right->addWidget(histogram_);
  right->addWidget(panel_);
  right->addWidget(BuildCommands());
  right->addStretch();
  return right;
}

void MainWindow::ConnectRun() {
  // A print run or preview hides the image information while it has the window.
  // A run's own block is released when it ends; a preview holds one more until it
  // closes, so that the job its pages are drawn from cannot change meanwhile.
  session_.Run().SetMainWindowHook([this](bool enabled) {
    if (!enabled) info_->hide();
    enabled ? UnblockWindow(this) : BlockWindow(this);
  });
  session_.Run().SetPreviewHook([this](PrintWindow& shown) {
    BlockWindow(this);
    PreviewWindow::Open(
        shown, [this] { OnPrint(); }, [this] { UnblockWindow(this); });
  });
  // A close asked for during the run is done without asking anything more.
  session_.Run().SetRunEndHook([this](bool files_named) {
    if (!close_pending_ && !session_.Closed()) session_.TellPrintRunEnd(files_named);
  });
}

QWidget* MainWindow::BuildCommands() {
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
    ButtonOnOff* button = actions_->Button(command, box);
    layout->addWidget(button, i / kColumns, i % kColumns);
    ++i;
    if (command == C::kRemove)
      connect(button, &ButtonOnOff::RightButtonUp, actions_->At(C::kRemoveAll), &QAction::trigger);
  }
  return box;
}

void MainWindow::ConnectCommands() {
  using C = WindowCommand;
  const std::pair<C, std::function<void()>> handlers[] = {
      {C::kAddPhotos, [this] { OnAdd(); }},
      {C::kOpenJob, [this] { OnOpenJob(); }},
      {C::kSaveJob, [this] { OnSaveJob(); }},
      {C::kExit, [this] { close(); }},
      {C::kRotateLeft, [this] { OnRotate(-kQuarterTurn); }},
      {C::kRotateRight, [this] { OnRotate(kQuarterTurn); }},
      {C::kRotateCrop, [this] { OnRotateCrop(); }},
      {C::kReset, [this] { panel_->Reset(); }},
      {C::kInfo, [this] { OnInfo(); }},
      {C::kRemove, [this] { OnRemove(); }},
      {C::kRemoveAll, [this] { OnRemoveAll(); }},
      {C::kPreviousPhoto, [this] { SelectPhoto(photos_.Current() - 1); }},
      {C::kNextPhoto, [this] { SelectPhoto(photos_.Current() + 1); }},
      {C::kJobSettings, [this] { OnJobSetup(); }},
      {C::kPreview, [this] { OnPrintPreview(); }},
      {C::kPrint, [this] { OnPrint(); }},
      {C::kSave, [this] { OnSave(); }},
      {C::kHelp, [this] { OnHelp(); }},
      {C::kShortcuts,
       [] { CurrentUi().MessageBox(ShortcutsText(), MsgButtons::Ok, MsgIcon::Information); }},
      {C::kAbout, [this] { AboutBox::ShowAbout(this); }},
  };
  for (const auto& [command, run] : handlers) {
    connect(actions_->At(command), &QAction::triggered, this, [this, run = run] {
      run();
      UpdateActions();
    });
  }
  connect(actions_->At(C::kWhiteBalance), &QAction::toggled, this, [this](bool on) {
    if (Current()) view_->SetWhiteBalanceMode(on);
  });
}

CommandStates MainWindow::States() const {
  CommandStates states;
  states.has_photos = job_.Count() > 0;
  states.has_current = photos_.Current() >= 0;
  states.editable = !job_.Settings().ThumbMode;
  states.run_going = RunGoing();
  states.adding = photos_dialog_ && photos_dialog_->isVisible();
  return states;
}

bool MainWindow::Allowed(WindowCommand command) const {
  return CommandEnabled(command, States());
}

void MainWindow::UpdateActions() {
  if (actions_) actions_->Apply(States());
}

void MainWindow::Arrange(ScreenArrangement arrangement) {
  // Wide and medium screens keep the panel beside the photo, small ones below it;
  // the layouts follow every later size change, maximising included.
  auto* layout = findChild<QBoxLayout*>(QStringLiteral("mainLayout"));
  const int side = job_.Settings().ScreenPhotoSize;
  switch (arrangement) {
    case ScreenArrangement::kWide:
      layout->setDirection(QBoxLayout::LeftToRight);
      resize(side + 520, side + 140);
      break;
    case ScreenArrangement::kMedium:
      layout->setDirection(QBoxLayout::LeftToRight);
      resize(side + 380, side + 120);
      break;
    case ScreenArrangement::kSmall:
      layout->setDirection(QBoxLayout::TopToBottom);
      resize(side + 40, side + 360);
      break;
  }
  FitContent();
}

void MainWindow::FitContent() {
  const QWidget* content = static_cast<QScrollArea*>(centralWidget())->widget();
  const QSize least = content->minimumSizeHint() + QSize(0, menuBar()->sizeHint().height());
  // Only a content that grew moves the window: a user's smaller window stays.
  if (least == content_minimum_) return;
  content_minimum_ = least;
  if (const QScreen* shown = screen())
    resize(size().expandedTo(least).boundedTo(shown->availableSize()));
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
    const bool loaded = OfferLastJob();
    if (session_.Closed()) return;
    OnJobSetup();
    CurrentUi().LetMessagesRun();
    if (!loaded && !session_.Closed()) OnAdd();
    return;
  }
  AddFiles(files);
}

MyPicture* MainWindow::Current() {
  return photos_.CurrentPhoto();
}

void MainWindow::ClearEditPanel() {
  panel_->ShowPhoto(nullptr);
  panel_->setEnabled(false);
  histogram_->Clear_Histogram();
  view_->SetPhoto(nullptr);
  view_->SetCropEnabled(false);
  strip_->setEnabled(false);
  file_info_->SetFullText(QString());
  actions_->At(WindowCommand::kWhiteBalance)->setChecked(false);
  UpdateActions();
}

void MainWindow::MarkSoftPhotos() {
  soft_limit_ = LowResolutionLimit(SettingsFilePath());
  for (int i = 0; i < job_.Count(); ++i) MarkSoftPhoto(i);
}

void MainWindow::MarkSoftPhoto(int position) {
  if (position < 0 || position >= job_.Count()) return;
  strip_->SetMarked(position, !job_.Settings().ThumbMode &&
                                  LowResolution(job_.At(position).PrintResolution(), soft_limit_));
}

void MainWindow::EnableEditControls() {
  if (job_.Count() == 0) return;
  MarkSoftPhotos();
  // Contact sheets print the photos as they are: nothing of a photo can be edited.
  panel_->setEnabled(!job_.Settings().ThumbMode);
  view_->SetCropEnabled(true);
  strip_->setEnabled(true);
  SetFileInfoText();
  UpdateActions();
}

void MainWindow::SetFileInfoText() {
  file_info_->SetFullText(FileInfoText(job_, photos_.Current(), soft_limit_));
}

void MainWindow::RequestSharpCopy() {
  // An enlarged photo is decoded anew for the device pixels it covers, up to a
  // bound that keeps its screen pixels small beside the photo itself.
  constexpr int kMostScreenPixels = 4096;
  const MyPicture* photo = Current();
  if (!photo) return sharp_->Forget();
  const int wanted = std::min(
      kMostScreenPixels,
      static_cast<int>(std::lround(photo->ScreenSize() * devicePixelRatioF() * view_->Zoom())));
  if (wanted <= static_cast<int>(std::lround(photo->ScreenSize() * photo->PixelRatio()))) return;
  sharp_->Request(photo->Filename(), wanted);
}

void MainWindow::Redrawn() {
  view_->Refresh();
  if (const MyPicture* photo = Current()) histogram_->SetHistogramArray(photo->Histogram());
}

void MainWindow::ShowCurrent() {
  MyPicture* photo = Current();
  if (MyPicture* previous = view_->Photo()) {
    previous->SetWhiteBalanceMode(false);
    if (previous != photo) {
      previous->ShrinkScreenPixels();
      previous->ReleaseScreenPicture();
    }
  }
  actions_->At(WindowCommand::kWhiteBalance)->setChecked(false);
  if (!photo) {
    info_->hide();
    thumb_mode_->hide();
    return ClearEditPanel();
  }
  panel_->ShowPhoto(photo);
  view_->SetPhoto(photo);
  view_->UpdateGraphic();
  RequestSharpCopy();
  histogram_->SetHistogramArray(photo->Histogram());
  RefreshInfo();
  SetFileInfoText();
  if (job_.Settings().ThumbMode) thumb_mode_->raise();
}

OpenPhotosDialog* MainWindow::PhotosDialog() const {
  return photos_dialog_;
}

void MainWindow::RefreshInfo() {
  if (info_->isVisible()) OnInfo();
}

void MainWindow::ShowContactSheetNotice() {
  thumb_mode_->setVisible(job_.Settings().ThumbMode && job_.Count() > 0);
  if (thumb_mode_->isVisible()) thumb_mode_->raise();
}

void MainWindow::OnAdd() {
  if (photos_dialog_ || !Allowed(WindowCommand::kAddPhotos)) return;
  // Modal to the whole program, so no other command starts while photos are added.
  // The dialog deletes itself once it is done and none of its handlers is running.
  photos_dialog_ = new OpenPhotosDialog(job_, init_path_, photos_.Adder(), this);
  photos_dialog_->setWindowModality(Qt::ApplicationModal);
  connect(photos_dialog_, &QDialog::finished, this, &MainWindow::OnAddingClosed);
  photos_dialog_->show();
}

void MainWindow::OnAddingClosed() {
  if (photos_dialog_) init_path_ = photos_dialog_->InitPath();
  // The rest runs from the main window's own frame once the dialog's handlers (its
  // adding loop among them) have returned, rather than letting messages run inside
  // the dialog's done().
  QTimer::singleShot(0, this, [this] {
    UpdateActions();
    EnableEditControls();
    ShowContactSheetNotice();
  });
}

void MainWindow::AddFiles(const QStringList& files) {
  const WindowBlock busy(this);
  for (const QString& file : files) {
    if (session_.Closed()) break;
    if (job_.Room() == 0) {
      CurrentUi().MessageBox(JobFullText(job_), MsgButtons::Ok, MsgIcon::Exclamation);
      break;
    }
    const QString path = AbsolutePath(ExistingNativePath(file));
    ImageReadStatus status = ImageReadStatus::kOk;
    if (AddPhotoFile(job_, path, &status, photos_.Adder()) < 0) {
      CurrentUi().MessageBox(PhotoNotAddedText(path, status), MsgButtons::Ok, MsgIcon::Exclamation);
      continue;
    }
    CurrentUi().LetMessagesRun();
  }
  EnableEditControls();
  ShowContactSheetNotice();
}

bool MainWindow::OfferLastJob() {
  JobFile last;
  if (!session_.LastJobToOpen(last)) return false;
  AddJobPhotos(last);
  return job_.Count() > 0;
}

void MainWindow::AddJobPhotos(const JobFile& job_file) {
  WindowBlock busy(this);
  const JobPhotosLoaded loaded =
      session_.AddJobPhotos(job_file, [] { CurrentUi().LetMessagesRun(); });
  busy.Release();
  // The active photo was shown before its stored values were given back.
  ShowCurrent();
  EnableEditControls();
  ShowContactSheetNotice();
  session_.TellLeftOut(loaded);
}

void MainWindow::OnSaveJob() {
  if (!Allowed(WindowCommand::kSaveJob)) return;
  panel_->CommitBoxes();
  session_.SaveJob(init_path_);
}

void MainWindow::OnOpenJob() {
  JobFile opened;
  if (photos_dialog_ || !Allowed(WindowCommand::kOpenJob) ||
      !session_.JobFileToOpen(init_path_, opened))
    return;
  AddJobPhotos(opened);
}

void MainWindow::OnRemove() {
  if (!Current()) return;
  // The view and the panel let go of the record before it is destroyed.
  view_->SetPhoto(nullptr);
  panel_->ShowPhoto(nullptr);
  photos_.RemoveCurrent();
}

void MainWindow::OnRemoveAll() {
  if (job_.Count() == 0) return;
  if (CurrentUi().MessageBox(QString::fromLatin1(kRemoveAllQuestion), MsgButtons::YesNo,
                             MsgIcon::Question) != MsgAnswer::Yes)
    return;
  // Nothing else may start on the job while the loop lets messages run.
  const WindowBlock busy(this);
  while (job_.Count() > 0) {
    OnRemove();
    CurrentUi().LetMessagesRun();
  }
}

void MainWindow::OnRotate(int step) {
  MyPicture* photo = Current();
  if (!photo || !Allowed(WindowCommand::kRotateLeft)) return;
  photo->Rotate(step);
  photos_.SetThumbnail(photos_.Current(), photo->picture().picture);
  Redrawn();
  MarkSoftPhoto(photos_.Current());
  SetFileInfoText();
  panel_->CheckLabelLength();
}

void MainWindow::OnRotateCrop() {
  if (!Allowed(WindowCommand::kRotateCrop)) return;
  view_->RotateCrop();
  SetFileInfoText();
  panel_->CheckLabelLength();
}

void MainWindow::OnViewMouseDown(Qt::MouseButton button, double x, double y) {
  MyPicture* photo = Current();
  if (!photo || button != Qt::LeftButton || !photo->WhiteBalanceMode()) return;
  const WhiteBalanceAdjust adjust = PickWhiteBalance(*photo, x, y);
  Redrawn();
  panel_->ShowPickedBalance(adjust);
  actions_->At(WindowCommand::kWhiteBalance)->setChecked(false);
}

void MainWindow::OnInfo() {
  const MyPicture* photo = Current();
  if (!photo) return;
  info_->ShowInfo(
      ImageInfoReport(*photo, job_.Settings().Units, ProfileDescription(DisplayProfile())));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::LayoutRequest && centralWidget() &&
      watched == static_cast<QScrollArea*>(centralWidget())->widget())
    QTimer::singleShot(0, this, &MainWindow::FitContent);
  return QMainWindow::eventFilter(watched, event);
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
  AddFiles(files);
}

void MainWindow::OnJobSetup() {
  session_.ListPrinters();
  if (RunJobSettings(this, session_.Setup(), session_.Printers())) ShowCurrent();
  EnableEditControls();
  ShowContactSheetNotice();
}

void MainWindow::OnPrintPreview() {
  if (!Allowed(WindowCommand::kPreview) || session_.RefuseWithoutPrinter()) return;
  ComputeJobLayout(session_.Layout(), *session_.Printers().Device(), job_.Settings());
  session_.Run().PrintIt(true);
}

void MainWindow::OnPrint() {
  // A run is never nested over the job a run in hand is using.
  if (!Allowed(WindowCommand::kPrint) || session_.RefuseWithoutPrinter()) return;
  printing_ = true;
  RunPrintOptions(this, job_, session_.Printers(), session_.Layout(), session_.Run());
  printing_ = false;
  // The print options may have set another minimum resolution.
  MarkSoftPhotos();
  SetFileInfoText();
  CloseIfAsked();
}

void MainWindow::OnSave() {
  if (!Allowed(WindowCommand::kSave)) return;
  if (job_.Settings().ThumbMode) {
    CurrentUi().MessageBox(QString::fromLatin1(kContactSheetSaveMessage), MsgButtons::Ok,
                           MsgIcon::Information);
    return;
  }
  save_dialog_ = SaveDialog::OpenForm(job_, this);
  connect(save_dialog_, &SaveDialog::runEnded, this,
          [this](const SaveRunReport& report, int total, const QString& folder) {
            if (close_pending_ || session_.Closed()) return;
            CurrentUi().MessageBox(SaveSummaryText(report, total, folder), MsgButtons::Ok,
                                   SaveSummaryIcon(report, total));
          });
}

void MainWindow::OnHelp() {
  ShowHelpPage(job_.Count() > 0 ? QStringLiteral("Edit.htm") : QStringLiteral("Overview.htm"));
}

bool MainWindow::RunGoing() const {
  return printing_ || (save_dialog_ && save_dialog_->Saving());
}

void MainWindow::CloseIfAsked() {
  if (!close_pending_ || RunGoing()) return;
  close_pending_ = false;
  // Once the run's callers have returned.
  QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // The save dialog enables the window again when its run has ended.
  if (event->type() != QEvent::EnabledChange) return;
  UpdateActions();
  if (isEnabled()) CloseIfAsked();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (RunGoing()) {
    close_pending_ = true;
    event->ignore();
    return;
  }
  if (photos_dialog_) init_path_ = photos_dialog_->InitPath();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window == this || !window->isVisible()) continue;
    window->close();
    CurrentUi().LetMessagesRun();
  }
  panel_->CommitBoxes();
  // Files not written are named in one message, on standard error when the process
  // is told to end, as nobody is there to answer.
  const QStringList failures = session_.Close(init_path_);
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
