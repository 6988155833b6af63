// A photo's screen picture: from the record when it holds screen pixels, else from
// the file's screen copy made as adding the photo makes it.
#include "job/screen_picture.h"

#include "job/add_photo.h"

namespace tessaly {

QImage ScreenPicture(const MyPicture& photo) {
  if (photo.HasScreenPixels() || !photo.picture().picture.isNull())
    return photo.RedrawnPicture(nullptr);
  cDIB copy;
  int w = 0;
  int h = 0;
  if (!MakeScreenCopy(photo.Filename(), ScreenCopyPixels(photo.ScreenSize(), photo.PixelRatio()),
                      copy, w, h))
    return QImage();
  return photo.RedrawnPicture(&copy);
}

}  // namespace tessaly
