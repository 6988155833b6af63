// One page of the print run or of the preview: each slot's photo cropped, edited,
// colour-managed, turned to its cell, resampled to the resolution limits, sharpened
// and stretched into the cell, with its label, frame and cut marks, then the
// contact-sheet title. Lengths are millimetres times the target's pixels per mm,
// taken to the nearest integer with halves to even. The cancel flag is polled after
// every slow step; a set flag, a Cancel on an unreadable file or a failed drawing
// step ends the page quietly with what was drawn so far, and the page counts as not
// drawn. Photos are drawn losslessly on every device.
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>

#include "colour/colour_profiles.h"
#include "colour/embedded_profile.h"
#include "colour/printer_profile.h"
#include "controls/ui_service.h"
#include "edits/output_rules.h"
#include "job/screen_picture.h"
#include "print/page_text.h"
#include "print/pdf_printer.h"
#include "print/print_window.h"
#include "surface/cgdiimage.h"

namespace tessaly {
namespace {

// ToDib's interpolation code for high-quality bicubic.
constexpr int kHighQualityBicubic = 7;
constexpr int kSolidPen = 0;
// The frame's grey RGB(90, 90, 90) and the cut marks' RGB(180, 180, 180).
constexpr std::uint32_t kFrameColour = 0x5A5A5A;
constexpr std::uint32_t kCutMarkColour = 0xB4B4B4;
// Margin (mm) from which the label sits in the white margin and a frame is drawn.
constexpr double kMarginForLabel = 3.5;
// Margin (mm) above which cut marks are drawn.
constexpr double kMarginForCutMarks = 0.5;
// Contact sheets are printed at no more than this resolution when no maximum is set.
constexpr int kContactSheetMaxResolution = 360;
// Points to millimetres, and the preview's larger label.
constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr double kPreviewFontScale = 1.1;
// Label inside the photo: distance from the right and bottom edges (mm).
constexpr double kInnerLabelInset = 5.0;
// Label in a contact-sheet cell: distance from the cell's bottom-right corner (mm).
constexpr double kContactLabelInset = 0.5;
// A framed label moves this far away from the photo (mm).
constexpr double kFramedLabelDrop = 0.5;
// The printed frame: pen width and its distance outside the photo's top-left and
// bottom-right edges (mm).
constexpr double kFramePenWidth = 0.25;
constexpr double kFrameOutsetTopLeft = 0.4;
constexpr double kFrameOutsetBottomRight = 0.3;
// The preview frame: one pixel, two pixels out at the top-left, one at the bottom-right.
constexpr int kPreviewFrameTopLeft = 2;
constexpr int kPreviewFrameBottomRight = 1;
// Printed cut marks end two pixels inside the cell's right and bottom edges, and a
// corner within this many pixels of a neighbour's edge joins that edge.
constexpr int kCutMarkInset = 2;
constexpr int kCutMarkSnap = 3;
// The contact-sheet title: its left edge from (width + text width) ÷ 2.2 and its top
// 5 mm below the sheet's top edge.
constexpr double kTitleDivisor = 2.2;
constexpr double kTitleTopFromSheet = 5.0;

int Nearest(double value) {
  return static_cast<int>(std::nearbyint(value));
}

// The cut rectangle of the previous photo on the page.
struct CutRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

bool AnyEdit(const MyPicture& photo) {
  return photo.Bright() != 0 || photo.Contrast() != 0 || photo.Saturation() != 0 ||
         photo.RedAdjust() != 0 || photo.GreenAdjust() != 0 || photo.BlueAdjust() != 0 ||
         photo.gamma() != 1.0;
}

// Converts the pixels from the file's embedded profile (else sRGB) to the printer's
// profile by the job's colour mode. Any missing profile leaves the pixels as they are.
void ConvertForPrinter(cDIB& surface, const QString& file_name, const JobSettings& settings,
                       const PrinterDevice& printer) {
  QByteArray bytes;
  const ProfileHandle input = ExtractProfiles(file_name, bytes) == kProfileFound
                                  ? OpenProfileFromMemory(bytes)
                                  : CreateSrgbProfile();
  // The built-in PDF printer is no CUPS queue; its automatic profile is sRGB.
  const bool pdf = printer.DeviceName() == QLatin1String(kPdfPrinterName);
  const ProfileHandle output =
      pdf && settings.ICM != kPrinterProfileChosen
          ? CreateSrgbProfile()
          : PrinterProfile(settings.ICM, printer.DeviceName(), settings.ICMProfile);
  if (input && output) surface.ColorTransform(input, output);
  CloseProfile(input);
  CloseProfile(output);
}

}  // namespace

int SnapCutEdge(int edge, int previous_far, int previous_near) {
  if (edge < 0) return 0;
  if (std::abs(edge - previous_far) <= kCutMarkSnap) return previous_far;
  if (std::abs(edge - previous_near) <= kCutMarkSnap) return previous_near;
  return edge;
}

bool PrintWindow::DrawPage(int Page) {
  Ui& ui = CurrentUi();
  PrinterDevice* printer = printers_.Device();
  const int n = cells_per_page_;
  if (!printer || n < 1 || static_cast<int>(cells_.size()) < n) return false;
  const bool preview = preview_;
  if (preview && !paper_) return false;
  JobSettings& settings = job_.Settings();

  const double off = TwipsToMm((printer->Width() - printer->ScaleWidth()) / 2);
  int first = 0;
  int last = -1;
  for (int k = 1; k <= slot_count_; ++k) {
    if (slots_[k - 1].Page == Page) {
      first = k;
      break;
    }
  }
  for (int k = slot_count_; k >= 1; --k) {
    if (slots_[k - 1].Page == Page) {
      last = k;
      break;
    }
  }

  std::optional<QPainter> paper_painter;
  double pxX = 0;
  double pxY = 0;
  if (preview) {
    paper_painter.emplace(&paper_->image);
    pxX = paper_->pxX;
    pxY = paper_->pxY;
  } else {
    if (!printer->hDC()) return false;
    pxX = pxY = printer->PixelsPerMm();
  }
  // The drawing target, fetched anew for every step as the device may replace it.
  // Photos reach the page with their pixels as drawn: a PDF-based device would
  // otherwise recompress them as JPEG.
  const auto target = [&]() -> QPainter* {
    QPainter* dc = preview ? &*paper_painter : printer->hDC();
    if (dc) dc->setRenderHint(QPainter::LosslessImageRendering);
    return dc;
  };

  const double E = settings.PhotoMargin();
  CutRect cut;
  for (int k = first; k >= 1 && k <= last; ++k) {
    const PageCell& cell = cells_[(k - 1) % n];
    const MyPicture& photo = job_.At(slots_[k - 1].PhotoIndex);

    cGDIImage image;
    cDIB screen;
    if (!preview) {
      ui.ShowProgress(QString::fromLatin1(kPrintProgressCaption),
                      QStringLiteral("Printing page %1/%2, Photo %3/%4")
                          .arg(Page)
                          .arg(page_count_)
                          .arg(k)
                          .arg(slot_count_));
      ui.LetMessagesRun();
      while (!image.CreateFromFile(photo.Filename())) {
        const MsgAnswer answer = ui.MessageBox(
            QStringLiteral("Error opening file '") + photo.Filename() + QStringLiteral("'"),
            MsgButtons::RetryCancel, MsgIcon::Critical);
        if (answer != MsgAnswer::Retry) return false;
      }
      if (ui.PollCancel()) return false;
      if (photo.Angle() != 0) {
        image.Rotate(photo.Angle());
        if (ui.PollCancel()) return false;
      }
    } else {
      screen.CreateFromStdPicture(ScreenPicture(photo));
      if (!image.CreateFromDIB(screen)) return false;
    }

    bool turned = false;
    double factor = 1.0;
    cDIB work;
    cDIB result;
    if (!settings.ThumbMode) {
      const double wp = photo.ScaleWidth();
      const double hp = photo.ScaleHeight();
      const double wi = image.Width();
      const double hi = image.Height();
      const int x0 = Nearest(photo.CropX0() / wp * wi);
      const int y0 = Nearest(photo.CropY0() / hp * hi);
      const int x1 = Nearest(photo.CropX1() / wp * wi);
      const int y1 = Nearest(photo.CropY1() / hp * hi);
      work = image.ToDib(false, true, 0, 0, x0, y0, x1, y1, kHighQualityBicubic);
      image.Dispose();
      screen.Dispose();
      if (!work.IsCreated() || ui.PollCancel()) return false;

      if (!preview) {
        if (AnyEdit(photo)) {
          work.ApplyEdits(photo.Bright(), photo.Contrast(), photo.gamma(), photo.RedAdjust(),
                          photo.GreenAdjust(), photo.BlueAdjust(), photo.Saturation());
          if (ui.PollCancel()) return false;
        }
        ConvertForPrinter(work, photo.Filename(), settings, *printer);
      }
      if (!image.CreateFromDIB(work) || ui.PollCancel()) return false;

      // Turn the photo to its cell; a square photo is always turned.
      const int w0 = image.Width();
      const int h0 = image.Height();
      const bool keep = (h0 < w0 && cell.Orientation == 2) || (w0 < h0 && cell.Orientation == 1);
      if (!keep) {
        image.Rotate(-90);
        turned = true;
        // The turned image owns its pixels now.
        work.Dispose();
      }
      if (ui.PollCancel()) return false;

      if (!preview)
        factor = ResolutionFactor(photo.PrintResolution(), settings.MinResolution,
                                  settings.MaxResolution);
      if (factor != 1.0) {
        result = image.ToDib(true, false, Nearest(image.Width() * factor),
                             Nearest(image.Height() * factor), 0, 0, 0, 0, kHighQualityBicubic);
      } else {
        result = image.ToDib(false, false, 0, 0, 0, 0, 0, 0, kHighQualityBicubic);
      }
      image.Dispose();
      work.Dispose();
      ui.LetMessagesRun();
    } else {
      if (!preview) {
        // Contact sheets never print above 360 ppi unless a maximum is set; the
        // maximum stays 360 for the rest of the program run.
        if (settings.MaxResolution == 0) settings.MaxResolution = kContactSheetMaxResolution;
        const double r = photo.PrintResolution();
        if (r > settings.MaxResolution) factor = settings.MaxResolution / r;
      }
      result = image.ToDib(true, false, Nearest(image.Width() * factor),
                           Nearest(image.Height() * factor), 0, 0, 0, 0, kHighQualityBicubic);
      image.Dispose();
      screen.Dispose();
      ui.LetMessagesRun();
    }
    if (!result.IsCreated() || ui.PollCancel()) return false;

    int radius = 0;
    int amount = 0;
    if (SharpenParameters(photo.UnsharpMask(), settings.DefaultSharpen, factor, radius, amount)) {
      result.UnsharpMask(radius, amount);
      if (ui.PollCancel()) return false;
    }

    // The photo's rectangle: the cell less the photo's margin on every side.
    const double m = photo.Margin();
    int x = Nearest((m + cell.X0) * pxX);
    int y = Nearest((m + cell.Y0) * pxY);
    int w = Nearest(((cell.X1 - cell.X0) - 2 * m) * pxX);
    int h = Nearest(((cell.Y1 - cell.Y0) - 2 * m) * pxY);
    if (preview) {
      x = Nearest(x + off * pxX);
      y = Nearest(y + off * pxY);
    }
    if (settings.ThumbMode) {
      // The thumbnail keeps its aspect, centred along the shortened side.
      const double q = static_cast<double>(result.Width()) / result.Height();
      if (q > 1) {
        y = Nearest(y + (h - h / q) / 2);
        h = Nearest(h / q);
      } else {
        x = Nearest(x + (w - w * q) / 2);
        w = Nearest(w * q);
      }
    }
    QPainter* dc = target();
    if (!dc) return false;
    result.ToSurface(*dc, x, y, w, h);
    if (ui.PollCancel()) return false;

    int fs = Nearest(settings.FontSize * kMmPerPoint * pxY);
    if (preview) fs = Nearest(fs * kPreviewFontScale);
    result.SetFont(settings.FontName, fs, settings.FontBold, settings.FontItalic, turned ? 90 : 0);
    int tx = 0;
    int ty = 0;
    const bool framed = E >= kMarginForLabel && settings.PhotoDrawFrame;
    if (E < kMarginForLabel) {
      if (!turned) {
        tx = Nearest(x + w - kInnerLabelInset * pxX);
        ty = Nearest(y + h - kInnerLabelInset * pxX - fs);
      } else {
        tx = Nearest(x + w - kInnerLabelInset * pxX - fs);
        ty = Nearest(y + kInnerLabelInset * pxX);
      }
    } else {
      if (turned) {
        tx = x + w;
        ty = y;
      } else if (settings.ThumbMode) {
        tx = Nearest((cell.X1 - kContactLabelInset) * pxX);
        ty = Nearest((cell.Y1 - kContactLabelInset) * pxX - fs);
        if (preview) {
          tx = Nearest(tx + off * pxX);
          ty = Nearest(ty + off * pxY);
        }
      } else {
        tx = x + w;
        ty = y + h;
      }
      if (framed) {
        if (!turned)
          ty = Nearest(ty + kFramedLabelDrop * pxY);
        else
          tx = Nearest(tx + kFramedLabelDrop * pxY);
      }
    }
    if (!(dc = target())) return false;
    result.PrintText(*dc, photo.PhotoLabel(), tx, ty, settings.FontColor, true);

    if (framed) {
      if (!(dc = target())) return false;
      if (preview) {
        result.SetPen(kSolidPen, 1, kFrameColour);
        result.DrawRectangle(*dc, x - kPreviewFrameTopLeft, y - kPreviewFrameTopLeft,
                             x + w + kPreviewFrameBottomRight, y + h + kPreviewFrameBottomRight);
      } else {
        result.SetPen(kSolidPen, Nearest(kFramePenWidth * pxY), kFrameColour);
        result.DrawRectangle(*dc, Nearest(x - kFrameOutsetTopLeft * pxY),
                             Nearest(y - kFrameOutsetTopLeft * pxY),
                             Nearest(x + w + kFrameOutsetBottomRight * pxY),
                             Nearest(y + h + kFrameOutsetBottomRight * pxY));
      }
    }

    if (E > kMarginForCutMarks && settings.DrawCropMarks) {
      CutRect next;
      if (preview) {
        next = {Nearest((off + cell.X0) * pxX), Nearest((off + cell.Y0) * pxX),
                Nearest((off + cell.X1) * pxX), Nearest((off + cell.Y1) * pxX)};
      } else {
        next = {Nearest(pxX * cell.X0), Nearest(pxX * cell.Y0),
                Nearest(pxX * cell.X1) - kCutMarkInset, Nearest(pxX * cell.Y1) - kCutMarkInset};
      }
      next.left = SnapCutEdge(next.left, cut.right, cut.left);
      next.top = SnapCutEdge(next.top, cut.bottom, cut.top);
      cut = next;
      if (!(dc = target())) return false;
      result.SetPen(kSolidPen, 1, kCutMarkColour);
      result.DrawRectangle(*dc, cut.left, cut.top, cut.right, cut.bottom);
    }
    if (ui.PollCancel()) return false;
  }

  if (!settings.ThumbMode || title_.isEmpty()) return true;
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
  if (preview) {
    const double text_width = PageTextWidthMm(pxX, title_, font);
    const double left = Nearest((sheet_width + text_width) / kTitleDivisor);
    DrawPageText(*paper_painter, &paper_->image, pxX, title_, left + off, top + off, font);
  } else {
    const double text_width = printer->TextWidthMm(title_, font);
    const double left = Nearest((printable_width + text_width) / kTitleDivisor);
    printer->PrintText(title_, left, top, font);
  }
  return true;
}

}  // namespace tessaly
