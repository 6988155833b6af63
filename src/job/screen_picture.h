// The screen picture of a photo as its view shows it (turned, edited, sharpened),
// for drawing a photo whose shown picture was released or never made. A record
// without screen pixels has its screen copy decoded from the file again; nothing of
// it is kept in the record.
#pragma once

#include <QImage>

#include "job/my_picture.h"

namespace tessaly {

// The photo's screen picture; a null image when the file can no longer be read.
QImage ScreenPicture(const MyPicture& photo);

}  // namespace tessaly
