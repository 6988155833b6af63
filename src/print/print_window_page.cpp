// The print window's pages: one page of the print run or of the preview. Each slot's
// photo gets its final pixels (the preview's from the screen picture, without edits
// or colour conversion) and is stretched into its cell with its label, frame and cut
// marks, then comes the contact-sheet title. The cancel flag is polled after every
// slow step; a set flag, a Cancel on an unreadable file or a failed drawing step ends
// the page quietly with what was drawn so far, and the page counts as not drawn.
// Photos are drawn losslessly on every device. One page is drawn at a time.
#include <QCoreApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "colour/colour_profiles.h"
#include "colour/embedded_profile.h"
#include "colour/printer_profile.h"
#include "controls/ui_service.h"
#include "controls/units.h"
#include "edits/output_rules.h"
#include "job/final_pixels.h"
#include "job/final_pixels_ahead.h"
#include "job/photo_placement.h"
#include "job/screen_picture.h"
#include "print/page_text.h"
#include "print/pdf_printer.h"
#include "print/print_window.h"
#include "surface/cgdiimage.h"

namespace tessaly {
namespace {

// The cut marks' grey, RGB(180, 180, 180).
constexpr std::uint32_t kCutMarkColour = 0xB4B4B4;
// Contact sheets are printed at no more than this resolution when no maximum is set.
constexpr int kContactSheetMaxResolution = 360;
// The contact-sheet title: its left edge from (width + text width) ÷ 2.2 and its top
// 5 mm below the sheet's top edge.
constexpr double kTitleDivisor = 2.2;
constexpr double kTitleTopFromSheet = 5.0;

int Nearest(double value) {
  return static_cast<int>(std::nearbyint(value));
}

// Opens the profiles that take the file's colours (embedded profile, else sRGB) to
// the printer's by the job's colour mode; either may fail to open.
void OpenPrinterConversion(const QString& file_name, const JobSettings& settings,
                           const PrinterDevice& printer, ProfilePair& pair) {
  QByteArray bytes;
  pair.input = ExtractProfiles(file_name, bytes) == kProfileFound ? OpenProfileFromMemory(bytes)
                                                                  : CreateSrgbProfile();
  // The built-in PDF printer is no CUPS queue; its automatic profile is sRGB.
  const bool pdf = printer.DeviceName() == QLatin1String(kPdfPrinterName);
  pair.output = pdf && settings.ICM != kPrinterProfileChosen
                    ? CreateSrgbProfile()
                    : PrinterProfile(settings.ICM, printer.DeviceName(), settings.ICMProfile);
}

// The resolution factor of a photo on the page: the job's limits, or on a contact
// sheet only the maximum (360 ppi when none is set).
double SlotFactor(const MyPicture& photo, const JobSettings& settings) {
  if (!settings.ThumbMode)
    return ResolutionFactor(photo.PrintResolution(), settings.MinResolution,
                            settings.MaxResolution);
  const int maximum =
      settings.MaxResolution == 0 ? kContactSheetMaxResolution : settings.MaxResolution;
  const double r = photo.PrintResolution();
  return r > maximum ? maximum / r : 1.0;
}

// The slots of `page` as 1-based first and last; last < first when there is none.
void SlotsOfPage(const std::vector<PrintSlot>& table, int page, int& first, int& last) {
  first = 0;
  last = -1;
  for (const PrintSlot& slot : table) {
    if (slot.Page != page) continue;
    if (first == 0) first = slot.SlotNo;
    last = slot.SlotNo;
  }
}

}  // namespace

FinalPixelsSteps PrintWindow::SlotSteps(int k, bool printing) {
  JobSettings& settings = job_.Settings();
  const MyPicture& photo = job_.At(slots_[k - 1].PhotoIndex);
  FinalPixelsSteps steps;
  steps.crop = !settings.ThumbMode;
  steps.orientation = settings.ThumbMode ? 0 : cells_[(k - 1) % cells_per_page_].Orientation;
  steps.default_sharpen = settings.DefaultSharpen;
  if (!printing) return steps;
  // Contact sheets never print above 360 ppi unless a maximum is set; the maximum
  // stays 360 for the rest of the program run.
  if (settings.ThumbMode && settings.MaxResolution == 0)
    settings.MaxResolution = kContactSheetMaxResolution;
  steps.factor = SlotFactor(photo, settings);
  return steps;
}

std::unique_ptr<ProfilePair> PrintWindow::SlotConversion(const MyPicture& photo) {
  if (job_.Settings().ThumbMode) return nullptr;
  auto conversion = std::make_unique<ProfilePair>();
  OpenPrinterConversion(photo.Filename(), job_.Settings(), *printers_.Device(), *conversion);
  return conversion;
}

bool PrintWindow::SlotPixels(int Page, int k, const PreviewPaper* paper, FinalPixelsAhead& ahead,
                             cDIB& result, bool& turned) {
  Ui& ui = CurrentUi();
  const MyPicture& photo = job_.At(slots_[k - 1].PhotoIndex);
  FinalPixelsSteps steps = SlotSteps(k, paper == nullptr);

  cGDIImage image;
  if (paper) {
    // The screen picture is already turned; it is shown without edits or colour
    // conversion, at its own resolution.
    cDIB screen;
    screen.CreateFromStdPicture(ScreenPicture(photo));
    if (!image.CreateFromDIB(screen)) return false;
    steps.rotate = false;
    steps.edits = false;
    return MakeFinalPixels(image, photo, steps, result, turned);
  }

  ui.ShowProgress(RunKind::kPrint,
                  QCoreApplication::translate("Tessaly", "Printing page %1/%2, Photo %3/%4")
                      .arg(Page)
                      .arg(page_count_)
                      .arg(k)
                      .arg(slot_count_));
  ui.ShowProgressCount(k - 1, slot_count_);
  ui.LetMessagesRun();
  switch (ahead.Take(
      k, [&ui] { return ui.PollCancel(); }, result, turned)) {
    case FinalPixelsAhead::Taken::kMade:
      return true;
    case FinalPixelsAhead::Taken::kCancelled:
      return false;
    case FinalPixelsAhead::Taken::kNone:
      break;
  }
  // The file is decoded no larger than the printed pixels need.
  const double share = DecodeShare(steps.factor);
  while (!image.CreateFromFile(photo.Filename(), share)) {
    const MsgAnswer answer = ui.MessageBox(OpeningErrorText(photo.Filename(), image.ReadStatus()),
                                           MsgButtons::RetryCancel, MsgIcon::Critical);
    if (answer != MsgAnswer::Retry) return false;
  }
  if (ui.PollCancel()) return false;
  // The profiles stay open until the final pixels are made.
  const std::unique_ptr<ProfilePair> conversion = SlotConversion(photo);
  if (conversion) {
    steps.colour_from = conversion->input;
    steps.colour_to = conversion->output;
  }
  return MakeFinalPixels(image, photo, steps, result, turned);
}

bool PrintWindow::DrawPage(int Page, PreviewPaper* paper) {
  PrinterDevice* printer = printers_.Device();
  const int n = cells_per_page_;
  if (drawing_ || !printer || n < 1 || static_cast<int>(cells_.size()) < n) return false;
  const bool preview = paper != nullptr;
  if (preview != preview_) return false;
  if (!preview && !printer->hDC()) return false;
  drawing_ = true;
  const bool drawn = DrawSlots(Page, paper) && DrawTitle(paper);
  drawing_ = false;
  return drawn;
}

bool PrintWindow::DrawSlots(int Page, PreviewPaper* paper) {
  Ui& ui = CurrentUi();
  const JobSettings& settings = job_.Settings();
  PrinterDevice* printer = printers_.Device();
  const bool preview = paper != nullptr;
  std::optional<QPainter> paper_painter;
  if (preview) paper_painter.emplace(&paper->image);
  const double px_x = preview ? paper->pxX : printer->PixelsPerMm();
  const double px_y = preview ? paper->pxY : printer->PixelsPerMm();
  // The drawing target, fetched anew for every step as the device may replace it.
  // Photos reach the page with their pixels as drawn: a PDF-based device would
  // otherwise recompress them as JPEG.
  const auto target = [&]() -> QPainter* {
    QPainter* dc = preview ? &*paper_painter : printer->hDC();
    if (dc) dc->setRenderHint(QPainter::LosslessImageRendering);
    return dc;
  };

  int first = 0;
  int last = -1;
  SlotsOfPage(slots_, Page, first, last);
  PixelRect cut;
  // The slots' final pixels are made on workers, one photo per core at a time in
  // page order, while the page device compresses the photos before on this thread.
  FinalPixelsAhead ahead;
  int next_ahead = first;
  const auto start_ahead = [&] {
    for (; !preview && next_ahead <= last && ahead.HasRoom(); ++next_ahead) {
      const MyPicture& photo = job_.At(slots_[next_ahead - 1].PhotoIndex);
      const FinalPixelsSteps steps = SlotSteps(next_ahead, true);
      ahead.Start(next_ahead, photo, DecodeShare(steps.factor), steps, SlotConversion(photo));
    }
  };
  for (int k = first; k >= 1 && k <= last; ++k) {
    start_ahead();
    const MyPicture& photo = job_.At(slots_[k - 1].PhotoIndex);
    const PageCell& cell = cells_[(k - 1) % cells_per_page_];
    cDIB result;
    bool turned = false;
    if (!SlotPixels(Page, k, paper, ahead, result, turned)) return false;

    PrintedPlacementInput in;
    in.cell = {cell.X0, cell.Y0, cell.X1, cell.Y1};
    in.photo_margin = photo.Margin();
    in.job_margin = settings.PhotoMargin();
    in.px_x = px_x;
    in.px_y = px_y;
    in.preview = preview;
    in.offset = preview ? paper->off : 0;
    in.contact_sheet = settings.ThumbMode;
    in.aspect = static_cast<double>(result.Width()) / result.Height();
    in.turned = turned;
    in.font_px = PrintedLabelFontPixels(settings.FontSize, px_y, preview);
    in.draw_frame = settings.PhotoDrawFrame;
    in.draw_cut_marks = settings.DrawCropMarks;
    const PrintedPlacement place = PlacePrintedPhoto(in);

    start_ahead();
    QPainter* dc = target();
    if (!dc) return false;
    result.ToSurface(*dc, place.x, place.y, place.w, place.h);
    if (ui.PollCancel()) return false;

    result.SetFont(settings.FontName, in.font_px, settings.FontBold, settings.FontItalic,
                   turned ? 90 : 0);
    if (!(dc = target())) return false;
    result.PrintText(*dc, photo.PhotoLabel(), place.label_x, place.label_y, settings.FontColor,
                     true);
    if (place.framed) {
      if (!(dc = target())) return false;
      result.SetPen(cDIB::kSolidPen, place.frame_pen, kFrameColour);
      result.DrawRectangle(*dc, place.frame.left, place.frame.top, place.frame.right,
                           place.frame.bottom);
    }
    if (place.cut_marks) {
      cut = SnapCutMarks(place.cut, cut);
      if (!(dc = target())) return false;
      result.SetPen(cDIB::kSolidPen, 1, kCutMarkColour);
      result.DrawRectangle(*dc, cut.left, cut.top, cut.right, cut.bottom);
    }
    if (ui.PollCancel()) return false;
  }
  return true;
}

bool PrintWindow::DrawTitle(PreviewPaper* paper) {
  const JobSettings& settings = job_.Settings();
  if (!settings.ThumbMode || title_.isEmpty()) return true;
  PrinterDevice* printer = printers_.Device();
  // The title takes the label font's face, size, weight, slant and colour, never its
  // underline.
  PrintFont font;
  font.name = settings.FontName;
  font.size = settings.FontSize;
  font.bold = settings.FontBold;
  font.italic = settings.FontItalic;
  font.colour = settings.FontColor;
  const double sheet_width = TwipsToMm(printer->Width());
  const double printable_width = TwipsToMm(printer->ScaleWidth());
  const double top = std::max(0.0, kTitleTopFromSheet - (sheet_width - printable_width) / 2);
  if (paper) {
    QPainter painter(&paper->image);
    const double text_width = PageTextWidthMm(paper->pxX, title_, font);
    const double left = Nearest((sheet_width + text_width) / kTitleDivisor);
    DrawPageText(painter, &paper->image, paper->pxX, title_, left + paper->off, top + paper->off,
                 font);
  } else {
    const double text_width = printer->TextWidthMm(title_, font);
    const double left = Nearest((printable_width + text_width) / kTitleDivisor);
    printer->PrintText(title_, left, top, font);
  }
  return true;
}

PreviewPaper PrintWindow::MakePreviewPaper(int paper_height) const {
  PreviewPaper paper;
  const PrinterDevice* printer = printers_.Device();
  if (!printer || paper_height < 1 || printer->Height() <= 0) return paper;
  const double sheet_width = TwipsToMm(printer->Width());
  const double sheet_height = TwipsToMm(printer->Height());
  const int paper_width = std::max(1, Nearest(paper_height * sheet_width / sheet_height));
  paper.image = QImage(paper_width, paper_height, QImage::Format_RGB32);
  if (paper.image.isNull()) return paper;
  paper.image.fill(Qt::white);
  paper.pxX = paper_width / sheet_width;
  paper.pxY = paper_height / sheet_height;
  paper.off = TwipsToMm((printer->Width() - printer->ScaleWidth()) / 2);
  // Text measured in points comes out at the paper's scale.
  const int dots_per_metre = Nearest(paper.pxX * 1000.0);
  paper.image.setDotsPerMeterX(dots_per_metre);
  paper.image.setDotsPerMeterY(dots_per_metre);
  return paper;
}

QImage PrintWindow::PreviewPage(int page, int paper_height) {
  if (drawing_ || !preview_ || page < 1 || page > page_count_) return QImage();
  PreviewPaper paper = MakePreviewPaper(paper_height);
  if (paper.image.isNull()) return QImage();
  DrawPage(page, &paper);
  return paper.image;
}

}  // namespace tessaly
