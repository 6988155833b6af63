// Encoding and decoding of the whole-number edit values of a history record.
#include "job/history_record.h"

#include <cmath>

#include "surface/photo_orientation.h"
#include "surface/quarter_turn.h"

namespace tessaly {

int RecordAngleOnUpright(int angle, int orientation, double printed_day) {
  if (printed_day >= kUprightRecordsSince || MirroredOrientation(orientation) ||
      !IsPhotoAngle(angle))
    return angle;
  // The stored picture turned by `angle` is the upright one turned by `angle` less
  // the orientation's own turn.
  int upright = angle - OrientationTurn(orientation);
  if (upright > kHalfTurn) upright -= 2 * kHalfTurn;
  if (upright < -kHalfTurn) upright += 2 * kHalfTurn;
  return upright;
}

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
