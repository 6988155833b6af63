// Lengths and their units: millimetres are the program's unit of physical size;
// inches, centimetres, twips (1440 per inch, the unit of view and printer geometry)
// and points (72 per inch, the unit of font sizes) convert through these constants.
// The stored "units" choice is 1 for inches; every other value means centimetres.
#pragma once

namespace tessaly {

inline constexpr double kMmPerInch = 25.4;
inline constexpr double kMmPerCm = 10.0;
inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kPointsPerInch = 72.0;
// Twips per screen pixel: the screen is taken at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;
static_assert(kTwipsPerPixel * 96 == kTwipsPerInch);

// The stored units choice that shows lengths in inches.
inline constexpr int kUnitsInches = 1;

constexpr double TwipsToMm(double twips) {
  return twips / kTwipsPerInch * kMmPerInch;
}
constexpr double MmToTwips(double mm) {
  return mm / kMmPerInch * kTwipsPerInch;
}
// Millimetres in one displayed unit: an inch when `inches`, else a centimetre.
constexpr double MmPerDisplayUnit(bool inches) {
  return inches ? kMmPerInch : kMmPerCm;
}

}  // namespace tessaly
