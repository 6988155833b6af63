// The window program's session: the job, its photo list with the current photo,
// and what its commands use for the whole run (the printer access over the
// catalogue it is given, the page layout, the job settings' state and the print
// window), with the job settings read from the settings file. It also holds the
// commands' headless halves: listing the printers once, the job files and the last
// job, the print run's closing message and what is kept when the window closes.
// The program builds it with the system's printers; tests with the built-in PDF
// printer alone. It must outlive the window.
#pragma once

#include <QStringList>
#include <functional>

#include "job/job_file.h"
#include "job/picture_manager.h"
#include "print/job_setup.h"
#include "print/page_layout.h"
#include "print/print_window.h"
#include "print/printer_access.h"
#include "workspace/photo_list_model.h"

namespace tessaly {

// What adding a job file's photos left to say: the files that could not be added
// and whether the job was too small for the rest.
struct JobPhotosLoaded {
  QStringList left_out;
  bool too_many = false;
};

class JobSession {
 public:
  // `catalogue` (not owned, may be null: no system printers) must outlive the session.
  explicit JobSession(PrinterCatalogue* catalogue);
  JobSession(const JobSession&) = delete;
  JobSession& operator=(const JobSession&) = delete;

  MyPictureManager& Job() { return job_; }
  PhotoListModel& Photos() { return photos_; }
  PrinterAccess& Printers() { return printers_; }
  PageLayout& Layout() { return layout_; }
  JobSetup& Setup() { return setup_; }
  PrintWindow& Run() { return run_; }

  // Lists the printers the first time it is called, so that the current printer is
  // known before the job settings are ever opened. A print server that does not
  // answer takes a moment to give up on: never called while the window is made.
  void ListPrinters();
  // True, after saying "No printer!", when no printer can be used.
  bool RefuseWithoutPrinter();

  // Adds the files given on the command line or dropped on the window, in their
  // order, each one becoming current; `step` runs after each photo (it lets messages
  // run). A file that cannot be added is named in a message and skipped; a full job
  // is said once and ends the adding, as does the session's close.
  void AddFiles(const QStringList& files, const std::function<void()>& step);
  // The last job to open: true when one with photos was kept, could be read and the
  // user said Yes to kOpenLastJobQuestion; a damaged one is named in a message.
  bool LastJobToOpen(JobFile& last);
  // Open Job: a job file chosen from `folder` and read into `opened`; false when
  // none was chosen, or it could not be read (said in a message).
  bool JobFileToOpen(const QString& folder, JobFile& opened);
  // Save Job: the job written to a file chosen from `folder`; a failure is said.
  void SaveJob(const QString& folder);
  // Adds the photos of `job_file` after the job's own, as many as the job has room
  // for, each one becoming current; `step` runs after each photo (it lets messages
  // run). Adding stops once the session has closed.
  JobPhotosLoaded AddJobPhotos(const JobFile& job_file, const std::function<void()>& step);
  // The messages for what AddJobPhotos left out (none once the session has closed).
  void TellLeftOut(const JobPhotosLoaded& loaded);

  // The message that ends a print run: pages printed of the run's on the current
  // printer, cancelled or history failures. Nothing when the run's own message
  // (`files_named`) already said where a whole run went.
  void TellPrintRunEnd(bool files_named);

  // The window closes: the last photo folder `init_path` is written to the settings
  // file and the job, when this run ever had photos, is kept as the last job. Returns
  // the texts of the files that could not be written. Nothing more is started after.
  QStringList Close(const QString& init_path);
  bool Closed() const { return closed_; }

 private:
  MyPictureManager job_;
  PhotoListModel photos_;
  PrinterAccess printers_;
  PageLayout layout_;
  JobSetup setup_;
  PrintWindow run_;
  bool printers_listed_ = false;
  bool closed_ = false;
};

}  // namespace tessaly
