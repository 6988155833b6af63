// Image files built byte by byte for the codec tests: PNG, BMP and TIFF files of a
// chosen claimed size (with or without their pixel data), a JPEG whose frame header
// claims another size, TurboJPEG's own decode as a reference, and small helpers to
// read the bytes of written files.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "surface/cdib.h"

namespace tessaly::test {

// A path in the running test's own temporary folder; the folder is emptied on the
// first call of each test only, so files written earlier in the test stay.
QString TestFile(const QString& name);
QByteArray ReadFileBytes(const QString& path);

// The `bytes`-byte field at `at` of a byte array, little-endian unless `big_endian`.
std::uint32_t Field(const QByteArray& b, int at, int bytes, bool big_endian);

// Pixel (x, y) of a view in picture coordinates (top-left origin) as 0xBBGGRR.
std::uint32_t PixelOf(const SurfaceView& view, int x, int y);

// A colour-type-2, 8-bit PNG claiming width × height. With pixel data it is a
// complete, decodable file (a gradient); without, its image data stops after one row.
QByteArray CraftedPng(int width, int height, bool with_pixel_data);
// A 24-bit bottom-up BMP claiming width × height, complete or headers only.
QByteArray CraftedBmp(int width, int height, bool with_pixel_data);
// An uncompressed 8-bit RGB TIFF (one strip) claiming width × height, complete or
// with its strip cut to a few bytes.
QByteArray CraftedTiff(int width, int height, bool with_pixel_data);
// `jpeg` with the size in its first frame header (SOF) replaced.
QByteArray JpegWithFrameSize(const QByteArray& jpeg, int width, int height);
// A real JPEG of a smooth picture, encoded with TurboJPEG at quality 90
// (progressive when asked).
QByteArray SmallJpeg(int width, int height, bool progressive = false);
// A JPEG (4:4:4, quality 95) whose four quadrants are red (top left), green (top
// right), blue (bottom left) and white (bottom right).
QByteArray QuadrantJpeg(int width, int height);
// `jpeg` with an EXIF segment right after its start marker whose first directory
// holds only the orientation tag (big-endian TIFF structure).
QByteArray JpegWithOrientation(const QByteArray& jpeg, int orientation);
// TurboJPEG's own top-down R,G,B decode of `jpeg` at the scaled size width × height,
// placed pixel by pixel into a surface (not created when the decode fails).
cDIB TurboJpegDecoded(const QByteArray& jpeg, int width, int height);
// `jpeg` (progressive) with its last scan repeated `repeats` more times before the
// end marker: each repeat is one more scan for the decoder to run.
QByteArray JpegWithRepeatedLastScan(const QByteArray& jpeg, int repeats);

}  // namespace tessaly::test
