// How page documents compress their streams. Qt's PDF writer deflates each stream
// (the photos' pixels above all) at zlib's default level 6, the page's slowest step.
// On photo pixels zlib's level 1 takes about three quarters of the time and gives
// streams no larger (noise defeats level 6's longer match search). The writer's
// zlib set-up call is bound to our own, which picks that level when the caller asks
// for the default (see page_compression.cpp); the streams stay lossless Flate data.
#pragma once

namespace tessaly {

// The zlib level a deflate stream set up at the default level gets.
inline constexpr int kPageDeflateLevel = 1;

}  // namespace tessaly
