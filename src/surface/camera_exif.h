// The camera's EXIF data a saved file keeps: the tags of the first directory that
// describe the photo (maker, model, dates, author... — not those that describe the
// stored picture's layout, nor embedded previews and XMP, which repeats the old
// orientation), the EXIF directory (exposure, lens, capture dates...) without the
// maker's own note, whose offsets would not survive the move, and the GPS directory
// when the user allows it. A saved file states orientation 1 (its pixels are upright),
// its own pixel size and its print resolution in place of the camera's, and the tags
// a JPEG's EXIF data must hold.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "surface/tiff_directories.h"

namespace tessaly {

struct CameraExif {
  bool present = false;  // the photo had EXIF data, even if nothing of it is kept
  bool little_endian = true;
  std::vector<TiffField> main;
  std::vector<TiffField> exif;
  std::vector<TiffField> gps;
};

// The kept data of a TIFF structure (an EXIF segment's, or a TIFF file's own).
// False when it is not a TIFF structure; `past_end` is set when some look fell past
// its last byte.
bool ReadCameraExif(const std::uint8_t* tiff, std::size_t size, CameraExif& camera, bool& past_end);

// The kept data of a photo file (a JPEG's EXIF segment, the EXIF block of a HEIF,
// AVIF or JPEG XL file, or a TIFF file's own directories); empty when it has none
// or cannot be read. The GPS directory only when `keep_gps`.
CameraExif CameraExifOfFile(const QString& file, bool keep_gps);

// The directories of a saved file of width × height pixels at `pixels_per_mm`
// (0: no resolution fields): the camera's, orientation 1, the resolution in pixels
// per inch and, with an EXIF directory, the version tags it lacks; for a JPEG also
// the new pixel size, its component order and YCbCr positioning (a TIFF states its
// size in its own tags and loses the camera's compressed-data tags). `main` may
// already hold the file's own image tags.
void SavedFileDirectories(const CameraExif& camera, int width, int height, double pixels_per_mm,
                          bool jpeg, std::vector<TiffField>& main, std::vector<TiffField>& exif,
                          std::vector<TiffField>& gps);

// The JPEG APP1 segment (marker and length included) that carries the saved file's
// EXIF data; empty when the photo had none or it is too large for one segment.
QByteArray ExifSegment(const CameraExif& camera, int width, int height, double pixels_per_mm);

}  // namespace tessaly
