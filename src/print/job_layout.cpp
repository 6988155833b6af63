// The job's layout from the printer's sheet in twips, converted to millimetres.
#include "print/job_layout.h"

#include "print/printer_access.h"

namespace tessaly {

SheetGeometry SheetOf(const PrinterDevice& device) {
  SheetGeometry sheet;
  sheet.SheetWidth = TwipsToMm(device.Width());
  sheet.SheetHeight = TwipsToMm(device.Height());
  sheet.PrintableWidth = TwipsToMm(device.ScaleWidth());
  sheet.PrintableHeight = TwipsToMm(device.ScaleHeight());
  return sheet;
}

void ComputeJobLayout(PageLayout& layout, PrinterDevice& device, const JobSettings& settings) {
  KeepDevicePortrait(device);
  const SheetGeometry sheet = SheetOf(device);
  layout.ComputePageLayout(sheet.PrintableWidth, sheet.PrintableHeight, settings.Size.Width,
                           settings.Size.Height, settings.LayoutMode, settings.Center, sheet,
                           settings.ThumbMode, settings.DrawCropMarks);
}

}  // namespace tessaly
