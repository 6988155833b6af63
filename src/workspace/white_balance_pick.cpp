// White-balance pick: measured without any colour balance but with every other
// edit, so that the spot is judged as the photo looks apart from the balance.
#include "workspace/white_balance_pick.h"

#include <algorithm>

namespace tessaly {

WhiteBalanceAdjust PickWhiteBalance(MyPicture& photo, double x, double y) {
  photo.UpdateGraphicValues(std::nullopt, std::nullopt, std::nullopt, 0, 0, 0, std::nullopt);
  WhiteBalanceAdjust adjust =
      WhiteBalanceAt([&photo](int X, int Y) { return photo.POINT(X, Y); }, x, y);
  for (int* value : {&adjust.RedAdjust, &adjust.GreenAdjust, &adjust.BlueAdjust})
    *value = std::clamp(*value, -kEditLimit, kEditLimit);
  photo.UpdateGraphicValues(std::nullopt, std::nullopt, std::nullopt, adjust.RedAdjust,
                            adjust.GreenAdjust, adjust.BlueAdjust, std::nullopt);
  return adjust;
}

}  // namespace tessaly
