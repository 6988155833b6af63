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
#include <string>
#include <tuple>
#include <vector>

#include "colour/colour_profiles.h"
#include "colour/icc_test_profiles.h"
#include "colour/printer_profile.h"
#include "controls/scripted_ui.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly::test {
namespace {

QString SaveGammaProfile(double gamma, const char* description) {
  const QString path = QString::fromStdString(TempDir()) + "/gamma.icc";
  cmsHPROFILE profile = GammaRgbProfile(gamma, description);
  EXPECT_TRUE(cmsSaveProfileToFile(profile, QFile::encodeName(path).constData()));
  cmsCloseProfile(profile);
  return path;
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
  const QString path = QString::fromStdString(TempDir()) + "/" + name;
  PutFile(path, QByteArray("\xFF\xD8", 2) + (icc.isNull() ? QByteArray() : IccChunk(1, 1, icc)) +
                    QByteArray("\xFF\xDB\x00\x04\x00\x00\xFF\xD9", 8));
  return path;
}

TEST(ColourTransformTest, PreviewColourManagement) {
  ScriptedUi ui;
  ScopedUi scoped(ui);
  cmsHPROFILE embedded = GammaRgbProfile(1.8, "Embedded 1.8\nsecond line");
  cmsHPROFILE srgb = cmsCreate_sRGBProfile();
  const QByteArray icc = ProfileBytes(embedded);
  // {file, its profile, flagged as embedded, description, converted from (null: left alone)}
  const std::tuple<const char*, QByteArray, bool, QString, cmsHPROFILE> cases[] = {
      // Converted to the display profile (sRGB offscreen).
      {"embedded.jpg", icc, true, "Embedded 1.8", embedded},
      // No embedded profile: sRGB to sRGB, a stale description emptied.
      {"plain.jpg", QByteArray(), false, QString(), srgb},
      // A corrupt one: flagged as embedded, but nothing converted and no description.
      {"corrupt.jpg", icc.left(icc.size() / 2), true, QString(), nullptr}};
  for (const auto& [name, profile, flagged, description, from] : cases) {
    SCOPED_TRACE(name);
    cDIB dib = MarkedRandomSurface(21, 11, 3);
    const std::vector<std::uint8_t> expected =
        from ? DirectTransform(dib.View(), from, srgb) : AllBytes(dib.View());
    dib.HaveEmbededProfile = !flagged;
    dib.EmbededProfileDescription = "stale";
    PreviewColourManagement(JpegWithProfile(name, profile), dib);
    EXPECT_EQ(dib.HaveEmbededProfile, flagged);
    EXPECT_EQ(dib.EmbededProfileDescription, description);
    EXPECT_EQ(AllBytes(dib.View()), expected);
  }
  EXPECT_TRUE(ui.Messages().empty());
  cmsCloseProfile(embedded);
  cmsCloseProfile(srgb);
}

}  // namespace
}  // namespace tessaly::test
