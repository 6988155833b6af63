// The window program's session: the job, its photo list with the current photo,
// and what its commands use for the whole run (the printer access over the catalogue it is given,
// the page layout, the job settings' state and the print window), with the job settings read from
// the settings file. The program builds it with the system's printers and hands it to its window;
// tests build it with the built-in PDF printer alone. It must outlive the window.
#pragma once

#include "job/picture_manager.h"
#include "print/job_setup.h"
#include "print/page_layout.h"
#include "print/print_window.h"
#include "print/printer_access.h"
#include "workspace/photo_list_model.h"

namespace tessaly {

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

 private:
  MyPictureManager job_;
  PhotoListModel photos_;
  PrinterAccess printers_;
  PageLayout layout_;
  JobSetup setup_;
  PrintWindow run_;
};

}  // namespace tessaly
