// Resolution factor and output sharpening, as printing and saving apply them.
#include "edits/output_rules.h"

#include "edits/unsharp_mask.h"

namespace tessaly {
namespace {

// Default sharpening (radius code, amount) and the resolution factors that change
// it: a strong enlargement gets the wider radius, a reduction the smaller amount.
constexpr int kDefaultSharpenRadius = 10;
constexpr int kDefaultSharpenAmount = 100;
constexpr int kEnlargedSharpenRadius = 15;
constexpr int kReducedSharpenAmount = 75;
constexpr double kEnlargedFactor = 1.25;
constexpr double kReducedFactor = 0.9;

}  // namespace

double ResolutionFactor(double r, int minimum, int maximum) {
  if (r < minimum) return minimum / r;
  if (maximum > 0 && r > maximum) return maximum / r;
  return 1.0;
}

bool SharpenParameters(int unsharp, bool default_sharpen, double factor, int& radius, int& amount) {
  if (unsharp >= 1) {
    radius = SharpenRadiusCode(unsharp);
    amount = SharpenAmount(unsharp);
    return true;
  }
  if (!default_sharpen) return false;
  radius = kDefaultSharpenRadius;
  amount = kDefaultSharpenAmount;
  if (factor > kEnlargedFactor)
    radius = kEnlargedSharpenRadius;
  else if (factor < kReducedFactor)
    amount = kReducedSharpenAmount;
  return true;
}

}  // namespace tessaly
