// The current printer as the layout, the page renderer and the print run see it:
// sheet and printable sizes in twips (1440 per inch) in the current orientation, the
// printable area sitting as far from the sheet's left edge as from its top, device
// pixels per millimetre, a painter on the current page (origin at the printable
// area's top-left corner, device pixels), text placed in millimetres, and the end or
// discard of the one-page document being built. Each ended document is one page.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "controls/units.h"
#include "print/printer_paper.h"

class QPainter;

namespace tessaly {

// The label font of the printed texts.
struct PrintFont {
  QString name;
  double size = 10.0;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::uint32_t colour = 0;  // 0x00BBGGRR
};

class PrinterDevice {
 public:
  virtual ~PrinterDevice() = default;

  // The device name the printer list shows.
  virtual QString DeviceName() const = 0;
  // Whole sheet, current orientation.
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  // Printable area.
  virtual double ScaleWidth() const = 0;
  virtual double ScaleHeight() const = 0;
  // Device pixels in one millimetre (both axes).
  virtual double PixelsPerMm() const = 0;
  // 1 portrait, 2 landscape.
  virtual int Orientation() const = 0;
  // False, with the reason in `error`, when the orientation cannot be set.
  virtual bool SetOrientation(int orientation, QString& error) = 0;

  // The painter of the current page, starting the page (and its document) when none
  // is open; null when the device cannot start one.
  virtual QPainter* hDC() = 0;
  // Writes `text` with its top-left corner at (x_mm, y_mm) from the printable area's
  // corner, starting the page when needed.
  virtual void PrintText(const QString& text, double x_mm, double y_mm, const PrintFont& font) = 0;
  // Width of `text` in millimetres with that font.
  virtual double TextWidthMm(const QString& text, const PrintFont& font) = 0;
  // Hands the open document (one page) to its destination; false when that failed.
  // Nothing happens when no page was started.
  virtual bool EndDoc() = 0;
  // Drops the open document.
  virtual void KillDoc() = 0;

  // The papers, media types and qualities the printer offers; empty lists for a
  // device with one sheet of its own.
  virtual const PrinterMedia& Media() const;
  // Chooses from Media(): the sheet, the printable area and every later document
  // follow. False, changing nothing, when a position is not listed.
  virtual bool ChooseMedia(const MediaChosen& chosen);
  virtual MediaChosen Chosen() const { return {}; }
  // The fate of each document ended since the last call, in that order. Waits while
  // the printer still works on them, asking `keep_waiting` between two looks (false
  // stops the wait), for at most kFollowSeconds after the last was ended; a document
  // still at the printer then is kStillHeld. Empty when the device has nothing to
  // follow: its documents are done once ended.
  virtual std::vector<DocumentFate> FollowDocuments(const std::function<bool()>& keep_waiting);
  // Whether the pages' colours are already the printer's own (converted to its
  // profile), so that the print system's colour management must leave them alone.
  virtual void SetColourConverted(bool) {}
};

inline constexpr int kFollowSeconds = 60;

}  // namespace tessaly
