// zlib's deflateInit_ defined by the program: a definition in the executable comes
// before the library's for every caller in the process (the dynamic linker binds
// the first definition it finds), so Qt's PDF writer and Qt's own qCompress get
// it; libpng and others that set their stream up with deflateInit2_ are untouched.
// It does what zlib's deflateInit_ does, deflateInit2_ with zlib's defaults for
// the rest, and only changes the default level. Linking the core keeps this file
// in (see src/CMakeLists.txt).
#include <zlib.h>

#include "print/page_compression.h"

extern "C" int deflateInit_(z_streamp stream, int level, const char* version, int stream_size) {
  // zlib's own defaults: a 32 KiB window and memory level 8.
  constexpr int kWindowBits = 15;
  constexpr int kMemoryLevel = 8;
  if (level == Z_DEFAULT_COMPRESSION) level = tessaly::kPageDeflateLevel;
  return deflateInit2_(stream, level, Z_DEFLATED, kWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY,
                       version, stream_size);
}
