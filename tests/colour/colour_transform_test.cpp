// Colour transforms through real Little CMS profiles: identity between sRGB
// profiles, conversion to profiles built here (gamma 2.2 and 1.8 RGB, written to
// files and embedded in JPEG files), every pixel checked against a direct
// one-pixel transform in R,G,B order, padding and the last column, bad profiles,
// profile descriptions, the printer profile modes and preview colour management.
#include "colour/colour_transform.h"

#include <gtest/gtest.h>
#include <lcms2.h>

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "colour/colour_profiles.h"
#include "colour/display_profile.h"
#include "colour/embedded_profile.h"
#include "colour/printer_profile.h"
#include "controls/scripted_ui.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly::test {
namespace {

// An RGB profile with sRGB's primaries and D65 white but a pure power-law tone
// curve, with `description` in its description tag.
cmsHPROFILE GammaRgbProfile(double gamma, const char* description) {
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

QByteArray ProfileBytes(cmsHPROFILE profile) {
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  QByteArray bytes(static_cast<qsizetype>(size), '\0');
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  return bytes;
}

QString SaveGammaProfile(double gamma, const char* description) {
  const QString path = QString::fromStdString(TempDir()) + "/gamma.icc";
  cmsHPROFILE profile = GammaRgbProfile(gamma, description);
  EXPECT_TRUE(cmsSaveProfileToFile(profile, QFile::encodeName(path).constData()));
  cmsCloseProfile(profile);
  return path;
}

// The expected surface bytes, row padding included (the MarkedRandomSurface sets it
// to 0xA5, and it must stay): every pixel sent alone through a transform made in
// R,G,B byte order, its bytes swapped into the surface's B,G,R order by hand.
std::vector<std::uint8_t> DirectTransform(const SurfaceView& view, cmsHPROFILE in,
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

TEST(ColourTransformTest, MatchesOnePixelTransforms) {
  const QString gamma_file = SaveGammaProfile(2.2, "Gamma 2.2 test");
  // Widths with 3, 2, 1 and 0 padding bytes, a one-pixel column, and a surface large
  // enough to be converted on several cores.
  for (const auto& [w, h] :
       std::vector<std::pair<int, int>>{{33, 7}, {34, 5}, {35, 3}, {1, 6}, {301, 97}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    cDIB dib = MarkedRandomSurface(w, h, 100u + w);
    ProfileHandle srgb = CreateSrgbProfile();
    ProfileHandle gamma = OpenProfileFile(gamma_file);
    ASSERT_NE(gamma, nullptr);
    const std::vector<std::uint8_t> expected = DirectTransform(dib.View(), srgb, gamma);
    ASSERT_TRUE(dib.ColorTransform(srgb, gamma));
    // The profiles stay open and usable after the transform.
    EXPECT_EQ(ProfileDescription(gamma), "Gamma 2.2 test");
    CloseProfile(srgb);
    CloseProfile(gamma);
    EXPECT_EQ(AllBytes(dib.View()), expected);
  }
}

TEST(ColourTransformTest, BadProfilesChangeNothingAndSayNothing) {
  ScriptedUi ui;
  ScopedUi scoped(ui);
  cDIB dib = MarkedRandomSurface(13, 9, 5);
  const std::vector<std::uint8_t> before = AllBytes(dib.View());
  ProfileHandle srgb = CreateSrgbProfile();

  cmsHPROFILE rgb = GammaRgbProfile(2.2, "x");
  const QByteArray good = ProfileBytes(rgb);
  cmsCloseProfile(rgb);
  QByteArray bad_signature = good;
  bad_signature.replace(36, 4, "xxxx");
  EXPECT_EQ(OpenProfileFromMemory(good.left(100)), nullptr);
  EXPECT_EQ(OpenProfileFromMemory(bad_signature), nullptr);
  EXPECT_EQ(OpenProfileFile(QString::fromStdString(TempDir()) + "/none.icc"), nullptr);

  EXPECT_FALSE(dib.ColorTransform(nullptr, srgb));
  EXPECT_FALSE(dib.ColorTransform(srgb, nullptr));
  // A grey profile cannot take 3-channel pixels: no transform is made.
  cmsToneCurve* grey_curve = cmsBuildGamma(nullptr, 2.2);
  cmsHPROFILE grey = cmsCreateGrayProfile(cmsD50_xyY(), grey_curve);
  cmsFreeToneCurve(grey_curve);
  EXPECT_FALSE(dib.ColorTransform(srgb, grey));
  EXPECT_EQ(AllBytes(dib.View()), before);
  EXPECT_TRUE(ui.Messages().empty());

  cDIB not_created;
  EXPECT_FALSE(not_created.ColorTransform(srgb, srgb));
  EXPECT_EQ(ProfileDescription(nullptr), QString());
  CloseProfile(nullptr);
  cmsCloseProfile(grey);
  CloseProfile(srgb);
}

TEST(ColourTransformTest, DescriptionIsFirstLineUpTo200Characters) {
  const std::string long_text(230, 'd');
  const std::pair<std::string, QString> cases[] = {{"Carriage\rreturn", "Carriage"},
                                                   {long_text, QString(200, 'd')}};
  for (const auto& [tag, description] : cases) {
    SCOPED_TRACE(tag);
    cmsHPROFILE profile = GammaRgbProfile(1.8, tag.c_str());
    EXPECT_EQ(ProfileDescription(profile), description);
    cmsCloseProfile(profile);
  }
}

TEST(ColourTransformTest, PrinterProfileModes) {
  const QString chosen = SaveGammaProfile(1.8, "Chosen printer profile");
  // {name, mode, file, description (null: no profile)}
  const std::tuple<const char*, int, QString, QString> cases[] = {
      {"sRGB ignores the chosen file", kPrinterProfileSrgb, chosen, "sRGB built-in"},
      {"chosen file", kPrinterProfileChosen, chosen, "Chosen printer profile"},
      {"chosen file missing", kPrinterProfileChosen, chosen + ".gone", QString()},
      {"automatic on a queue that does not exist", kPrinterProfileAutomatic, chosen,
       "sRGB built-in"}};
  for (const auto& [name, mode, file, description] : cases) {
    SCOPED_TRACE(name);
    ProfileHandle profile = PrinterProfile(mode, "NoSuchTessalyQueue", file);
    EXPECT_EQ(profile == nullptr, description.isNull());
    EXPECT_EQ(ProfileDescription(profile), description);
    CloseProfile(profile);
  }
  // Each call gives its own handle.
  ProfileHandle first = PrinterProfile(kPrinterProfileSrgb, QString(), QString());
  ProfileHandle second = PrinterProfile(kPrinterProfileSrgb, QString(), QString());
  EXPECT_NE(first, second);
  CloseProfile(first);
  CloseProfile(second);
}

TEST(ColourTransformTest, PpdProfileKeyword) {
  const QString folder = "/usr/share/cups/profiles";
  const std::tuple<const char*, QByteArray, QString> cases[] = {
      {"relative name",
       "*PPD-Adobe: \"4.3\"\n*cupsICCProfile RGB.Plain.360dpi/Plain: \"p/plain.icc\"\n",
       folder + "/p/plain.icc"},
      {"absolute name and CRLF", "*cupsICCProfile RGB../Any: \"/opt/icc/a b.icc\"\r\n",
       "/opt/icc/a b.icc"},
      {"first of several",
       "*cupsICCProfile A../A: \"first.icc\"\n*cupsICCProfile B../B: \"second.icc\"\n",
       folder + "/first.icc"},
      {"longer keyword is another keyword", "*cupsICCProfileX A../A: \"x.icc\"\n", QString()},
      {"commented out", "*% *cupsICCProfile A../A: \"x.icc\"\n", QString()},
      {"empty name", "*cupsICCProfile A../A: \"\"\n", QString()}};
  for (const auto& [name, ppd, path] : cases)
    EXPECT_EQ(PpdIccProfilePath(ppd, folder), path) << name;
}

TEST(ColourTransformTest, ColourDirectories) {
  const QString home = QString::fromStdString(TempDir());
  const test::ScopedEnv scoped_home("HOME", QFile::encodeName(home));
  EXPECT_EQ(ColourDirectory(), "/usr/share/color/icc");
  EXPECT_EQ(ColourDirectories(), QStringList{"/usr/share/color/icc"});
  ASSERT_TRUE(QDir().mkpath(home + "/.local/share/icc"));
  EXPECT_EQ(ColourDirectories(), (QStringList{"/usr/share/color/icc", home + "/.local/share/icc"}));
}

// A JPEG file holding `icc` in one APP2 chunk and no image data: enough for the
// profile reader, which never decodes pixels.
QString JpegWithProfile(const QString& name, const QByteArray& icc) {
  QByteArray file("\xFF\xD8", 2);
  if (!icc.isNull()) {
    const int length = 16 + static_cast<int>(icc.size());
    file += QByteArray("\xFF\xE2", 2) + static_cast<char>(length >> 8) +
            static_cast<char>(length & 0xFF) + QByteArray("ICC_PROFILE\0\1\1", 14) + icc;
  }
  file += QByteArray("\xFF\xDB\x00\x04\x00\x00\xFF\xD9", 8);
  const QString path = QString::fromStdString(TempDir()) + "/" + name;
  PutFile(path, file);
  return path;
}

TEST(ColourTransformTest, PreviewColourManagement) {
  ScriptedUi ui;
  ScopedUi scoped(ui);
  cmsHPROFILE embedded = GammaRgbProfile(1.8, "Embedded 1.8\nsecond line");
  const QByteArray icc = ProfileBytes(embedded);

  // Embedded profile: converted to the display profile (sRGB offscreen).
  {
    cDIB dib = MarkedRandomSurface(21, 11, 3);
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    const std::vector<std::uint8_t> expected = DirectTransform(dib.View(), embedded, srgb);
    cmsCloseProfile(srgb);
    PreviewColourManagement(JpegWithProfile("embedded.jpg", icc), dib);
    EXPECT_TRUE(dib.HaveEmbededProfile);
    EXPECT_EQ(dib.EmbededProfileDescription, "Embedded 1.8");
    EXPECT_EQ(AllBytes(dib.View()), expected);
  }
  // No embedded profile: sRGB to sRGB, description emptied.
  {
    cDIB dib = MarkedRandomSurface(21, 11, 4);
    const std::vector<std::uint8_t> before = PixelBytes(dib.View());
    dib.HaveEmbededProfile = true;
    dib.EmbededProfileDescription = "stale";
    PreviewColourManagement(JpegWithProfile("plain.jpg", QByteArray()), dib);
    EXPECT_FALSE(dib.HaveEmbededProfile);
    EXPECT_EQ(dib.EmbededProfileDescription, QString());
    const std::vector<std::uint8_t> after = PixelBytes(dib.View());
    for (std::size_t i = 0; i < before.size(); ++i)
      ASSERT_LE(std::abs(after[i] - before[i]), 1) << i;
  }
  // A corrupt embedded profile: flagged as embedded, but nothing converted, no
  // description, no message.
  {
    cDIB dib = MarkedRandomSurface(21, 11, 5);
    const std::vector<std::uint8_t> before = AllBytes(dib.View());
    PreviewColourManagement(JpegWithProfile("corrupt.jpg", icc.left(icc.size() / 2)), dib);
    EXPECT_TRUE(dib.HaveEmbededProfile);
    EXPECT_EQ(dib.EmbededProfileDescription, QString());
    EXPECT_EQ(AllBytes(dib.View()), before);
  }
  EXPECT_TRUE(ui.Messages().empty());
  cmsCloseProfile(embedded);
}

}  // namespace
}  // namespace tessaly::test
