// Where the window's photos come from: the open-photos dialog (modal to the whole
// program, deleted once it is done and none of its handlers runs), files named on
// the command line or dropped on the window, job files and the last job. Each
// addition ends with added(); the window is blocked while files are loaded. The
// last photo folder is read from the settings when the sources are made.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "workspace/job_session.h"

class QWidget;

namespace tessaly {

class OpenPhotosDialog;

class PhotoSources : public QObject {
  Q_OBJECT

 public:
  // `session` outlives the sources; `window` is the main window, their parent.
  PhotoSources(JobSession& session, QWidget* window);

  // The folder photos were last added from (the open dialog's while it is open).
  QString InitPath() const;
  void SetInitPath(const QString& folder) { init_path_ = folder; }
  // The open-photos dialog from its opening until it is deleted.
  OpenPhotosDialog* Dialog() const { return dialog_; }
  bool DialogShown() const;

  // Opens the open-photos dialog, unless it is open.
  void OpenDialog();
  void AddFiles(const QStringList& files);
  // Loads the last job when the session offers it and the user takes it. True when
  // photos were loaded.
  bool OfferLastJob();
  void OpenJob();
  void SaveJob();

 signals:
  // Photos may have been added: the window shows the current one and lets the
  // photos be edited.
  void added();

 private:
  void AddJobPhotos(const JobFile& job_file);

  JobSession& session_;
  QWidget* window_;
  QString init_path_;
  QPointer<OpenPhotosDialog> dialog_;
};

}  // namespace tessaly
