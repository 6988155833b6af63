// TurboJPEG glue. The decoder writes B,G,R rows bottom-up at the surface stride, so
// a decoded picture lands in its surface with no copy and no conversion pass.
#include "surface/jpeg_codec.h"

#include <turbojpeg.h>

#include <limits>

namespace tessaly {
namespace {

// Decoder and encoder flags: rows bottom-up like the surface, and a cap on the
// number of progressive scans so a hostile file cannot keep the decoder busy for
// minutes.
constexpr int kDecodeFlags = TJFLAG_BOTTOMUP | TJFLAG_LIMITSCANS;
constexpr int kEncodeFlags = TJFLAG_BOTTOMUP | TJFLAG_NOREALLOC;

// Saved files are print masters: full-resolution chroma (4:4:4) keeps the colour
// edges of labels, frames, cut marks and fine coloured detail as sharp as the
// luminance, where 4:2:0 would halve their colour resolution and bleed saturated
// red or blue text into its neighbours on paper. The size cost is modest at the
// qualities photos are saved with.
constexpr int kSaveSubsampling = TJSAMP_444;

struct HandleFree {
  void operator()(void* handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleFree>;

}  // namespace

void JpegBufferFree::operator()(unsigned char* p) const {
  tjFree(p);
}

bool LooksLikeJpeg(const std::uint8_t* data, std::size_t size) {
  return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool ReadJpegHeader(const std::uint8_t* data, std::size_t size, JpegHeader& header) {
  header = {};
  if (!LooksLikeJpeg(data, size)) return false;
  const Handle tj(tjInitDecompress());
  if (!tj) return false;
  int width = 0, height = 0, subsampling = 0, colourspace = 0;
  if (tjDecompressHeader3(tj.get(), data, static_cast<unsigned long>(size), &width, &height,
                          &subsampling, &colourspace) != 0)
    return false;
  if (width <= 0 || height <= 0) return false;
  header = {width, height, colourspace};
  return true;
}

bool JpegNeedsOtherReader(const JpegHeader& header) {
  return header.colourspace == TJCS_CMYK || header.colourspace == TJCS_YCCK;
}

int JpegScaledSide(int size, JpegScale scale) {
  const long long scaled = (static_cast<long long>(size) * scale.num + scale.den - 1) / scale.den;
  return static_cast<int>(scaled);
}

JpegScale JpegScaleCovering(int width, int height, int min_width, int min_height) {
  int count = 0;
  const tjscalingfactor* factors = tjGetScalingFactors(&count);
  JpegScale best;
  for (int i = 0; factors && i < count; ++i) {
    const JpegScale s{factors[i].num, factors[i].denom};
    if (s.num > s.den) continue;
    if (JpegScaledSide(width, s) < min_width || JpegScaledSide(height, s) < min_height) continue;
    // Smaller factor: num/den < best.num/best.den.
    if (static_cast<long long>(s.num) * best.den < static_cast<long long>(best.num) * s.den)
      best = s;
  }
  return best;
}

JpegDecodeResult CheckJpegDecode(const std::uint8_t* data, std::size_t size, JpegScale scale,
                                 JpegHeader& header) {
  if (!ReadJpegHeader(data, size, header)) return JpegDecodeResult::Failed;
  if (JpegNeedsOtherReader(header)) return JpegDecodeResult::OtherReader;
  // The full size decides, even for a scaled decode: a progressive stream keeps
  // coefficients for the whole picture.
  if (!SurfaceSizeAllowed(header.width, header.height)) return JpegDecodeResult::Failed;
  if (scale.num <= 0 || scale.den <= 0 || scale.num > scale.den) return JpegDecodeResult::Failed;
  return JpegDecodeResult::Decoded;
}

JpegDecodeResult DecodeJpeg(const std::uint8_t* data, std::size_t size, JpegScale scale,
                            SurfaceBuffer& out) {
  out.Release();
  JpegHeader header;
  const JpegDecodeResult checked = CheckJpegDecode(data, size, scale, header);
  if (checked != JpegDecodeResult::Decoded) return checked;

  const int width = JpegScaledSide(header.width, scale);
  const int height = JpegScaledSide(header.height, scale);
  const Handle tj(tjInitDecompress());
  if (!tj || !out.Allocate(width, height)) return JpegDecodeResult::Failed;
  if (tjDecompress2(tj.get(), data, static_cast<unsigned long>(size), out.View().bits, width,
                    out.View().stride, height, TJPF_BGR, kDecodeFlags) != 0 &&
      tjGetErrorCode(tj.get()) != TJERR_WARNING) {
    out.Release();
    return JpegDecodeResult::Failed;
  }
  return JpegDecodeResult::Decoded;
}

JpegEncodeResult EncodeJpeg(const SurfaceView& view, int quality, JpegBytes& bytes,
                            std::size_t& size) {
  bytes.reset();
  size = 0;
  if (view.empty() || quality < 0 || quality > 100) return JpegEncodeResult::BadArgument;
  const Handle tj(tjInitCompress());
  if (!tj) return JpegEncodeResult::OutOfMemory;
  // The worst-case buffer up front: a failed allocation is then plainly "out of
  // memory", and the encoder never reallocates behind our back.
  const unsigned long capacity = tjBufSize(view.width, view.height, kSaveSubsampling);
  if (capacity == static_cast<unsigned long>(-1) ||
      capacity > static_cast<unsigned long>(std::numeric_limits<int>::max()))
    return JpegEncodeResult::BadArgument;
  unsigned char* buffer = tjAlloc(static_cast<int>(capacity));
  if (!buffer) return JpegEncodeResult::OutOfMemory;
  bytes.reset(buffer);
  unsigned long written = capacity;
  if (tjCompress2(tj.get(), view.bits, view.width, view.stride, view.height, TJPF_BGR, &buffer,
                  &written, kSaveSubsampling, quality, kEncodeFlags) != 0) {
    bytes.reset();
    return JpegEncodeResult::Failed;
  }
  size = written;
  return JpegEncodeResult::Encoded;
}

}  // namespace tessaly
