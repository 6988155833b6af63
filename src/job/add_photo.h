// Adding a photo file to the job, as the open-photos dialog and GetPicture do it
// together: decode the file straight to its screen copy (longer side S, DCT-scaled
// for JPEG), colour-convert it for the display (which also records the embedded
// profile flag and description on the surface), add a record and load it. A run
// without a window adds the record alone, from the file's header.
#pragma once

#include <QImage>
#include <QString>
#include <functional>

#include "job/picture_manager.h"
#include "surface/cdib.h"
#include "surface/image_read_status.h"

namespace tessaly {

// Decodes `file` into its colour-managed screen copy with the longer side `S`
// device pixels (ScreenCopyPixels); `w` and `h` receive the original's pixel size. False when the
// file cannot be opened as an image
// (`status`, when given, says why).
bool MakeScreenCopy(const QString& file, int S, cDIB& copy, int& w, int& h,
                    ImageReadStatus* status = nullptr);

// Receives a new photo's thumbnail picture: the freshly loaded, unedited screen
// picture (a null image for a record without screen pixels). The record releases it
// when the call returns, so a receiver keeps only what it draws from it (a
// thumbnail cell), never the screen-sized picture itself.
using ThumbnailSink = std::function<void(const QImage& picture)>;

// GetPicture: adds a record at the end of the job and loads the screen copy into it
// with the job's screen size, photo size and margin and one copy, hands its
// thumbnail picture to `to_strip` (when given) once the record no longer needs it. The
// photo is added hidden: it keeps its unedited screen copy and is drawn when it is
// shown (UpdateGraphic). Returns the position of the new photo (which `to_strip`,
// letting messages run, may already have removed again).
int GetPicture(MyPictureManager& job, cDIB& surface, const QString& file, int w, int h,
               const ThumbnailSink& to_strip = nullptr);

// MakeScreenCopy + GetPicture; −1 (nothing added, `to_strip` not called) when the
// file cannot be opened.
int AddPhotoFile(MyPictureManager& job, const QString& file, ImageReadStatus* status = nullptr,
                 const ThumbnailSink& to_strip = nullptr);

// Adds the photo's record without screen pixels: its size from the file's header,
// its embedded-profile flag and description, and everything else GetPicture loads.
// For runs that print or save without showing the photos. −1 when the file cannot
// be opened; kPartial in `status` when it opens but its data stops early.
int AddPhotoRecord(MyPictureManager& job, const QString& file, ImageReadStatus* status = nullptr);

}  // namespace tessaly
