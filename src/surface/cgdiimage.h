// cGDIImage: one decoded image held as pixels in the surface layout (B,G,R,
// bottom-up rows, padded stride). It loads a file, reports its size, turns it by
// quarter turns, crops and resamples it (high-quality bicubic) into a new cDIB, and
// saves it as JPEG, PNG, TIFF or BMP. The pixels are its own, or borrowed from a
// cDIB after CreateFromDIB: that surface must outlive the image, and nothing here
// ever writes to it (Rotate makes the image its own first). A file may be decoded
// reduced; the image then keeps the full size of the picture it stands for.
#pragma once

#include <QString>

#include "surface/camera_exif.h"
#include "surface/cdib.h"
#include "surface/image_read_status.h"
#include "surface/surface_buffer.h"

namespace tessaly {

class cGDIImage {
 public:
  cGDIImage() = default;
  ~cGDIImage() = default;
  cGDIImage(cGDIImage&& other) noexcept;
  cGDIImage& operator=(cGDIImage&& other) noexcept;
  cGDIImage(const cGDIImage&) = delete;
  cGDIImage& operator=(const cGDIImage&) = delete;

  // Releases any image, then decodes the file (see image_file_reader.h), a JPEG at
  // the smallest DCT scale of at least `least` times its full size (1: the full
  // size). False when it cannot be read, is too large, or memory is short.
  bool CreateFromFile(const QString& file, double least = 1.0);
  // Why the last CreateFromFile failed (kOk after a success).
  ImageReadStatus ReadStatus() const { return read_status_; }
  // Releases any image, then refers to the surface's pixels. False when the surface
  // is not created.
  bool CreateFromDIB(cDIB& dib);
  // Releases the image. Safe to call repeatedly.
  void Dispose();
  bool IsCreated() const { return !view_.empty(); }
  int Width() const { return view_.width; }
  int Height() const { return view_.height; }
  // The size of the full picture the image stands for, turned with it: the file's
  // size when it was decoded reduced, else the image's own size.
  int FullWidth() const { return full_width_; }
  int FullHeight() const { return full_height_; }
  // The image's pixels per pixel of that full picture along each side (the DCT
  // scale of a reduced decode, else 1). A reduced picture's last column and row
  // may stand for less than a whole scaled pixel.
  double Reduction() const { return reduction_; }
  // The held pixels (empty when there is no image).
  const SurfaceView& Pixels() const { return view_; }

  // Turns the image: 90 → 90° clockwise, 180 or −180 → half turn, −90 → 270°
  // clockwise; 0 and every other angle leave it as it is.
  void Rotate(int angle);

  // The interpolation mode every ToDib caller asks for.
  static constexpr int kHighQualityBicubic = 7;

  // Renders the image, or a rectangle of it, into a new surface:
  //  - ScaleIt and Crop false: a plain copy at the image's own size;
  //  - otherwise the destination is NewWidth × NewHeight when ScaleIt, else
  //    (CropX1 − CropX0 + 1) × (CropY1 − CropY0 + 1); the source rectangle starts
  //    at (CropX0, CropY0) (picture coordinates, top-left origin) and measures
  //    (CropX1 − CropX0) × (CropY1 − CropY0) when Crop, else the whole image size.
  // The source is stretched onto the whole destination with the high-quality
  // bicubic resampler. InterpolMode is accepted for the callers' sake (they all pass
  // kHighQualityBicubic); every value gives that same resampling, since the
  // program has one resampler. A surface that is not created on failure (no image,
  // empty rectangle, destination outside the surface limits, memory short).
  cDIB ToDib(bool ScaleIt, bool Crop, int NewWidth, int NewHeight, int CropX0, int CropY0,
             int CropX1, int CropY1, int InterpolMode) const;
  // The rectangle (x, y, width, height) of the image, in picture coordinates whose
  // edges may fall between pixels, resampled onto a new NewWidth × NewHeight surface;
  // one that is not created on failure, as for ToDib.
  cDIB ToDibSubpixel(double x, double y, double width, double height, int NewWidth,
                     int NewHeight) const;

  // The print resolution a saved file states, in pixels per millimetre (0, as after
  // every creation: none stated).
  void SetPixelsPerMm(double pixels_per_mm) { pixels_per_mm_ = pixels_per_mm; }
  // Saves the image: lEncoder 1 JPEG (quality JPEG_Quality, 0..100), 2 PNG, 3 TIFF
  // without compression, 4 BMP, with the print resolution, the ICC profile of its
  // pixels (empty: none; not in BMP) and the camera's EXIF data (JPEG and TIFF). True
  // on success; otherwise the status is kept for SaveError. A format outside 1..4
  // returns false before touching any file.
  bool Save(const QString& file, int lEncoder, int JPEG_Quality, const QByteArray& icc_profile = {},
            const CameraExif& camera = {});
  // The text of the last save status ("" when it succeeded) and clears the status,
  // so a second call returns "".
  QString SaveError();

 private:
  SurfaceBuffer owned_;
  SurfaceView view_;
  int full_width_ = 0;
  int full_height_ = 0;
  double reduction_ = 1.0;
  double pixels_per_mm_ = 0;
  int save_status_ = 0;
  ImageReadStatus read_status_ = ImageReadStatus::kOk;
};

}  // namespace tessaly
