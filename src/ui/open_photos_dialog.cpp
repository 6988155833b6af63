// The open-photos dialog: the file dialog with its preview panel, and the adding
// of the chosen files on every Open.
#include "ui/open_photos_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "controls/dialog_filter.h"
#include "controls/native_path.h"
#include "controls/ui_service.h"
#include "controls/ui_text.h"
#include "controls/utils.h"
#include "ui/button_on_off.h"
#include "ui/control_name.h"
#include "ui/window_lifetime.h"
#include "workspace/main_window_rules.h"
#include "workspace/open_photos_rules.h"

namespace tessaly {

namespace {
constexpr int kPreviewSide = 200;  // pixels of the preview picture box
}

PhotoFileDialog::PhotoFileDialog(QWidget* parent) : QFileDialog(parent) {
  setWindowFlags(Qt::Widget);
  setOption(QFileDialog::DontUseNativeDialog);
  setOption(QFileDialog::ReadOnly);
  setOption(QFileDialog::HideNameFilterDetails);
  setFileMode(QFileDialog::ExistingFiles);
  setAcceptMode(QFileDialog::AcceptOpen);
  setLabelText(QFileDialog::Accept, tr("Open"));
}

void PhotoFileDialog::accept() {
  const QStringList chosen = selectedFiles();
  if (chosen.isEmpty()) return;
  if (chosen.size() == 1 && QFileInfo(chosen.front()).isDir()) {
    QFileDialog::accept();  // opens the folder, adds nothing
    return;
  }
  emit FilesChosen(chosen);
}

OpenPhotosDialog::OpenPhotosDialog(MyPictureManager& job, const QString& init_path,
                                   ThumbnailSink to_strip, QWidget* parent)
    : QDialog(parent), job_(job), to_strip_(std::move(to_strip)) {
  setObjectName(QStringLiteral("dlgOpenPhotos"));
  setWindowTitle(UiText(kOpenPhotosTitle));
  setSizeGripEnabled(true);

  files_ = new PhotoFileDialog(this);
  files_->setObjectName(QStringLiteral("fileDialog"));
  files_->setNameFilters(QtNameFilters(OpenPhotosFilter()));
  const QFileInfo start(init_path);
  files_->setDirectory(!init_path.isEmpty() && start.isDir() ? start.absoluteFilePath()
                                                             : QDir::homePath());

  QWidget* panel = BuildPreviewPanel();
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(files_, 1);
  layout->addWidget(panel);

  connect(files_, &PhotoFileDialog::FilesChosen, this, &OpenPhotosDialog::AddChosenFiles);
  connect(files_, &QFileDialog::rejected, this, &QDialog::reject);
  connect(files_, &QFileDialog::currentChanged, this, &OpenPhotosDialog::Preview);
  ExplainControls(*panel);
  resize(900, 520);
}

QWidget* OpenPhotosDialog::BuildPreviewPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("fOpenFileDialog"));
  preview_check_ = new QCheckBox(tr("Preview"), panel);
  preview_check_->setObjectName(QStringLiteral("chkPreview"));
  preview_check_->setChecked(true);
  view_ = new QPushButton(tr("View..."), panel);
  view_->setObjectName(QStringLiteral("cmdView"));
  view_->setEnabled(false);
  help_ = new ButtonOnOff(panel);
  help_->setObjectName(QStringLiteral("cmdHelp"));
  help_->SetCaption(tr("Help"));
  auto* tip = new QLabel(tr("Tip: See the Help to know how to open multiple files"), panel);
  tip->setObjectName(QStringLiteral("lblHelp"));
  tip->setWordWrap(true);
  auto* frame = new QFrame(panel);
  frame->setObjectName(QStringLiteral("Container"));
  frame->setFrameShape(QFrame::StyledPanel);
  picture_ = new QLabel(frame);
  picture_->setObjectName(QStringLiteral("PicPreview"));
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setFixedSize(kPreviewSide, kPreviewSide);
  auto* frame_layout = new QVBoxLayout(frame);
  frame_layout->addWidget(picture_);
  wait_ = new QLabel(panel);
  wait_->setObjectName(QStringLiteral("lblWait"));

  auto* panel_layout = new QVBoxLayout(panel);
  panel_layout->addWidget(preview_check_);
  panel_layout->addWidget(frame);
  panel_layout->addWidget(wait_);
  panel_layout->addWidget(view_);
  panel_layout->addWidget(help_);
  panel_layout->addWidget(tip);
  panel_layout->addStretch();
  connect(preview_check_, &QCheckBox::toggled, this, [this](bool on) {
    const QStringList chosen = files_->selectedFiles();
    if (on && chosen.size() == 1) Preview(chosen.front());
    if (!on) ClearPreview(QString());
  });
  connect(view_, &QPushButton::clicked, this, [this] {
    if (!preview_file_.isEmpty()) OpenWithDesktop(QUrl::fromLocalFile(preview_file_));
  });
  connect(help_, &ButtonOnOff::Click, this, [] { ShowHelpPage(QStringLiteral("AddPhotos.htm")); });
  return panel;
}

