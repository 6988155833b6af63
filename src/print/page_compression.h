// How page documents compress their streams. Qt's PDF writer deflates each stream
// (the photos' pixels above all) through qCompress at zlib's default level 6, the
// page's slowest step. The program defines qCompress itself (page_compression.cpp):
// the whole buffer goes through libdeflate, which at level 1 takes about a third of
// zlib level 1's time on photo pixels and gives streams within 2 % of level 6's size
// (noise defeats the longer match search). The streams stay lossless Flate data in
// zlib's format, so every reader of qCompress's output still reads them.
#pragma once

namespace tessaly {

// The deflate level a qCompress call at the default level (-1) gets.
inline constexpr int kPageDeflateLevel = 1;

}  // namespace tessaly
