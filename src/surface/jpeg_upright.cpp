// Upright decode: libjpeg's decompressor with an error manager that jumps back out
// of the library (only trivially destructible objects live in the frames it
// leaves), two band buffers that alternate between the decoder and the turning
// thread, and the turned bands written into disjoint parts of the result.
#include "surface/jpeg_upright.h"

#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <csetjmp>
#include <future>
#include <system_error>
#include <thread>

#include "surface/photo_orientation.h"

namespace tessaly {
namespace {

// Stored rows per band: a few MCU rows, small enough for a band to stay in cache
// between its decode and its turn.
constexpr int kBandRows = 64;
// TurboJPEG's cap on the scans of a progressive stream.
constexpr int kMaxScans = 500;

struct Decoder {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  jpeg_progress_mgr progress{};
  std::jmp_buf jump{};
  bool created = false;

  ~Decoder() {
    if (created) jpeg_destroy_decompress(&info);
  }
};

Decoder& Owner(j_common_ptr info) {
  return *static_cast<Decoder*>(info->client_data);
}

void ErrorExit(j_common_ptr info) {
  std::longjmp(Owner(info).jump, 1);
}

// Warnings (damaged data, a stream ending early) leave the decode going, as with
// TurboJPEG; they are not printed.
void Silent(j_common_ptr) {}

void ScanCap(j_common_ptr info) {
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) ErrorExit(info);
}

// Runs `step`; false when the library reported an error from inside it.
template <class Step>
bool Guarded(Decoder& decoder, const Step& step) {
  if (setjmp(decoder.jump) != 0) return false;
  step();
  return true;
}

// Reads the next band.height stored rows, top row first, into `band` (bottom-up).
bool ReadBand(Decoder& decoder, const SurfaceView& band) {
  JSAMPROW rows[kBandRows];
  for (int j = 0; j < band.height; ++j) rows[j] = band.Row(band.height - 1 - j);
  JDIMENSION read = 0;
  const auto wanted = static_cast<JDIMENSION>(band.height);
  const bool ran = Guarded(decoder, [&] {
    while (read < wanted) {
      const JDIMENSION got = jpeg_read_scanlines(&decoder.info, rows + read, wanted - read);
      if (got == 0) return;
      read += got;
    }
  });
  return ran && read == wanted;
}

}  // namespace

JpegDecodeResult DecodeJpegUpright(const std::uint8_t* data, std::size_t size, JpegScale scale,
                                   int orientation, SurfaceBuffer& out) {
  if (orientation < 2 || orientation > 8) return DecodeJpeg(data, size, scale, out);
  out.Release();
  JpegHeader header;
  const JpegDecodeResult checked = CheckJpegDecode(data, size, scale, header);
  if (checked != JpegDecodeResult::Decoded) return checked;

  Decoder decoder;
  decoder.info.err = jpeg_std_error(&decoder.errors);
  decoder.errors.error_exit = ErrorExit;
  decoder.errors.output_message = Silent;
  // Kept by jpeg_create_decompress, so its errors already find the decoder.
  decoder.info.client_data = &decoder;
  decoder.progress.progress_monitor = ScanCap;
  const bool started = Guarded(decoder, [&] {
    jpeg_create_decompress(&decoder.info);
    decoder.created = true;
    decoder.info.progress = &decoder.progress;
    jpeg_mem_src(&decoder.info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&decoder.info, TRUE);
    decoder.info.out_color_space = JCS_EXT_BGR;
    decoder.info.scale_num = static_cast<unsigned>(scale.num);
    decoder.info.scale_denom = static_cast<unsigned>(scale.den);
    jpeg_start_decompress(&decoder.info);
  });
  if (!started) return JpegDecodeResult::Failed;
  const int width = static_cast<int>(decoder.info.output_width);
  const int height = static_cast<int>(decoder.info.output_height);
  if (width != JpegScaledSide(header.width, scale) ||
      height != JpegScaledSide(header.height, scale) || decoder.info.output_components != 3)
    return JpegDecodeResult::Failed;
  const bool swap = OrientationSwapsSides(orientation);
  SurfaceBuffer bands[2];
  if (!out.Allocate(swap ? height : width, swap ? width : height) ||
      !bands[0].Allocate(width, std::min(height, kBandRows)) ||
      !bands[1].Allocate(width, std::min(height, kBandRows))) {
    out.Release();
    return JpegDecodeResult::Failed;
  }

  const SurfaceView upright = out.View();
  bool helper = std::thread::hardware_concurrency() > 1;
  std::future<void> turning;
  bool read = true;
  for (int top = 0, k = 0; read && top < height; top += kBandRows, ++k) {
    SurfaceView band = bands[k % 2].View();
    band.height = std::min(kBandRows, height - top);
    read = ReadBand(decoder, band);
    if (turning.valid()) turning.get();
    if (!read) break;
    const auto turn = [band, top, height, upright, orientation] {
      TurnBandUpright(band, top, height, upright, orientation);
    };
    try {
      if (helper) turning = std::async(std::launch::async, turn);
    } catch (const std::system_error&) {
      helper = false;
    }
    if (!helper) turn();
  }
  if (turning.valid()) turning.get();
  if (!read || !Guarded(decoder, [&] { jpeg_finish_decompress(&decoder.info); })) {
    out.Release();
    return JpegDecodeResult::Failed;
  }
  return JpegDecodeResult::Decoded;
}

}  // namespace tessaly
