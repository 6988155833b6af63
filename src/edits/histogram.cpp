// Histogram counters: only the per-channel total needs a loop of its own.
#include "edits/histogram.h"

namespace tessaly {

std::uint64_t HistogramArray::Total(int channel) const {
  std::uint64_t total = 0;
  for (int bin = kHistogramFirstBin; bin <= kHistogramLastBin; ++bin) total += Count(channel, bin);
  return total;
}

}  // namespace tessaly
