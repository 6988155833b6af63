// Encoding and decoding of the whole-number edit values of a history record.
#include "job/history_record.h"

#include <cmath>

namespace tessaly {

int GammaToRecord(double gamma) {
  return static_cast<int>(std::nearbyint(gamma * kGammaScale));
}

double GammaFromRecord(int hundredths) {
  return hundredths / kGammaScale;
}

int CropCornerToRecord(double position, double extent) {
  return extent > 0 ? static_cast<int>(std::nearbyint(position / extent * kCropScale)) : 0;
}

double CropCornerFromRecord(int stored, double extent) {
  return std::nearbyint(extent * stored / kCropScale);
}

}  // namespace tessaly
