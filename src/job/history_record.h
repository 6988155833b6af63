// How a photo's edits are held as whole numbers in its history record and job
// file: gamma in hundredths, crop corners in ten-thousandths of the on-screen
// picture's width and height (both to the nearest, halves to even). The angle's
// rule lives with the quarter turns, the sharpening value's with the unsharp mask.
// Records hold the angle and crop of the upright picture; older ones, written when
// photos were shown as stored, are read as the same look on the upright picture.
#pragma once

namespace tessaly {

inline constexpr double kGammaScale = 100.0;
// Stored crop corners run 0..kCropScale across the picture.
inline constexpr int kCropScale = 10000;

// Records printed before this day (a date serial's day number) were made on the
// picture as stored, before photos were turned upright by their orientation tag.
inline constexpr int kUprightRecordsSince = 46364;  // 8 December 2026

// The angle on the upright picture of a record's `angle`, printed on `printed_day`,
// for a photo whose reading applies `orientation`: an older record made on the stored
// picture keeps its look when the orientation is a pure turn (3, 6, 8) by giving back
// that turn; every other record's angle stands as it is.
int RecordAngleOnUpright(int angle, int orientation, double printed_day);

int GammaToRecord(double gamma);
double GammaFromRecord(int hundredths);

// A corner at `position` along a picture side of `extent` twips; 0 for an empty side.
int CropCornerToRecord(double position, double extent);
// The position (whole twips) of a stored corner along a side of `extent` twips.
double CropCornerFromRecord(int stored, double extent);

}  // namespace tessaly
