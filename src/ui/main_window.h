// The program's main window, frmMain, over the session's job: its layout (the
// photo side, the histogram, the edit panel and the command buttons), the menus and
// keys of its commands with one rule for when each may run, and their forwarding to
// the photo list, the session and the job's runs. The last photo folder (InitPath
// of section Options) is read when the window is made and handed to the session
// when it closes, after every other window of the program has been closed. A close
// asked for during a print or save run is done once the run has ended.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include "workspace/job_session.h"
#include "workspace/main_window_rules.h"
#include "workspace/window_commands.h"

namespace tessaly {

class EditPanel;
class EditSide;
class JobRuns;
class OpenPhotosDialog;
class PhotoCommands;
class PhotoPane;
class PhotoSources;
class WindowActions;
class WindowFit;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `session` must outlive the window.
  explicit MainWindow(JobSession& session, QWidget* parent = nullptr);

  // The folder photos were last added from.
  QString InitPath() const;
  void SetInitPath(const QString& folder);

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

 private:
  // The photo side and the edit side in a scroll area.
  void BuildContent();
  // The parts' signals to one another and to the window.
  void ConnectParts();
  // Runs each command's handler when its action is triggered, then updates the
  // actions' states.
  void ConnectCommands();
  CommandStates States() const;
  // True when the window's state lets `command` run (the actions' own rule).
  bool Allowed(WindowCommand command) const;
  void UpdateActions();

  MyPicture* Current();
  // Shows the current photo and fills the edit panel from its record; the photo
  // shown until then goes back to its loaded pixels. An empty job clears the panel.
  void ShowCurrent();
  void ClearEditPanel();
  void EnableEditControls();

  void OnAdd();
  void OnJobSetup();
  // The print options and their run, then the marks of the photos printing soft.
  void OnPrint();
  void OnHelp();

  JobSession& session_;
  MyPictureManager& job_;
  PhotoListModel& photos_;

  WindowActions* actions_ = nullptr;
  EditPanel* panel_;
  PhotoPane* pane_;
  EditSide* side_;
  PhotoCommands* commands_ = nullptr;
  JobRuns* runs_ = nullptr;
  PhotoSources* sources_ = nullptr;
  WindowFit* fit_ = nullptr;
};

}  // namespace tessaly
