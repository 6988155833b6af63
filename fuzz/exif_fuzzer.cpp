// Fuzz target for the EXIF reader: every input is read as a whole file. Beyond
// memory safety it checks the reader's contract: the stored texts can never be
// longer than the file, and the coded values only ever take their few texts. The
// same bytes, as a TIFF structure, go through the kept camera data and back out as
// a saved file's EXIF segment, which must fit one JPEG segment.
#include <cstddef>
#include <cstdint>

#include "colour/exif.h"
#include "surface/camera_exif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tessaly::ExifTexts texts;
  tessaly::ReadExifBytes({data, size}, texts);
  const auto longer = [size](const QString& text) {
    return static_cast<size_t>(text.size()) > size;
  };
  if (longer(texts.Maker) || longer(texts.Model)) __builtin_trap();
  if (!texts.Flash.isEmpty() && texts.Flash != "Flash" && texts.Flash != "No Flash")
    __builtin_trap();
  if (!texts.ColorSpace.isEmpty() && texts.ColorSpace != "sRGB" &&
      texts.ColorSpace != "Uncalibrated")
    __builtin_trap();
  if (!texts.IsoSpeed.isEmpty() && !texts.IsoSpeed.startsWith("ISO ")) __builtin_trap();

  tessaly::CameraExif camera;
  bool past_end = false;
  tessaly::ReadCameraExif(data, size, camera, past_end);
  if (tessaly::ExifSegment(camera, 4000, 3000, 11.8).size() > 65537) __builtin_trap();
  return 0;
}
