// The white-balance pick on a photo: the colour balance is reset and the photo
// redrawn, the 5 × 5 spot around the clicked point (twips of the picture) is read
// from the shown picture, and the three adjustments that turn it grey are clamped to
// the sliders' range, stored and drawn. A black spot gives 0, 0, 0.
#pragma once

#include "edits/white_balance.h"
#include "job/my_picture.h"

namespace tessaly {

// Runs the pick at (x, y) on `photo` and returns the adjustments it now holds, for
// the red, green and blue sliders.
WhiteBalanceAdjust PickWhiteBalance(MyPicture& photo, double x, double y);

}  // namespace tessaly
