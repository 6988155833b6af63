// Reading image files into pixel surfaces. JPEG (recognised by its content, not its
// extension) goes through TurboJPEG straight into the surface; every other format,
// and JPEG colour spaces TurboJPEG cannot turn into B,G,R (CMYK), through Qt's
// image readers with alpha composited onto white. Files are read with plain reads
// (regular files only, bounded in size). The size is taken from the header first: a
// picture above 200 megapixels or 65,535 pixels a side, or a file too small to hold
// the picture its header describes, is refused before any pixel memory is allocated.
// Every entry point can report why a file did not open (`status`, when given).
// Sizes and pixels are those of the upright picture when photos are read upright
// (photo_orientation.h): a portrait stored sideways reads as a portrait.
#pragma once

#include <QSize>
#include <QString>
#include <functional>

#include "surface/cdib.h"
#include "surface/image_read_status.h"
#include "surface/surface_buffer.h"

namespace tessaly {

// The picture's pixel size from the file's header alone. False (sizes 0) when the
// file is unreadable, outside the surface limits or too small for its picture. A
// JPEG whose data stops early gives its size and the status kPartial.
bool ImageFileSize(const QString& file, int& width, int& height, ImageReadStatus* status = nullptr);

// Decodes the whole picture at its own size into `out`. False (and `out` released)
// when the file is unreadable, refused for its size, or memory is short. A JPEG
// whose data stops early decodes as far as its data goes (status kPartial).
bool ReadImageFile(const QString& file, SurfaceBuffer& out, ImageReadStatus* status = nullptr);

// The picture a reduced decode stands for: its full size from the header, and the
// decoded pixels per full pixel along each side (1 for a full decode).
struct FullPicture {
  int width = 0;
  int height = 0;
  double scale = 1.0;
};

// As ReadImageFile, but a JPEG is decoded at the smallest DCT scale whose picture is
// at least `least` times the full size on both sides (`least` 1 or more: the full
// size); other formats are always decoded whole. `full` describes the picture
// decoded (sizes 0 on failure).
bool ReadImageFileReduced(const QString& file, double least, SurfaceBuffer& out, FullPicture& full,
                          ImageReadStatus* status = nullptr);

// The whole picture resampled to exactly NewWidth × NewHeight (high-quality
// bicubic), for the screen copy of a photo. A JPEG is first decoded at the smallest
// DCT scale (at most 1) that still covers the requested size, so a screen-sized copy
// of a large photo never decodes the full resolution. A surface that is not created
// when the file cannot be read or the size is not a valid surface size.
cDIB ScaledCopyFromFile(const QString& file, int NewWidth, int NewHeight,
                        ImageReadStatus* status = nullptr);

// The orientation value (1..8) the readers apply to `file`: its tag when photos are
// read upright, else 1; 1 too for a file without one or that cannot be read.
int AppliedOrientation(const QString& file);

// The copy's size for a picture of the given pixel size.
using CopySizeFor = std::function<QSize(int width, int height)>;

// As above, with the copy's size chosen from the picture's own, which `width` and
// `height` receive (0 on failure): the file is read once.
cDIB ScaledCopyFromFile(const QString& file, const CopySizeFor& size_for, int& width, int& height,
                        ImageReadStatus* status = nullptr);

}  // namespace tessaly
