// The silent pass: libpng with an error handler that only jumps back, a warning
// handler that drops the text, and a reader over the bytes in memory that fails where
// they end. Rows are read one at a time into one row buffer (interlaced images
// pass by pass), so memory stays at one row whatever the picture's size; the caller
// has already checked that size against the surface limits.
#include "surface/png_check.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace tessaly {
namespace {

struct MemoryStream {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t offset = 0;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* stream = static_cast<MemoryStream*>(png_get_io_ptr(png));
  if (count > stream->size - stream->offset) png_error(png, "out of data");
  std::memcpy(out, stream->data + stream->offset, count);
  stream->offset += count;
}

[[noreturn]] void JumpBack(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

void DropWarning(png_structp, png_const_charp) {}

// The libpng part, kept free of C++ objects with destructors because of longjmp.
bool ReadStream(png_structp png, png_infop info, MemoryStream& stream, PngCheckDepth depth,
                std::vector<png_byte>& row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, &stream, ReadBytes);
  png_read_info(png, info);
  if (depth == PngCheckDepth::kHeader) return true;
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  row.resize(png_get_rowbytes(png, info));
  const png_uint_32 height = png_get_image_height(png, info);
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, row.data(), nullptr);
  }
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

bool LooksLikePng(const std::uint8_t* data, std::size_t size) {
  return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

ImageReadStatus CheckPngStream(const std::uint8_t* data, std::size_t size, PngCheckDepth depth) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpBack, DropWarning);
  if (!png) return ImageReadStatus::kOutOfMemory;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return ImageReadStatus::kOutOfMemory;
  }
  MemoryStream stream{data, size};
  std::vector<png_byte> row;
  const bool read = ReadStream(png, info, stream, depth, row);
  png_destroy_read_struct(&png, &info, nullptr);
  return read ? ImageReadStatus::kOk : ImageReadStatus::kDamaged;
}

}  // namespace tessaly
