// How a photo's edits are held as whole numbers in its history record and job
// file: gamma in hundredths, crop corners in ten-thousandths of the on-screen
// picture's width and height (both to the nearest, halves to even). The angle's
// rule lives with the quarter turns, the sharpening value's with the unsharp mask.
#pragma once

namespace tessaly {

inline constexpr double kGammaScale = 100.0;
// Stored crop corners run 0..kCropScale across the picture.
inline constexpr int kCropScale = 10000;

int GammaToRecord(double gamma);
double GammaFromRecord(int hundredths);

// A corner at `position` along a picture side of `extent` twips; 0 for an empty side.
int CropCornerToRecord(double position, double extent);
// The position (whole twips) of a stored corner along a side of `extent` twips.
double CropCornerFromRecord(int stored, double extent);

}  // namespace tessaly
