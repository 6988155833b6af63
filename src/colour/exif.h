// The camera data of a photo file as ready-to-show texts: maker, model, date
// taken, shutter speed, aperture, flash, focal length, ISO speed and colour space.
// The TIFF structure is the file's EXIF block (PhotoExifBlock: a JPEG's EXIF
// segment, first or after a JFIF segment; a HEIF/AVIF file's EXIF item; a JPEG XL
// file's Exif box) or the start of a TIFF file; only the first directory and its
// EXIF sub-directory are read. Every offset and count taken from the file is checked
// against the bytes holding it, so a damaged file never reads outside them.
#pragma once

#include <QString>
#include <cstdint>
#include <span>

namespace tessaly {

// Every text is empty when the file does not carry the value.
struct ExifTexts {
  QString Maker;         // as stored
  QString Model;         // as stored
  QString DateTaken;     // short date + " " + long time, or the stored text when no valid date
  QString ShutterSpeed;  // "1/250 sec"
  QString Aperture;      // "F 2.8", "F 8"
  QString Flash;         // "No Flash", "Flash" or empty
  QString FocalLength;   // "50 mm", "5.5 mm"
  QString IsoSpeed;      // "ISO 100"
  QString ColorSpace;    // "sRGB" or "Uncalibrated"
};

// Reads the texts of `file` into `texts` (cleared first). True when an EXIF/TIFF
// structure was located and its directories read, even if some texts stay empty;
// false for a missing file, a file with no EXIF block that is not a TIFF,
// or a read outside the file, with the texts filled so far kept.
bool ReadExif(const QString& file, ExifTexts& texts);

// The same over the bytes of a whole file in memory.
bool ReadExifBytes(std::span<const std::uint8_t> bytes, ExifTexts& texts);

}  // namespace tessaly
