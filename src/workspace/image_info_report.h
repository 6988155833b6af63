// The text of the image-information window for one photo: file name, pixel size,
// print size in the display unit, the EXIF texts, the colour-space lines and, when
// the photo was printed before, the date. Lines end in CR LF; the print-size line
// ends in CR followed by two CR LF, exactly as the window shows it.
#pragma once

#include <QString>

#include "job/my_picture.h"

namespace tessaly {

// `units` is 1 for inches, else centimetres; `display_profile` is the display
// profile's description.
QString ImageInfoReport(const MyPicture& photo, int units, const QString& display_profile);

}  // namespace tessaly
