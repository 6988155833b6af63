// The pointers of the photo view as Qt cursors: the system default, four-way
// sizing arrows and hourglass, and two images drawn here in code, an open hand for
// moving the crop frame and a pipette for the white-balance pick. The images are
// drawn at twice their logical size so they stay sharp on HiDPI screens; each
// pointer is distinguishable from the others.
#pragma once

#include <QCursor>

#include "job/crop_frame.h"

namespace tessaly {

QCursor ViewCursor(ViewPointer pointer);

}  // namespace tessaly
