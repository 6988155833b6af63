// CUPS device: QPrinter for the queue's settings, QPdfWriter for the page document,
// cupsPrintFile to hand it over with the options Qt itself would send.
#include "print/cups/cups_printer_device.h"
#include "print/cups/print_server.h"
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
                 std::vector<cups_option_t>& options) {
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

}  // namespace

CupsPrinterDevice::CupsPrinterDevice(const QString& queue) : queue_(queue) {
  printer_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(queue), QPrinter::HighResolution);
  printer_->setFullPage(false);
  printer_->setDocName(QLatin1String(kJobTitle));
}

CupsPrinterDevice::~CupsPrinterDevice() {
  KillDoc();
}

bool CupsPrinterDevice::IsValid() const {
  return !QPrinterInfo::printerInfo(queue_).isNull() && printer_->isValid();
}

double CupsPrinterDevice::Width() const {
  return MmToTwips(printer_->pageLayout().fullRect(QPageLayout::Millimeter).width());
}

double CupsPrinterDevice::Height() const {
  return MmToTwips(printer_->pageLayout().fullRect(QPageLayout::Millimeter).height());
}

double CupsPrinterDevice::ScaleWidth() const {
  return MmToTwips(printer_->pageLayout().paintRect(QPageLayout::Millimeter).width());
}

double CupsPrinterDevice::ScaleHeight() const {
  return MmToTwips(printer_->pageLayout().paintRect(QPageLayout::Millimeter).height());
}

double CupsPrinterDevice::PixelsPerMm() const {
  return printer_->resolution() / kMmPerInch;
}

int CupsPrinterDevice::Orientation() const {
  return printer_->pageLayout().orientation() == QPageLayout::Portrait ? 1 : 2;
}

bool CupsPrinterDevice::SetOrientation(int orientation, QString& error) {
  if (orientation != 1 && orientation != 2) {
    error = QStringLiteral("Invalid orientation");
    return false;
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
  writer_->setPageLayout(printer_->pageLayout());
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
    // The options Qt's CUPS engine sends with a document of its own.
    const QPageLayout layout = printer_->pageLayout();
    const QByteArray media = layout.pageSize().key().toLatin1();
    std::vector<cups_option_t> options;
    options.push_back({const_cast<char*>("media"), const_cast<char*>(media.constData())});
    options.push_back({const_cast<char*>("sides"), const_cast<char*>("one-sided")});
    if (layout.orientation() == QPageLayout::Landscape) {
      options.push_back({const_cast<char*>("landscape"), const_cast<char*>("")});
    }
    const QByteArray queue = queue_.toLocal8Bit();
    const QByteArray path = file_->fileName().toLocal8Bit();
    const int job = PrintPdfFile(queue, path, options);
    submitted = job > 0;
    if (submitted) last_job_ = job;
  }
  file_.reset();
  return submitted;
}

void CupsPrinterDevice::KillDoc() {
  if (painter_) painter_->end();
  painter_.reset();
  writer_.reset();
  file_.reset();
}

}  // namespace tessaly
