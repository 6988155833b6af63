// A printer device that prints each page document onto an image of its printable
// area, for tests: a sheet of any size in twips with an even margin, a chosen number
// of pixels per millimetre, every ended page kept as an image, discarded documents
// counted, and the printer's say on them scripted. A catalogue with this one printer
// lets PrinterAccess open it.
#pragma once

#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "print/page_text.h"
#include "print/printer_access.h"

namespace tessaly::test {

class ImagePrinter : public PrinterDevice {
 public:
  ImagePrinter(double sheet_width_mm, double sheet_height_mm, double margin_mm,
               double pixels_per_mm)
      : sheet_width_(sheet_width_mm),
        sheet_height_(sheet_height_mm),
        margin_(margin_mm),
        ppm_(pixels_per_mm) {}

  QString DeviceName() const override { return QStringLiteral("Image printer"); }
  double Width() const override { return MmToTwips(sheet_width_); }
  double Height() const override { return MmToTwips(sheet_height_); }
  double ScaleWidth() const override { return MmToTwips(sheet_width_ - 2 * margin_); }
  double ScaleHeight() const override { return MmToTwips(sheet_height_ - 2 * margin_); }
  double PixelsPerMm() const override { return ppm_; }
  int Orientation() const override { return 1; }
  bool SetOrientation(int orientation, QString&) override { return orientation == 1; }
  QPainter* hDC() override {
    if (!painter_) {
      page_ = QImage(static_cast<int>(std::lround((sheet_width_ - 2 * margin_) * ppm_)),
                     static_cast<int>(std::lround((sheet_height_ - 2 * margin_) * ppm_)),
                     QImage::Format_RGB32);
      page_.fill(Qt::white);
      const int dots_per_metre = static_cast<int>(std::lround(ppm_ * 1000));
      page_.setDotsPerMeterX(dots_per_metre);
      page_.setDotsPerMeterY(dots_per_metre);
      painter_ = std::make_unique<QPainter>(&page_);
    }
    return painter_.get();
  }
  void PrintText(const QString& text, double x_mm, double y_mm, const PrintFont& font) override {
    titles.push_back({text, x_mm, y_mm, font.underline});
    if (QPainter* painter = hDC()) DrawPageText(*painter, &page_, ppm_, text, x_mm, y_mm, font);
  }
  double TextWidthMm(const QString& text, const PrintFont& font) override {
    return PageTextWidthMm(ppm_, text, font);
  }
  bool EndDoc() override {
    if (!painter_) return true;
    painter_.reset();
    pages.push_back(page_);
    return true;
  }
  void KillDoc() override {
    if (painter_) ++discarded;
    painter_.reset();
  }
  const PrinterMedia& Media() const override { return media; }
  bool ChooseMedia(const MediaChosen& choice) override {
    const auto listed = [](int i, std::size_t n) { return i >= -1 && i < static_cast<int>(n); };
    if (!listed(choice.paper, media.papers.size()) || !listed(choice.type, media.types.size()) ||
        !listed(choice.quality, media.qualities.size()) ||
        !listed(choice.source, media.sources.size()))
      return false;
    chosen = choice;
    return true;
  }
  MediaChosen Chosen() const override { return chosen; }
  // Asks `keep_waiting` up to follow_looks times, then answers `fates`.
  std::vector<DocumentFate> FollowDocuments(const std::function<bool()>& keep_waiting) override {
    for (int i = 0; i < follow_looks && keep_waiting(); ++i) {
    }
    return std::exchange(fates, {});
  }

  struct Title {
    QString text;
    double x_mm;
    double y_mm;
    bool underline;
  };
  std::vector<QImage> pages;
  std::vector<Title> titles;
  int discarded = 0;
  std::vector<DocumentFate> fates;  // what the next follow answers
  int follow_looks = 0;
  PrinterMedia media;  // listed only; the sheet stays the one given
  MediaChosen chosen;

 private:
  double sheet_width_;
  double sheet_height_;
  double margin_;
  double ppm_;
  QImage page_;
  std::unique_ptr<QPainter> painter_;
};

// The catalogue of one image printer, described as "Image printer on test".
class ImagePrinterCatalogue : public PrinterCatalogue {
 public:
  ImagePrinterCatalogue(double sheet_width_mm, double sheet_height_mm, double margin_mm,
                        double pixels_per_mm)
      : w_(sheet_width_mm), h_(sheet_height_mm), m_(margin_mm), ppm_(pixels_per_mm) {}
  QStringList Descriptions() const override { return {kDescription}; }
  QString DefaultDescription() const override { return kDescription; }
  std::unique_ptr<PrinterDevice> Open(const QString& description) override {
    if (description != kDescription) return nullptr;
    auto printer = std::make_unique<ImagePrinter>(w_, h_, m_, ppm_);
    printer->media = media;
    return printer;
  }
  PrinterMedia media;  // what each printer opened lists
 private:
  inline static const QString kDescription = QStringLiteral("Image printer on test");
  double w_, h_, m_, ppm_;
};

}  // namespace tessaly::test
