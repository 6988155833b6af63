// The print run: slots and pages of the job, the page loop with the spooler pause
// and one document per page, the discard of the open document after a cancel, and
// the edit-history records. Whole seconds and page numbers are integers; nearest()
// rounds halves to even.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <cmath>
#include <memory>

#include "controls/ui_service.h"
#include "job/job_history.h"
#include "print/print_window.h"
#include "surface/surface_buffer.h"

namespace tessaly {
namespace {

const QString kDoesNotFit =
    QStringLiteral("Photos don't fit on page. Please, change the paper size or the photo sizes.");
const QString kTitlePrompt =
    QStringLiteral("Enter a title for the contact sheet pages (optional):");
const QString kProgramCaption = QStringLiteral("Tessaly");
constexpr int kSecondsPerMinute = 60;
constexpr int kPauseStepMs = 1000;

int Nearest(double value) {
  return static_cast<int>(std::nearbyint(value));
}

QString ProgressCaption() {
  return QString::fromLatin1(kPrintProgressCaption);
}

}  // namespace

std::vector<PrintSlot> BuildPrintSlots(const MyPictureManager& job, int cells_per_page) {
  std::vector<PrintSlot> table;
  if (cells_per_page < 1) return table;
  int k = 0;
  for (int position = 0; position < job.Count(); ++position) {
    for (int copy = 0; copy < job.At(position).Copies(); ++copy) {
      ++k;
      table.push_back({k, (k - 1) / cells_per_page + 1, position});
    }
  }
  return table;
}

int PageCountOf(int slot_count, int cells_per_page) {
  if (cells_per_page < 1) return 0;
  return slot_count / cells_per_page + (slot_count % cells_per_page > 0 ? 1 : 0);
}

PauseClock SystemPauseClock() {
  auto timer = std::make_shared<QElapsedTimer>();
  timer->start();
  PauseClock clock;
  clock.Seconds = [timer] { return timer->nsecsElapsed() / 1e9; };
  clock.Sleep = [](int ms) {
    if (!QCoreApplication::instance()) {
      QThread::msleep(static_cast<unsigned long>(ms));
      return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
  };
  return clock;
}

PrintWindow::PrintWindow(MyPictureManager& job, PrinterAccess& printers, const PageLayout& layout)
    : job_(job), printers_(printers), layout_(layout), clock_(SystemPauseClock()) {}

void PrintWindow::EnableMainWindow(bool enabled) {
  if (main_window_hook_) main_window_hook_(enabled);
}

bool PrintWindow::PrepareSlots() {
  slots_ = BuildPrintSlots(job_, cells_per_page_);
  slot_count_ = static_cast<int>(slots_.size());
  page_count_ = PageCountOf(slot_count_, cells_per_page_);
  return slot_count_ > 0;
}

bool PrintWindow::SpoolerPause() {
  Ui& ui = CurrentUi();
  const int wait = Nearest(job_.Settings().SpoolWait * kSecondsPerMinute);
  if (wait < 1) return true;
  const double start = clock_.Seconds();
  for (;;) {
    const int elapsed = Nearest(clock_.Seconds() - start);
    if (elapsed >= wait) return true;
    const int remaining = wait - elapsed;
    if (remaining != last_wait_shown_) {
      last_wait_shown_ = remaining;
      ui.ShowProgress(ProgressCaption(), QStringLiteral("Waiting %1m %2s")
                                             .arg(remaining / kSecondsPerMinute)
                                             .arg(remaining % kSecondsPerMinute));
      ui.LetMessagesRun();
      if (ui.CancelRequested()) return false;
    }
    clock_.Sleep(kPauseStepMs);
  }
}

void PrintWindow::PrintIt(bool Preview) {
  Ui& ui = CurrentUi();
  cells_ = layout_.GetPageCells();
  cells_per_page_ = layout_.GetPageCellCount();
  if (cells_per_page_ == 0) {
    ui.MessageBox(kDoesNotFit, MsgButtons::Ok, MsgIcon::Exclamation);
    return;
  }
  EnableMainWindow(false);
  preview_ = Preview;
  const JobSettings& settings = job_.Settings();
  if (settings.ThumbMode) {
    QString title = title_;
    if (!ui.InputBox(kTitlePrompt, kProgramCaption, title)) title.clear();
    title_ = title;
  }
  if (!PrepareSlots()) {
    EnableMainWindow(true);
    return;
  }
  if (printing_) return;

  // The preview window keeps the main window disabled for as long as it is shown.
  if (Preview) {
    ui.SetCancelRequested(false);
    if (preview_hook_) preview_hook_(*this);
    ui.LetMessagesRun();
    EnableMainWindow(true);
    return;
  }

  ui.ShowProgress(ProgressCaption(), QString());
  ui.LetMessagesRun();
  ui.SetCancelRequested(false);
  printing_ = true;
  pages_ended_ = 0;
  end_failed_ = false;
  history_failed_ = false;
  last_wait_shown_ = -1;
  for (int page = 1; page <= page_count_; ++page) {
    ui.LetMessagesRun();
    if (page >= 2 && !SpoolerPause()) break;
    const bool drawn = DrawPage(page);
    ui.LetMessagesRun();
    if (ui.CancelRequested()) break;
    // A page that could not be drawn whole still goes out with what it has, but is
    // not counted as printed.
    if (printers_.EndDocAndReset()) {
      if (drawn) ++pages_ended_;
    } else {
      end_failed_ = true;
    }
    ui.LetMessagesRun();
  }
  printing_ = false;
  ReleaseKeptSurfaceBuffers();
  ui.HideProgress();
  ui.LetMessagesRun();
  if (ui.CancelRequested()) printers_.KillDocAndReset();
  EnableMainWindow(true);
  ui.LetMessagesRun();
  if (!settings.ThumbMode) history_failed_ = !RecordJobHistory(job_);
}

}  // namespace tessaly
