// Histogram data of the screen copy after its edits: 32-bit counters per channel
// (1 = red, 2 = green, 3 = blue) and bin −15..100, all zero on construction.
// A channel value v is counted in bin v / 3 (truncated toward zero) clamped to
// −15..100, taken BEFORE the value is clamped to a byte: bins 0..85 hold 0..255,
// bins −15..−1 values clipped at black and 86..100 values clipped at white.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace tessaly {

inline constexpr int kHistogramRed = 1;
inline constexpr int kHistogramGreen = 2;
inline constexpr int kHistogramBlue = 3;
inline constexpr int kHistogramFirstBin = -15;
inline constexpr int kHistogramLastBin = 100;
inline constexpr int kHistogramBinCount = kHistogramLastBin - kHistogramFirstBin + 1;

// The bin of a channel value (any 32-bit value, not clamped to a byte).
constexpr int HistogramBin(int value) {
  return std::clamp(value / 3, kHistogramFirstBin, kHistogramLastBin);
}

class HistogramArray {
 public:
  // Counter of (channel 1..3, bin −15..100); 0 for any index outside those ranges.
  std::uint32_t Count(int channel, int bin) const {
    if (channel < kHistogramRed || channel > kHistogramBlue || bin < kHistogramFirstBin ||
        bin > kHistogramLastBin)
      return 0;
    return counts_[Index(channel, bin)];
  }
  // Counts one channel value (before clamping) in its bin. `channel` must be 1..3.
  void CountValue(int channel, int value) { ++counts_[Index(channel, HistogramBin(value))]; }
  // Adds `count` to the counter of (channel 1..3, bin −15..100); both must be in range.
  void AddToBin(int channel, int bin, std::uint32_t count) {
    counts_[Index(channel, bin)] += count;
  }
  // Adds every counter of `other` (used to gather counts made on several threads).
  void Add(const HistogramArray& other) {
    for (std::size_t i = 0; i < counts_.size(); ++i) counts_[i] += other.counts_[i];
  }
  void Clear() { counts_.fill(0); }
  // Sum of one channel's counters: the number of pixels counted.
  std::uint64_t Total(int channel) const;

  bool operator==(const HistogramArray&) const = default;

 private:
  static constexpr std::size_t Index(int channel, int bin) {
    return static_cast<std::size_t>((channel - kHistogramRed) * kHistogramBinCount +
                                    (bin - kHistogramFirstBin));
  }
  std::array<std::uint32_t, 3 * kHistogramBinCount> counts_{};
};

}  // namespace tessaly
