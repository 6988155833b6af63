// The picture box of the photo view as core code sees it: the picture it shows
// (top-down, any QImage format) and the box's position and size in the view's
// units. The screen working buffer reads its pixels from here and paints back.
#pragma once

#include <QImage>

namespace tessaly {

struct PictureBox {
  QImage picture;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

}  // namespace tessaly
