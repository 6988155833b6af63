// Lengths and their units: millimetres are the program's unit of physical size;
// inches, centimetres, twips (1440 per inch, the unit of view and printer geometry)
// and points (72 per inch, the unit of font sizes) convert through these constants.
#pragma once

namespace tessaly {

inline constexpr double kMmPerInch = 25.4;
inline constexpr double kMmPerCm = 10.0;
inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kPointsPerInch = 72.0;

inline double TwipsToMm(double twips) {
  return twips / kTwipsPerInch * kMmPerInch;
}
inline double MmToTwips(double mm) {
  return mm / kMmPerInch * kTwipsPerInch;
}

}  // namespace tessaly
