// CUPS device: the queue's media from the destination API, QPdfWriter for the page
// document, an IPP Print-Job of our own to hand it over, Get-Job-Attributes to follow it.
#include "print/cups/cups_printer_device.h"

#include "print/cups/job_state.h"
#include "print/cups/print_server.h"
#include "print/cups/queue_media.h"
#include "print/page_text.h"

#include <cups/cups.h>

#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <cmath>
#include <vector>

namespace tessaly {
namespace {

// Title of every job in the queue.
constexpr char kJobTitle[] = "Tessaly";

// Hands the PDF at `path` to `queue` as one Print-Job on a connection of its own with
// a deadline, so that a server that stopped answering fails the page instead of
// holding the run (cupsPrintFile looks the queue up on the shared connection, whose
// waits have no end). The job's id, or 0.
int PrintPdfFile(const QByteArray& queue, const QByteArray& path,
                 std::vector<cups_option_t>& options,
                 const std::function<void(ipp_t*)>& add_attributes) {
  const DeadlineConnection server(kHandOverSeconds);
  if (server.Http() == nullptr) return 0;
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                   "/printers/%s", queue.constData());
  ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, kJobTitle);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
               "application/pdf");
  cupsEncodeOptions2(request, static_cast<int>(options.size()), options.data(), IPP_TAG_JOB);
  add_attributes(request);
  const QByteArray resource = "/printers/" + queue;
  ipp_t* response =
      cupsDoFileRequest(server.Http(), request, resource.constData(), path.constData());
  int job = 0;
  if (response != nullptr && cupsLastError() <= IPP_STATUS_OK_CONFLICTING)
    if (ipp_attribute_t* id = ippFindAttribute(response, "job-id", IPP_TAG_INTEGER))
      job = ippGetInteger(id, 0);
  ippDelete(response);
  return job;
}

// How long one look at the jobs' states, and the reading of the queue's media when
// the device opens, may wait on the server.
constexpr int kLookSeconds = 2;
constexpr int kMediaSeconds = 5;

}  // namespace

CupsPrinterDevice::CupsPrinterDevice(const QString& queue) : queue_(queue) {
  printer_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(queue), QPrinter::HighResolution);
  printer_->setFullPage(false);
  printer_->setDocName(QLatin1String(kJobTitle));
  const DeadlineConnection server(kMediaSeconds);
  media_ = ReadQueueMedia(server.Http(), queue);
}

const PrinterPaper* CupsPrinterDevice::Paper() const {
  const int paper = chosen_.paper >= 0 ? chosen_.paper : media_.default_paper;
  if (paper < 0 || paper >= static_cast<int>(media_.papers.size())) return nullptr;
  return &media_.papers[paper];
}

QSizeF CupsPrinterDevice::SizeMm(bool sheet) const {
  QSizeF size;
  if (const PrinterPaper* paper = Paper()) {
    const double inset = sheet ? 0.0 : 2 * paper->Margin();
    size = QSizeF(paper->width_mm - inset, paper->height_mm - inset);
  } else {
    const QPageLayout layout = printer_->pageLayout();
    return (sheet ? layout.fullRect(QPageLayout::Millimeter)
                  : layout.paintRect(QPageLayout::Millimeter))
        .size();
  }
  return orientation_ == 1 ? size : size.transposed();
}

bool CupsPrinterDevice::ChooseMedia(const MediaChosen& chosen) {
  const auto listed = [](int position, std::size_t count) {
    return position >= -1 && position < static_cast<int>(count);
  };
  if (!listed(chosen.paper, media_.papers.size()) || !listed(chosen.type, media_.types.size()) ||
      !listed(chosen.quality, media_.qualities.size()) ||
      !listed(chosen.source, media_.sources.size()))
    return false;
  chosen_ = chosen;
  return true;
}

CupsPrinterDevice::~CupsPrinterDevice() {
  KillDoc();
}

bool CupsPrinterDevice::IsValid() const {
  return !QPrinterInfo::printerInfo(queue_).isNull() && printer_->isValid();
}

double CupsPrinterDevice::Width() const {
  return MmToTwips(SizeMm(true).width());
}

double CupsPrinterDevice::Height() const {
  return MmToTwips(SizeMm(true).height());
}

double CupsPrinterDevice::ScaleWidth() const {
  return MmToTwips(SizeMm(false).width());
}

double CupsPrinterDevice::ScaleHeight() const {
  return MmToTwips(SizeMm(false).height());
}

double CupsPrinterDevice::PixelsPerMm() const {
  return printer_->resolution() / kMmPerInch;
}

int CupsPrinterDevice::Orientation() const {
  if (Paper() != nullptr) return orientation_;
  return printer_->pageLayout().orientation() == QPageLayout::Portrait ? 1 : 2;
}

