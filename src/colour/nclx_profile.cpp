// The primaries and tone curves of the nclx code points Tessaly knows, as Little CMS
// RGB profiles. Chromaticities are the standards' own (BT.709, BT.2020, SMPTE EG
// 432-1 for Display P3); the curves are the decoding side of each transfer, as
// Little CMS parametric curves of type 4: Y = (aX + b)^g for X ≥ d, else cX.
#include "colour/nclx_profile.h"

#include <lcms2.h>

#include "colour/colour_profiles.h"

namespace tessaly {
namespace {

constexpr int kPrimariesBt709 = 1;
constexpr int kUnspecified = 2;
constexpr int kPrimariesBt2020 = 9;
constexpr int kPrimariesDisplayP3 = 12;
constexpr int kTransferBt709 = 1;
constexpr int kTransferBt601 = 6;
constexpr int kTransferLinear = 8;
constexpr int kTransferSrgb = 13;
constexpr int kTransferBt2020TenBit = 14;
constexpr int kTransferBt2020TwelveBit = 15;

constexpr cmsCIExyY kD65 = {0.3127, 0.3290, 1.0};

struct Primaries {
  cmsCIExyYTRIPLE xy;
  const char* name;
};

struct Transfer {
  cmsFloat64Number params[5];  // g, a, b, c, d of a type-4 curve
  const char* name;
};

bool PrimariesOf(int code, Primaries& out) {
  switch (code) {
    case kUnspecified:
    case kPrimariesBt709:
      out = {{{0.640, 0.330, 1.0}, {0.300, 0.600, 1.0}, {0.150, 0.060, 1.0}}, "BT.709"};
      return true;
    case kPrimariesBt2020:
      out = {{{0.708, 0.292, 1.0}, {0.170, 0.797, 1.0}, {0.131, 0.046, 1.0}}, "BT.2020"};
      return true;
    case kPrimariesDisplayP3:
      out = {{{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}}, "Display P3"};
      return true;
    default:
      return false;
  }
}

bool TransferOf(int code, Transfer& out) {
  switch (code) {
    case kUnspecified:
    case kTransferSrgb:
      out = {{2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045}, "sRGB curve"};
      return true;
    case kTransferBt709:
    case kTransferBt601:
    case kTransferBt2020TenBit:
    case kTransferBt2020TwelveBit:
      out = {{1 / 0.45, 1 / 1.099, 0.099 / 1.099, 1 / 4.5, 0.081}, "BT.709 curve"};
      return true;
    case kTransferLinear:
      out = {{1.0, 1.0, 0.0, 1.0, 0.0}, "linear"};
      return true;
    default:
      return false;
  }
}

}  // namespace

QByteArray NclxProfileBytes(int primaries, int transfer) {
  const bool srgb_primaries = primaries == kPrimariesBt709 || primaries == kUnspecified;
  const bool srgb_transfer = transfer == kTransferSrgb || transfer == kUnspecified;
  Primaries p;
  Transfer t;
  if ((srgb_primaries && srgb_transfer) || !PrimariesOf(primaries, p) || !TransferOf(transfer, t))
    return QByteArray();

  IgnoreColourErrors();
  cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, t.params);
  if (curve == nullptr) return QByteArray();
  cmsToneCurve* curves[3] = {curve, curve, curve};
  cmsHPROFILE profile = cmsCreateRGBProfile(&kD65, &p.xy, curves);
  cmsFreeToneCurve(curve);
  if (profile == nullptr) return QByteArray();
  const QByteArray description = QByteArray(p.name) + " (" + t.name + ")";
  cmsMLU* text = cmsMLUalloc(nullptr, 1);
  if (text != nullptr) {
    cmsMLUsetASCII(text, "en", "US", description.constData());
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, text);
    cmsMLUfree(text);
  }
  const QByteArray bytes = SavedProfileBytes(profile);
  cmsCloseProfile(profile);
  return bytes;
}

}  // namespace tessaly