QString OpenPhotosDialog::InitPath() const {
  return files_->directory().absolutePath();
}

void OpenPhotosDialog::ClearPreview(const QString& message) {
  picture_->clear();
  wait_->setText(message);
  preview_file_.clear();
  preview_copy_.Dispose();
  view_->setEnabled(false);
}

void OpenPhotosDialog::Preview(const QString& chosen) {
  if (loading_) return;
  ClearPreview(QString());
  const QString file = ExistingNativePath(chosen);
  if (!preview_check_->isChecked() || !IsRegularFile(file)) return;
  wait_->setText(tr("Wait..."));
  CurrentUi().LetMessagesRun();
  // Decoded as adding the photo decodes it, so an added photo reuses this copy.
  const JobSettings& s = job_.Settings();
  if (!MakeScreenCopy(file, ScreenCopyPixels(s.ScreenPhotoSize, s.ScreenPixelRatio), preview_copy_,
                      preview_w_, preview_h_)) {
    ClearPreview(UiText(kInvalidPictureFormat));
    return;
  }
  preview_file_ = file;
  // The surface keeps its bottom row first in memory.
  const QImage shown = preview_copy_.hDIB()->mirrored(false, true);
  picture_->setPixmap(QPixmap::fromImage(
      shown.scaled(picture_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  wait_->clear();
  view_->setEnabled(true);
}

bool OpenPhotosDialog::AddOne(const QString& file) {
  int position = -1;
  if (file == preview_file_ && preview_copy_.IsCreated()) {
    position = GetPicture(job_, preview_copy_, file, preview_w_, preview_h_, to_strip_);
    preview_file_.clear();
  } else {
    position = AddPhotoFile(job_, file, nullptr, to_strip_);
  }
  return position >= 0;
}

void OpenPhotosDialog::AddChosenFiles(const QStringList& files) {
  if (files.isEmpty() || loading_) return;
  const QStringList names = OpenPhotosOrder(files);
  const bool picture_shown = picture_->isVisible();
  picture_->hide();
  loading_ = true;
  stop_ = false;
  qApp->installEventFilter(this);
  const int n = static_cast<int>(names.size());
  for (int i = 0; i < n && !stop_; ++i) {
    if (job_.Room() == 0) {
      CurrentUi().MessageBox(JobFullText(job_), MsgButtons::Ok, MsgIcon::Exclamation);
      break;
    }
    wait_->setText(LoadingText(i + 1, n));
    CurrentUi().LetMessagesRun();
    // The dialog's names have stray bytes replaced; the photo is opened by its own.
    const QString name = ExistingNativePath(names[i]);
    if (IsRegularFile(name)) AddOne(name);
  }
  qApp->removeEventFilter(this);
  loading_ = false;
  wait_->clear();
  picture_->setVisible(picture_shown);
}

void OpenPhotosDialog::done(int result) {
  stop_ = true;
  QDialog::done(result);
  // Done from inside its own adding loop or preview: deleted once those have returned.
  DeleteWhenIdle(this);
}

bool OpenPhotosDialog::eventFilter(QObject* watched, QEvent* event) {
  if (loading_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    stop_ = true;
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tessaly