bool CupsPrinterDevice::SetOrientation(int orientation, QString& error) {
  if (orientation != 1 && orientation != 2) {
    error = QStringLiteral("Invalid orientation");
    return false;
  }
  if (Paper() != nullptr) {
    orientation_ = orientation;
    return true;
  }
  const auto wanted = orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape;
  if (!printer_->setPageOrientation(wanted) || printer_->pageLayout().orientation() != wanted) {
    error = QStringLiteral("The printer does not accept this orientation");
    return false;
  }
  return true;
}

QPainter* CupsPrinterDevice::hDC() {
  if (painter_) return painter_.get();
  file_ =
      std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("tessaly-XXXXXX.pdf")));
  if (!file_->open()) {
    file_.reset();
    return nullptr;
  }
  writer_ = std::make_unique<QPdfWriter>(file_.get());
  writer_->setResolution(printer_->resolution());
  writer_->setCreator(QLatin1String(kJobTitle));
  writer_->setTitle(QLatin1String(kJobTitle));
  writer_->setPageLayout(PageLayoutInUse());
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(writer_.get())) {
    painter_.reset();
    writer_.reset();
    file_.reset();
    return nullptr;
  }
  return painter_.get();
}

void CupsPrinterDevice::PrintText(const QString& text, double x_mm, double y_mm,
                                  const PrintFont& font) {
  QPainter* painter = hDC();
  if (painter) DrawPageText(*painter, writer_.get(), PixelsPerMm(), text, x_mm, y_mm, font);
}

double CupsPrinterDevice::TextWidthMm(const QString& text, const PrintFont& font) {
  return PageTextWidthMm(PixelsPerMm(), text, font);
}

bool CupsPrinterDevice::EndDoc() {
  if (!painter_) return true;
  const bool painted = painter_->end();
  painter_.reset();
  writer_.reset();
  const bool written = painted && file_->flush();
  bool submitted = false;
  if (written) {
    const QPageLayout layout = PageLayoutInUse();
    const QByteArray media = layout.pageSize().key().toLatin1();
    std::vector<cups_option_t> options;
    const auto add = [&options](const char* name, const char* value) {
      options.push_back({const_cast<char*>(name), const_cast<char*>(value)});
    };
    add("sides", "one-sided");
    if (layout.orientation() == QPageLayout::Landscape) add("landscape", "");
    if (Paper() != nullptr) {
      // The page is the paper's own size: nothing may scale or move it.
      add("print-scaling", "none");
      add("print-color-mode", "color");
      if (colour_converted_) add("cm-calibration", "true");
    } else {
      add("media", media.constData());
    }
    const QByteArray queue = queue_.toLocal8Bit();
    const QByteArray path = file_->fileName().toLocal8Bit();
    const int job = PrintPdfFile(queue, path, options, [this](ipp_t* request) {
      AddMediaAttributes(request, media_, chosen_);
    });
    submitted = job > 0;
    if (submitted) {
      last_job_ = job;
      jobs_.push_back(job);
      last_end_ = std::chrono::steady_clock::now();
    }
  }
  file_.reset();
  return submitted;
}

std::vector<DocumentFate> CupsPrinterDevice::FollowDocuments(
    const std::function<bool()>& keep_waiting) {
  std::vector<DocumentFate> fates(jobs_.size());
  std::vector<bool> known(jobs_.size(), false);
  const auto deadline = last_end_ + std::chrono::seconds(kFollowSeconds);
  for (bool open = !jobs_.empty(); open;) {
    open = false;
    const DeadlineConnection server(kLookSeconds);
    for (std::size_t i = 0; i < jobs_.size(); ++i) {
      if (known[i]) continue;
      JobState state;
      // A server that stopped answering ends the wait: what it holds counts as sent.
      if (!AskJobState(server.Http(), jobs_[i], state)) {
        fates[i].outcome = DocumentFate::Outcome::kStillHeld;
        known[i] = true;
      } else if (state.Printed() || state.Failed()) {
        fates[i].outcome =
            state.Printed() ? DocumentFate::Outcome::kPrinted : DocumentFate::Outcome::kFailed;
        fates[i].reason = state.reason;
        known[i] = true;
      } else {
        fates[i].outcome = DocumentFate::Outcome::kStillHeld;
        open = true;
      }
    }
    if (open && (std::chrono::steady_clock::now() >= deadline || !keep_waiting())) break;
  }
  jobs_.clear();
  return fates;
}

QPageLayout CupsPrinterDevice::PageLayoutInUse() const {
  const PrinterPaper* paper = Paper();
  if (paper == nullptr) return printer_->pageLayout();
  const QPageSize size(QSizeF(paper->width_mm, paper->height_mm), QPageSize::Millimeter,
                       paper->name, QPageSize::ExactMatch);
  const double m = paper->Margin();
  return QPageLayout(size, orientation_ == 1 ? QPageLayout::Portrait : QPageLayout::Landscape,
                     QMarginsF(m, m, m, m), QPageLayout::Millimeter);
}

void CupsPrinterDevice::KillDoc() {
  if (painter_) painter_->end();
  painter_.reset();
  writer_.reset();
  file_.reset();
}

}  // namespace tessaly
