// The program's main window, frmMain: owner of the job. It holds the view of the
// active photo, the thumbnail strip (MyTumbs1), the photo's histogram, the edit panel
// (see edit_panel.h), the photo commands (add, remove, information, exit), the File
// menu (save and open a job file), the job commands (job settings, preview, print,
// save, help, about) and the file-information line. For the job commands it keeps,
// for the whole run, the printer access, the page layout, the job settings' state and
// the print window. The last photo folder (InitPath of section Options) is read when
// the window is made and written back when it closes, after every other window of
// the program has been closed; the job, when it has photos, is then kept as the last
// job for the next start. A close asked for during a print or save run is done once
// the run has ended.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSize>

#include "workspace/job_session.h"
#include "workspace/main_window_rules.h"
#include "workspace/window_commands.h"

class QLayout;
class QPlainTextEdit;

namespace tessaly {

class EditPanel;
class ElidedLabel;
class HistogramView;
class ImageInfoWindow;
class OpenPhotosDialog;
class PhotoView;
class SaveDialog;
class SharpScreenCopy;
class ThumbnailStrip;
class WindowActions;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `session` must outlive the window.
  explicit MainWindow(JobSession& session, QWidget* parent = nullptr);

  // The folder photos were last added from.
  const QString& InitPath() const { return init_path_; }
  void SetInitPath(const QString& folder) { init_path_ = folder; }

  MyPictureManager& Job() { return job_; }
  // Position of the active photo; −1 when the job is empty.
  int CurrentPosition() const { return photos_.Current(); }

  // Start-up once the window is shown: the small-screen warning, then the photos:
  // `files` when given; else the offer of the last job, the job settings and, when
  // the last job was not loaded, the open-photos dialog.
  void Start(const QStringList& files);
  // Adds files given on the command line or dropped on the window, in their order;
  // a file that cannot be opened is named in a message and skipped.
  void AddFiles(const QStringList& files);
  // Makes the photo at `position` the active one, as a click on its thumbnail does.
  void SelectPhoto(int position) { photos_.SetCurrent(position); }
  // The open-photos dialog from its opening until it is deleted (for its owner's
  // commands and tests).
  OpenPhotosDialog* PhotosDialog() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The photo, the strip and the information line; the histogram, the edit panel
  // and the command buttons.
  QLayout* BuildPhotoSide(QWidget* central);
  QLayout* BuildEditSide(QWidget* central);
  QWidget* BuildCommands();
  // The print run's hooks into the window.
  void ConnectRun();
  // Runs each command's handler when its action is triggered, then updates the
  // actions' states.
  void ConnectCommands();
  CommandStates States() const;
  // True when the window's state lets `command` run (the actions' own rule).
  bool Allowed(WindowCommand command) const;
  void UpdateActions();
  void Arrange(ScreenArrangement arrangement);
  // Grows the window to the content's least size, within the screen; beyond the
  // screen the content scrolls.
  void FitContent();

  MyPicture* Current();
  // Shows the current photo and fills the edit panel from its record; the photo
  // shown until then goes back to its loaded pixels. An empty job clears the panel.
  void ShowCurrent();
  void ClearEditPanel();
  void EnableEditControls();
  void SetFileInfoText();
  // Marks in the strip the photos (or the one at `position`) that print below the
  // low-resolution limit, read anew from the settings by MarkSoftPhotos.
  void MarkSoftPhotos();
  void MarkSoftPhoto(int position);
  void ShowContactSheetNotice();
  void RefreshInfo();
  // Repaints the photo and its histogram after its record changed.
  void Redrawn();
  // Asks for the shown photo's screen copy at the device pixels the enlarged view
  // covers, when it holds fewer.
  void RequestSharpCopy();
  void OnViewMouseDown(Qt::MouseButton button, double x, double y);

  void OnAdd();
  void OnAddingClosed();
  void OnRemove();
  void OnRemoveAll();
  // Turns the active photo by `step` degrees (+90 clockwise, −90 counter-clockwise).
  void OnRotate(int step);
  void OnRotateCrop();
  void OnInfo();
  void OnJobSetup();
  // Loads the last job when the session offers it and the user takes it. True when
  // photos were loaded.
  bool OfferLastJob();
  // Adds a job file's photos with their stored values after those of the job, the
  // window blocked meanwhile, and names the ones left out.
  void AddJobPhotos(const JobFile& job_file);
  void OnSaveJob();
  void OnOpenJob();
  void OnPrintPreview();
  void OnPrint();
  void OnSave();
  void OnHelp();
  // True while a print run (its options included) or a save run uses the job.
  bool RunGoing() const;
  // Closes the window, once the run has ended, when a close was asked for during it.
  void CloseIfAsked();

  JobSession& session_;
  MyPictureManager& job_;
  PhotoListModel& photos_;
  QString init_path_;
  int soft_limit_ = kLowResolutionPpi;
  bool printing_ = false;       // the print options or the print run are going
  bool close_pending_ = false;  // a close was asked for during a run

  WindowActions* actions_ = nullptr;
  EditPanel* panel_;
  SharpScreenCopy* sharp_ = nullptr;
  PhotoView* view_;
  HistogramView* histogram_;
  ThumbnailStrip* strip_;
  ElidedLabel* file_info_;
  QPlainTextEdit* thumb_mode_;
  ImageInfoWindow* info_;
  QPointer<OpenPhotosDialog> photos_dialog_;
  QPointer<SaveDialog> save_dialog_;
  QSize content_minimum_;
};

}  // namespace tessaly
