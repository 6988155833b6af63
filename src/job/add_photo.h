// Adding a photo file to the job, as the open-photos dialog and GetPicture do it
// together: decode the file straight to its screen copy (longer side S, DCT-scaled
// for JPEG), colour-convert it for the display (which also records the embedded
// profile flag and description on the surface), add a record and load it.
#pragma once

#include <QString>

#include "job/picture_manager.h"
#include "surface/cdib.h"

namespace tessaly {

// Size of the screen copy of a w × h original for screen size S: S wide and
// nearest(S·h / w) high when h < w, else S high and nearest(S·w / h) wide.
void ScreenCopySize(int w, int h, int S, int& width, int& height);

// Decodes `file` into its colour-managed screen copy; `w` and `h` receive the
// original's pixel size. False when the file cannot be opened as an image.
bool MakeScreenCopy(const QString& file, int S, cDIB& copy, int& w, int& h);

// GetPicture: adds a record at the end of the job and loads the screen copy into it
// with the job's screen size, photo size and margin and one copy. Returns the
// position of the new photo.
int GetPicture(MyPictureManager& job, cDIB& surface, const QString& file, int w, int h);

// MakeScreenCopy + GetPicture; −1 (nothing added) when the file cannot be opened.
int AddPhotoFile(MyPictureManager& job, const QString& file);

}  // namespace tessaly
