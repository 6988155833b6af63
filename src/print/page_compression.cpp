// qCompress defined by the program: a definition in the executable comes before
// QtCore's for every caller in the process (the dynamic linker binds the first
// definition it finds), so Qt's PDF writer gets this one. Same contract as Qt's: a
// 4-byte big-endian length, then a zlib stream; an empty array on failure. Linking
// the core keeps this file in (see src/CMakeLists.txt).
#include <libdeflate.h>

#include <QByteArray>
#include <QtEndian>
#include <cstdint>
#include <limits>
#include <memory>

#include "print/page_compression.h"

QByteArray qCompress(const uchar* data, qsizetype nbytes, int compressionLevel) {
  constexpr qsizetype kHeaderSize = 4;
  if (nbytes == 0) return QByteArray(kHeaderSize, '\0');
  if (!data || nbytes < 0 || nbytes > std::numeric_limits<std::uint32_t>::max()) return {};
  const int level =
      compressionLevel < 0 || compressionLevel > 9 ? tessaly::kPageDeflateLevel : compressionLevel;
  const std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
      libdeflate_alloc_compressor(level), &libdeflate_free_compressor);
  if (!compressor) return {};
  const std::size_t bound =
      libdeflate_zlib_compress_bound(compressor.get(), static_cast<std::size_t>(nbytes));
  QByteArray out(kHeaderSize + static_cast<qsizetype>(bound), Qt::Uninitialized);
  qToBigEndian(static_cast<std::uint32_t>(nbytes), out.data());
  const std::size_t written = libdeflate_zlib_compress(
      compressor.get(), data, static_cast<std::size_t>(nbytes), out.data() + kHeaderSize, bound);
  if (written == 0) return {};
  out.truncate(kHeaderSize + static_cast<qsizetype>(written));
  return out;
}
