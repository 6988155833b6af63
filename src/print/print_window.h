// The print window's core: a print run or a preview of the job. Every copy of every
// photo becomes a print slot on page ((k − 1) \ N) + 1; a run sends each page to the
// current printer as its own document (with the spooler pause between pages), a
// preview draws the same pages from the on-screen pictures onto a paper image. The
// cancel flag of the Ui stops a run between slow steps; the open document is then
// discarded. After a run (cancelled or not) every photo goes to the edit history,
// except in contact-sheet mode.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "job/final_pixels_ahead.h"
#include "job/picture_manager.h"
#include "print/page_layout.h"
#include "print/printer_access.h"
#include "surface/cdib.h"

class QPainter;

namespace tessaly {

// Caption of the progress window of a print run.
struct PrintSlot {
  int SlotNo = 0;      // equals its 1-based index
  int Page = 0;        // 1-based page
  int PhotoIndex = 0;  // 0-based position of the photo in the job
};

// The slots of a job: one per copy (one per photo in contact-sheet mode), in photo
// order, `cells_per_page` to a page. Empty when cells_per_page is below 1.
std::vector<PrintSlot> BuildPrintSlots(const MyPictureManager& job, int cells_per_page);
// P = S \ N, plus one when S mod N > 0; 0 when N is below 1.
int PageCountOf(int slot_count, int cells_per_page);

// The paper of the preview: the whole sheet as an image, its pixels per millimetre on
// each axis, and the offset (mm) of the printable area from the sheet's corner.
struct PreviewPaper {
  QImage image;
  double pxX = 0;
  double pxY = 0;
  double off = 0;
};

// Time as the spooler pause sees it: seconds from a monotonic start, and a wait of
// one step that keeps messages flowing. Tests drive both.
struct PauseClock {
  std::function<double()> Seconds;
  std::function<void(int ms)> Sleep;
};
// The real clock: a monotonic timer and a wait that runs the event loop when there
// is one.
PauseClock SystemPauseClock();

// A page handed to the printer that did not simply print: failed, or still held
// when the wait ended.
struct PageFate {
  int page = 0;
  DocumentFate fate;
};
// One line per page, carriage-return separated: "Page 2 of 3 was not printed: <the
// printer's reason>." or "Page 3 of 3 was still at the printer when Tessaly stopped
// waiting; it may still print."
QString PagesNotPrintedText(const std::vector<PageFate>& pages, int page_count);
// The end of a run on the built-in PDF printer: "The pages were written to <folder>,
// one PDF file per page:" and the first ten file names, a line each.
QString PdfFilesWrittenText(const QString& folder, const QStringList& files);

class PrintWindow {
 public:
  // `job`, `printers` and `layout` must outlive the window; the layout is the one the
  // job settings computed for the current printer (ComputeJobLayout).
  PrintWindow(MyPictureManager& job, PrinterAccess& printers, const PageLayout& layout);

  // Runs the job: Preview false prints every page, true prepares the slots and calls
  // the preview hook (the preview window), which then asks for pages.
  void PrintIt(bool Preview);
  // Draws page `Page` (1..P) on the printer, or on `paper` while previewing (the paper
  // is the caller's and is used only during this call). False when the page is
  // incomplete: no device or page, no paper while previewing or a paper while
  // printing, an unreadable photo, a failed drawing step or the cancel flag; what was
  // drawn stays on the page. A call while another page is being drawn (from the
  // events run during a cancel poll) draws nothing and returns false.
  bool DrawPage(int Page, PreviewPaper* paper = nullptr);

  // The preview page `page` drawn on a white sheet `paper_height` pixels high with the
  // printer's sheet proportions. Needs the slots of a PrintIt(true). A null image
  // while another page is being drawn.
  QImage PreviewPage(int page, int paper_height);
  // A white paper of the printer's sheet for a preview `paper_height` pixels high.
  PreviewPaper MakePreviewPaper(int paper_height) const;

  // The window that shows the preview; called by PrintIt(true) once the slots exist.
  void SetPreviewHook(std::function<void(PrintWindow&)> hook) { preview_hook_ = std::move(hook); }
  // Called with false when the run disables the main window and true when it enables it.
  void SetMainWindowHook(std::function<void(bool)> hook) { main_window_hook_ = std::move(hook); }
  // Called at the end of every print run (not a preview), with whether the run's own
  // message already named the files its pages went to.
  void SetRunEndHook(std::function<void(bool files_named)> hook) {
    run_end_hook_ = std::move(hook);
  }
  void SetClock(PauseClock clock) { clock_ = std::move(clock); }

  // The contact-sheet title, kept for the program run and offered again as default.
  const QString& Title() const { return title_; }
  void SetTitle(const QString& title) { title_ = title; }

  bool Preview() const { return preview_; }
  int SlotCount() const { return slot_count_; }
  int PageCount() const { return page_count_; }
  const std::vector<PrintSlot>& Slots() const { return slots_; }
  bool Printing() const { return printing_; }
  // Pages fully drawn and handed to the printer by the last run, and whether a device
  // refused one.
  int PagesEnded() const { return pages_ended_; }
  bool EndFailed() const { return end_failed_; }
  // The pages of the last run that the printer failed or still held at the end of the
  // wait for its say (the pages it failed are not counted as ended).
  const std::vector<PageFate>& PageFates() const { return page_fates_; }
  bool PrinterFailedAPage() const;
  // Whether the last run's edit-history records could not all be written.
  bool HistoryFailed() const { return history_failed_; }

 private:
  // Slots and pages of the job; false when the job has no copy.
  bool PrepareSlots();
  // The spooler pause before a page; false when the cancel flag stopped it.
  bool SpoolerPause();
  // Waits for the printer's say on each page `handed` over (page, counted) and keeps
  // the pages it failed or still holds.
  void FollowPages(const std::vector<std::pair<int, bool>>& handed);
  void EnableMainWindow(bool enabled);
  // The parts of one page drawing: each slot's final pixels (`turned` when turned to
  // its cell), the slots with their labels, frames and cut marks, and the title.
  // `ahead` may be making slot k's pixels already. The steps of slot k (for the
  // print with its resolution factor) and the colour conversion of a printed photo
  // (none on a contact sheet) come from SlotSteps and SlotConversion.
  bool SlotPixels(int Page, int k, const PreviewPaper* paper, FinalPixelsAhead& ahead, cDIB& result,
                  bool& turned);
  FinalPixelsSteps SlotSteps(int k, bool printing);
  std::unique_ptr<ProfilePair> SlotConversion(const MyPicture& photo);
  bool DrawSlots(int Page, PreviewPaper* paper);
  bool DrawTitle(PreviewPaper* paper);

  MyPictureManager& job_;
  PrinterAccess& printers_;
  const PageLayout& layout_;
  std::vector<PageCell> cells_;
  std::vector<PrintSlot> slots_;
  int cells_per_page_ = 0;
  int slot_count_ = 0;
  int page_count_ = 0;
  int last_wait_shown_ = -1;
  int pages_ended_ = 0;
  bool end_failed_ = false;
  std::vector<PageFate> page_fates_;
  bool history_failed_ = false;
  bool preview_ = false;
  bool printing_ = false;
  bool drawing_ = false;  // a page is being drawn
  QString title_;
  PauseClock clock_;
  std::function<void(PrintWindow&)> preview_hook_;
  std::function<void(bool)> main_window_hook_;
  std::function<void(bool)> run_end_hook_;
};

}  // namespace tessaly
