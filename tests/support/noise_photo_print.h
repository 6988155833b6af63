// A photo of random pixels printed alone on one page of a real printer, for the tests
// that read printed pages back: the PNG file, the one-page print run, and the pixels
// the page must store for the photo, worked out by the renderer's own steps apart
// from the run — its crop frame resampled from the file, a real sRGB to sRGB
// transform (a photo without a profile on an sRGB printer), the turn to its cell —
// in the row order a PDF page stores them: bottom row first.
#pragma once

#include <QImage>
#include <QString>

#include "print/printer_access.h"

namespace tessaly::test {

// Prints the photo on the current printer of `access` with the photo file in
// `folder`; fills `expected` and returns the run's pages ended (1 when all went well).
int PrintNoisePhoto(PrinterAccess& access, const QString& folder, QImage& expected);

}  // namespace tessaly::test
