// The job's page layout on the current printer: the device is kept in portrait, its
// sheet and printable area are read in millimetres, and the cells are computed for
// the job's photo size (long side L, short side S), layout mode, centring,
// contact-sheet mode and cut marks. The print run, the settings summary and the
// batch command all compute the layout through here.
#pragma once

#include "job/job_settings.h"
#include "print/page_layout.h"
#include "print/printer_device.h"

namespace tessaly {

// The device's sheet and printable area in millimetres, current orientation.
SheetGeometry SheetOf(const PrinterDevice& device);

// Turns the device to portrait (a refusal is shown and the layout goes on) and
// computes `layout` for the job.
void ComputeJobLayout(PageLayout& layout, PrinterDevice& device, const JobSettings& settings);

}  // namespace tessaly
