// The print run: slots and pages of the job, the page loop with the spooler pause
// and one document per page, the discard of the open document after a cancel, and
// the edit-history records. Whole seconds and page numbers are integers; nearest()
// rounds halves to even.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <cmath>
#include <memory>

#include "colour/printer_profile.h"
#include "controls/ui_service.h"
#include "job/job_history.h"
#include "print/pdf_printer.h"
#include "print/print_window.h"
#include "surface/large_block.h"

namespace tessaly {
namespace {

const QString kDoesNotFit =
    QStringLiteral("Photos don't fit on page. Please, change the paper size or the photo sizes.");
const QString kTitlePrompt =
    QStringLiteral("Enter a title for the contact sheet pages (optional):");
const QString kProgramCaption = QStringLiteral("Tessaly");
constexpr int kSecondsPerMinute = 60;
constexpr int kPauseStepMs = 1000;
// Between two looks at the printer's jobs once every page is handed over.
constexpr int kFollowStepMs = 500;
const QString kWaitingForPrinter = QStringLiteral("Waiting for the printer...");

int Nearest(double value) {
  return static_cast<int>(std::nearbyint(value));
}

}  // namespace

QString PdfFilesWrittenText(const QString& folder, const QStringList& files) {
  constexpr int kNamesShown = 10;
  QString text =
      QCoreApplication::translate("Tessaly", "The pages were written to %1, one PDF file per page:")
          .arg(QDir::toNativeSeparators(folder));
  for (int i = 0; i < files.size() && i < kNamesShown; ++i)
    text += u'\r' + QFileInfo(files[i]).fileName();
  if (files.size() > kNamesShown)
    text += u'\r' +
            QCoreApplication::translate("Tessaly", "and %1 more").arg(files.size() - kNamesShown);
  return text;
}

QString PagesNotPrintedText(const std::vector<PageFate>& pages, int page_count) {
  QStringList lines;
  for (const PageFate& page : pages) {
    QString line =
        QCoreApplication::translate("Tessaly", "Page %1 of %2").arg(page.page).arg(page_count);
    if (page.fate.outcome == DocumentFate::Outcome::kFailed) {
      line += QStringLiteral(" was not printed");
      QString reason = page.fate.reason;
      while (reason.endsWith(u'.')) reason.chop(1);
      if (!reason.isEmpty()) line += QStringLiteral(": ") + reason;
    } else if (page.fate.outcome == DocumentFate::Outcome::kStillHeld) {
      line += QStringLiteral(
          " was still at the printer when Tessaly stopped waiting; it may "
          "still print");
    } else {
      continue;
    }
    lines << line + u'.';
  }
  return lines.join(u'\r');
}

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
      ui.ShowProgress(RunKind::kPrint, QCoreApplication::translate("Tessaly", "Waiting %1m %2s")
                                           .arg(remaining / kSecondsPerMinute)
                                           .arg(remaining % kSecondsPerMinute));
      ui.LetMessagesRun();
      if (ui.CancelRequested()) return false;
    }
    clock_.Sleep(kPauseStepMs);
  }
}

bool PrintWindow::PrinterFailedAPage() const {
  for (const PageFate& page : page_fates_)
    if (page.fate.outcome == DocumentFate::Outcome::kFailed) return true;
  return false;
}

void PrintWindow::FollowPages(const std::vector<std::pair<int, bool>>& handed) {
  PrinterDevice* device = printers_.Device();
  if (device == nullptr) return;
  Ui& ui = CurrentUi();
  bool shown = false;
  const std::vector<DocumentFate> fates = device->FollowDocuments([this, &ui, &shown] {
    if (!shown) ui.ShowProgress(RunKind::kPrint, kWaitingForPrinter);
    shown = true;
    ui.LetMessagesRun();
    clock_.Sleep(kFollowStepMs);
    return !ui.CancelRequested();
  });
  // A page the printer failed is not printed; one it still holds counts as sent.
  for (std::size_t i = 0; i < fates.size() && i < handed.size(); ++i) {
    if (fates[i].outcome == DocumentFate::Outcome::kPrinted) continue;
    page_fates_.push_back({handed[i].first, fates[i]});
    if (fates[i].outcome == DocumentFate::Outcome::kFailed && handed[i].second) --pages_ended_;
  }
  // Stopping the wait is not a cancel of the run.
  ui.SetCancelRequested(false);
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

  ui.ShowProgress(RunKind::kPrint, QString());
  ui.LetMessagesRun();
  ui.SetCancelRequested(false);
  if (PrinterDevice* device = printers_.Device())
    device->SetColourConverted(ConvertsToPrinterSpace(settings.ICM, device->DeviceName()));
  auto* pdf = dynamic_cast<PdfPrinter*>(printers_.Device());
  const qsizetype pdf_files_before = pdf != nullptr ? pdf->Files().size() : 0;
  printing_ = true;
  pages_ended_ = 0;
  end_failed_ = false;
  page_fates_.clear();
  std::vector<std::pair<int, bool>> handed;  // each page handed over, and whether it counts
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
      handed.emplace_back(page, drawn);
    } else {
      end_failed_ = true;
    }
    ui.LetMessagesRun();
  }
  if (!ui.CancelRequested()) {
    FollowPages(handed);
  } else if (PrinterDevice* device = printers_.Device()) {
    // The pages a cancelled run handed over are not followed: the next run's wait
    // must be about its own pages only.
    device->FollowDocuments([] { return false; });
  }
  printing_ = false;
  ReleaseKeptBlocks();
  ui.HideProgress();
  ui.LetMessagesRun();
  if (ui.CancelRequested()) printers_.KillDocAndReset();
  if (!page_fates_.empty())
    ui.MessageBox(PagesNotPrintedText(page_fates_, page_count_), MsgButtons::Ok,
                  MsgIcon::Exclamation);
  const bool files_named =
      pdf != nullptr && pdf == printers_.Device() && pdf->Files().size() > pdf_files_before;
  if (files_named)
    ui.MessageBox(PdfFilesWrittenText(pdf->Folder(), pdf->Files().mid(pdf_files_before)),
                  MsgButtons::Ok, MsgIcon::Information);
  EnableMainWindow(true);
  ui.LetMessagesRun();
  if (!settings.ThumbMode) history_failed_ = !RecordJobHistory(job_);
  if (run_end_hook_) run_end_hook_(files_named);
}

}  // namespace tessaly
