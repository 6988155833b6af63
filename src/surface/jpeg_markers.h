// Walking the marker segments of a JPEG stream without decoding it: the frame
// header (SOFn: coding process, size, components and their sampling factors) and
// whether the stream reaches its end marker (EOI), and the EXIF segment. Entropy-coded data is
// skipped by its marker rules (0xFF is followed by 0x00 stuffing or a restart marker inside it), so
// an end marker inside an embedded thumbnail's APP segment is never mistaken for the main
// picture's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaly {

enum class JpegCoding { kSequentialHuffman, kProgressiveHuffman, kLosslessHuffman, kOther };

struct JpegComponent {
  int h = 1;  // horizontal sampling factor, 1..4
  int v = 1;  // vertical sampling factor, 1..4
};

struct JpegFrame {
  JpegCoding coding = JpegCoding::kOther;
  int width = 0;
  int height = 0;
  std::vector<JpegComponent> components;
};

// The first frame header of the stream. False when the bytes end before one, or a
// segment on the way is malformed.
bool FindJpegFrame(const std::uint8_t* data, std::size_t size, JpegFrame& frame);

// True when the stream's bytes end before its end marker: a file cut short.
bool JpegEndsEarly(const std::uint8_t* data, std::size_t size);

// The EXIF TIFF structure of the stream: the payload of the first APP1 segment
// before the picture data that starts "Exif\0\0", without those six bytes. False
// (and `tiff` null) when there is none.
bool FindJpegExif(const std::uint8_t* data, std::size_t size, const std::uint8_t*& tiff,
                  std::size_t& tiff_size);

}  // namespace tessaly
