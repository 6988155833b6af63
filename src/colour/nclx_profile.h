// An ICC profile equivalent to a HEIF/AVIF file's nclx colour description (code
// points for colour primaries and transfer characteristics), built with Little CMS
// so that such a photo reaches colour management like one with an embedded profile.
// Primaries: 1 BT.709/sRGB, 9 BT.2020, 12 Display P3, all with a D65 white; transfer:
// 13 the sRGB curve, 1, 6, 14 and 15 the BT.709 curve, 8 linear. Unspecified (2)
// primaries are BT.709's and an unspecified transfer is sRGB's.
#pragma once

#include <QByteArray>

namespace tessaly {

// The profile's bytes (the same on every call); empty when the description is
// sRGB itself (no profile needed: sRGB is what a photo without one is taken as) or
// a pair outside the list above (HDR transfers among them), which is then shown as
// sRGB too.
QByteArray NclxProfileBytes(int primaries, int transfer);

}  // namespace tessaly
