// Finds the ICC colour profile embedded in a JPEG (APP2 "ICC_PROFILE" segments,
// possibly split over several numbered chunks), a TIFF (tag 34675 of the first
// image directory), a HEIF/AVIF file (its ICC profile, or one built from its nclx
// code points) or a JPEG XL file (the profile of its decoded pixels) and returns
// its bytes, without decoding the image. Every offset and length read from the file
// is checked against the file size, so a hostile file yields a code, never a read
// outside the file.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tessaly {

// Result codes of ExtractProfiles; every code other than kProfileFound means
// "no embedded profile" to the callers.
inline constexpr int kProfileFound = 1;
inline constexpr int kNoProfile = 0;
inline constexpr int kNotJpegOrTiff = -1;
inline constexpr int kFileMissing = -2;
inline constexpr int kBrokenChunkSequence = -3;

// Dispatches by the file name's extension (case-insensitive): TIF and TIFF to
// the TIFF reader, JPG, JPEG and JPE to the JPEG reader. A file that does not exist
// gives kFileMissing; an unreadable one kNoProfile. Any other name, and a JPEG or
// TIFF name whose content is neither, is read by its content: a HEIF/AVIF or JPEG
// XL file's profile, or kNotJpegOrTiff (also for a missing or unreadable file).
// sRGB described by code points is no profile. `profile` holds the profile bytes
// when the result is kProfileFound and is empty otherwise.
int ExtractProfiles(const QString& file_name, QByteArray& profile);

// The two readers over the whole file's bytes (used by ExtractProfiles on the
// bytes it read, and directly by the fuzzer). Same codes and `profile` rule.
int ExtractJpegProfile(QByteArrayView file, QByteArray& profile);
int ExtractTiffProfile(QByteArrayView file, QByteArray& profile);
// The HEIF/AVIF and JPEG XL reader over the whole file's bytes: kNotJpegOrTiff for
// other content, kNoProfile for a file the library cannot read.
int ExtractLibraryProfile(QByteArrayView file, QByteArray& profile);

}  // namespace tessaly
