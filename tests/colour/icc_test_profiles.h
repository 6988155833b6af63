// Colour profiles built with Little CMS, JPEG profile chunks and a one-pixel-at-a-time
// reference transform, shared by the colour and save tests.
#pragma once

#include <lcms2.h>

#include <QByteArray>
#include <cstdint>
#include <vector>

#include "support/test_surfaces.h"

namespace tessaly::test {

// An RGB profile with sRGB's primaries and D65 white but a pure power-law tone
// curve, with `description` in its description tag.
inline cmsHPROFILE GammaRgbProfile(double gamma, const char* description) {
  cmsCIExyY white;
  cmsWhitePointFromTemp(&white, 6504);
  const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
  cmsToneCurve* curve = cmsBuildGamma(nullptr, gamma);
  cmsToneCurve* curves[3] = {curve, curve, curve};
  cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
  cmsFreeToneCurve(curve);
  cmsMLU* text = cmsMLUalloc(nullptr, 1);
  cmsMLUsetASCII(text, "en", "US", description);
  cmsWriteTag(profile, cmsSigProfileDescriptionTag, text);
  cmsMLUfree(text);
  return profile;
}

inline QByteArray ProfileBytes(cmsHPROFILE profile) {
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  QByteArray bytes(static_cast<qsizetype>(size), '\0');
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  return bytes;
}

// One APP2 profile chunk: marker, length, ICC_PROFILE and its zero, the chunk's
// sequence number and the chunk total, then the data.
inline QByteArray IccChunk(int sequence, int count, const QByteArray& data) {
  const int length = 16 + static_cast<int>(data.size());
  return QByteArray("\xFF\xE2", 2) + static_cast<char>(length >> 8) + static_cast<char>(length) +
         QByteArray("ICC_PROFILE\0", 12) + static_cast<char>(sequence) + static_cast<char>(count) +
         data;
}

// The expected surface bytes, row padding included (the MarkedRandomSurface sets it
// to 0xA5, and it must stay): every pixel sent alone through a transform made in
// R,G,B byte order, its bytes swapped into the surface's B,G,R order by hand.
inline std::vector<std::uint8_t> DirectTransform(const SurfaceView& view, cmsHPROFILE in,
                                                 cmsHPROFILE out) {
  cmsHTRANSFORM t = cmsCreateTransform(in, TYPE_RGB_8, out, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
  EXPECT_NE(t, nullptr);
  std::vector<std::uint8_t> expected = AllBytes(view);
  for (int y = 0; y < view.height; ++y)
    for (int x = 0; x < view.width; ++x) {
      std::uint8_t* p = &expected[static_cast<std::size_t>(y) * view.stride + 3 * x];
      const std::uint8_t rgb[3] = {p[2], p[1], p[0]};
      std::uint8_t result[3];
      cmsDoTransform(t, rgb, result, 1);
      p[0] = result[2];
      p[1] = result[1];
      p[2] = result[0];
    }
  cmsDeleteTransform(t);
  return expected;
}

}  // namespace tessaly::test
