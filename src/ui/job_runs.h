// The job's runs started from the main window: the print preview, the print
// options with their print run, and the save dialog with its run; each run ends
// with its summary. While a run goes the window is blocked by it and a close asked
// for meanwhile waits: the window is closed from its own frame once the run has
// ended, and nothing more is asked.
#pragma once

#include <QObject>
#include <QPointer>

#include "workspace/job_session.h"

class QWidget;

namespace tessaly {

class SaveDialog;

class JobRuns : public QObject {
  Q_OBJECT

 public:
  // `session` outlives the runs; `window` is the main window, their parent.
  JobRuns(JobSession& session, QWidget* window);

  void Preview();
  void Print();
  // Says why a contact sheet cannot be saved, else opens the save dialog.
  void Save();
  // True while a print run (its options included) or a save run uses the job.
  bool Going() const;
  // The window's close, asked for during a run: true when it has to wait.
  bool DeferClose();
  // Closes the window when a close waits and no run goes any more.
  void CloseIfAsked();

 signals:
  // A print run takes the window.
  void runStarted();
  // The preview's Print button.
  void printAsked();

 private:
  JobSession& session_;
  QWidget* window_;
  QPointer<SaveDialog> save_dialog_;
  bool printing_ = false;       // the print options or the print run are going
  bool close_pending_ = false;  // a close was asked for during a run
};

}  // namespace tessaly
