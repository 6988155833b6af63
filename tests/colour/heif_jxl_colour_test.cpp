// The colour and camera data of HEIC, AVIF and JPEG XL photos made by the encoders'
// own tools: embedded ICC profiles come back byte for byte or as an equivalent
// profile, nclx code points become a profile that Little CMS transforms like the
// colour space they name, sRGB gives no profile, and EXIF texts are read from each
// format's own EXIF block.
#include <gtest/gtest.h>
#include <lcms2.h>

#include <QFile>
#include <QFileInfo>
#include <array>
#include <vector>

#include "colour/embedded_profile.h"
#include "colour/exif.h"
#include "colour/icc_test_profiles.h"
#include "support/photo_tools.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"
#include "surface/exif_block.h"

namespace tessaly {
namespace {

using test::RunTool;

constexpr cmsCIExyY kD65 = {0.3127, 0.3290, 1.0};
constexpr cmsCIExyYTRIPLE kP3 = {{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
constexpr cmsCIExyYTRIPLE kBt709 = {{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
constexpr cmsCIExyYTRIPLE kBt2020 = {{0.708, 0.292, 1.0}, {0.170, 0.797, 1.0}, {0.131, 0.046, 1.0}};
constexpr cmsCIExyYTRIPLE kAdobe = {{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
// Type-4 parametric curves (g, a, b, c, d) and a plain gamma.
constexpr cmsFloat64Number kSrgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
constexpr cmsFloat64Number kBt709Curve[5] = {1 / 0.45, 1 / 1.099, 0.099 / 1.099, 1 / 4.5, 0.081};
constexpr cmsFloat64Number kLinear[5] = {1.0, 1.0, 0.0, 1.0, 0.0};
constexpr cmsFloat64Number kAdobeGamma[5] = {563.0 / 256, 1.0, 0.0, 1.0, 0.0};

QByteArray RgbProfile(const cmsCIExyYTRIPLE& primaries, const cmsFloat64Number* curve) {
  cmsToneCurve* tone = cmsBuildParametricToneCurve(nullptr, 4, curve);
  cmsToneCurve* curves[3] = {tone, tone, tone};
  cmsHPROFILE profile = cmsCreateRGBProfile(&kD65, &primaries, curves);
  cmsFreeToneCurve(tone);
  const QByteArray bytes = test::ProfileBytes(profile);
  cmsCloseProfile(profile);
  return bytes;
}

// Success when both profiles take a set of colours to sRGB within one step.
testing::AssertionResult SameColours(const QByteArray& a, const QByteArray& b) {
  const std::vector<std::array<std::uint8_t, 3>> colours = {
      {255, 0, 0},   {0, 255, 0},    {0, 0, 255},     {255, 255, 0}, {0, 255, 255},
      {40, 90, 200}, {200, 120, 60}, {128, 128, 128}, {20, 20, 20},  {250, 250, 250}};
  std::vector<std::uint8_t> out[2];
  const QByteArray* profiles[2] = {&a, &b};
  for (int i = 0; i < 2; ++i) {
    cmsHPROFILE in = cmsOpenProfileFromMem(profiles[i]->constData(),
                                           static_cast<cmsUInt32Number>(profiles[i]->size()));
    if (in == nullptr) return testing::AssertionFailure() << "profile " << i << " does not open";
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM t =
        cmsCreateTransform(in, TYPE_RGB_8, srgb, TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC, 0);
    out[i].resize(3 * colours.size());
    cmsDoTransform(t, colours.data(), out[i].data(), static_cast<cmsUInt32Number>(colours.size()));
    cmsDeleteTransform(t);
    cmsCloseProfile(srgb);
    cmsCloseProfile(in);
  }
  for (std::size_t i = 0; i < out[0].size(); ++i) {
    if (std::abs(out[0][i] - out[1][i]) > 1)
      return testing::AssertionFailure() << "colour " << i / 3 << " channel " << i % 3 << ": "
                                         << int(out[0][i]) << " against " << int(out[1][i]);
  }
  return testing::AssertionSuccess();
}

class HeifJxlColourTest : public testing::Test {
 protected:
  QString Path(const QString& name) const { return dir_ + "/" + name; }
  void SetUp() override {
    ASSERT_TRUE(RunTool("convert", {"-size", "8x12", "xc:#FF0000", "xc:#00FF00", "xc:#0000FF",
                                    "xc:#808080", "+append", "PNG24:" + Path("bars.png")}));
  }
  const QString dir_ = QString::fromStdString(test::TempDir());
};

TEST_F(HeifJxlColourTest, ProfilesReachColourManagement) {
  // A Display P3 HEIC and an Adobe RGB JPEG XL, their profiles made here and given
  // to the PNGs the encoders read.
  const QByteArray p3 = RgbProfile(kP3, kSrgbCurve);
  const QByteArray adobe = RgbProfile(kAdobe, kAdobeGamma);
  test::PutFile(Path("p3.icc"), p3);
  test::PutFile(Path("adobe.icc"), adobe);
  const QString png = Path("bars.png");
  ASSERT_TRUE(RunTool("convert", {png, "-profile", Path("p3.icc"), "PNG24:" + Path("p3.png")}));
  ASSERT_TRUE(
      RunTool("convert", {png, "-profile", Path("adobe.icc"), "PNG24:" + Path("adobe.png")}));
  ASSERT_TRUE(RunTool("heif-enc", {Path("p3.png"), "-o", Path("p3.heic")}));
  ASSERT_TRUE(RunTool("cjxl", {"-d", "0", Path("adobe.png"), Path("adobe.jxl")}));
  // A PPM carries no colour description: the JPEG XL is plain sRGB. (ImageMagick's
  // PNGs state gamma 1/2.2 and BT.709 primaries, which is not sRGB's curve.)
  ASSERT_TRUE(RunTool("convert", {png, Path("bars.ppm")}));
  ASSERT_TRUE(RunTool("cjxl", {"-d", "0", Path("bars.ppm"), Path("srgb.jxl")}));
  QFile::copy(Path("p3.heic"), Path("p3 named.jpg"));
  // nclx code points written by avifenc: primaries / transfer / matrix.
  const std::pair<const char*, const char*> nclx[] = {{"p3.avif", "12/13/6"},
                                                      {"2020.avif", "9/8/9"},
                                                      {"709.avif", "1/1/1"},
                                                      {"srgb.avif", "1/13/6"},
                                                      {"unspecified.avif", "2/2/6"}};
  for (const auto& [name, cicp] : nclx)
    ASSERT_TRUE(RunTool("avifenc", {"-s", "8", "--cicp", cicp, png, Path(name)}));

  // {file, code, profile whose colours it must give (null: none), exact bytes}
  const QByteArray none;
  const std::tuple<const char*, int, QByteArray, bool> cases[] = {
      {"p3.heic", kProfileFound, p3, true},
      {"p3 named.jpg", kProfileFound, p3, true},
      {"adobe.jxl", kProfileFound, adobe, false},
      {"srgb.jxl", kNoProfile, none, false},
      {"p3.avif", kProfileFound, p3, false},
      {"2020.avif", kProfileFound, RgbProfile(kBt2020, kLinear), false},
      {"709.avif", kProfileFound, RgbProfile(kBt709, kBt709Curve), false},
      {"srgb.avif", kNoProfile, none, false},
      {"unspecified.avif", kNoProfile, none, false},
      {"bars.png", kNotJpegOrTiff, none, false}};
  for (const auto& [name, code, expected, exact] : cases) {
    SCOPED_TRACE(name);
    QByteArray profile("left over");
    EXPECT_EQ(ExtractProfiles(Path(name), profile), code);
    if (expected.isNull()) {
      EXPECT_TRUE(profile.isEmpty());
    } else if (exact) {
      EXPECT_EQ(profile, expected);
    } else {
      EXPECT_TRUE(SameColours(profile, expected));
    }
  }
  // The profile built from code points is the same on every call.
  QByteArray first, second;
  ExtractProfiles(Path("p3.avif"), first);
  ExtractProfiles(Path("p3.avif"), second);
  EXPECT_EQ(first, second);
}

TEST_F(HeifJxlColourTest, ExifTextsOfEachFormat) {
  const QString png = Path("bars.png");
  ASSERT_TRUE(RunTool("heif-enc", {png, "-o", Path("camera.heic")}));
  ASSERT_TRUE(RunTool("avifenc", {"-s", "8", png, Path("camera.avif")}));
  ASSERT_TRUE(RunTool("cjxl", {"-d", "0", png, Path("camera.jxl")}));
  ASSERT_TRUE(RunTool("convert", {png, Path("camera.jpg")}));
  ASSERT_TRUE(RunTool("convert", {png, Path("camera.tif")}));
  // Noise makes a HEIC larger than the head of a file read first for its metadata.
  ASSERT_TRUE(RunTool(
      "convert", {"-size", "512x400", "xc:", "+noise", "Random", "PNG24:" + Path("noise.png")}));
  ASSERT_TRUE(RunTool("heif-enc", {"-q", "95", Path("noise.png"), "-o", Path("large.heic")}));
  ASSERT_GT(QFileInfo(Path("large.heic")).size(), 256 << 10);
  QStringList names = {"camera.heic", "camera.avif", "camera.jxl",
                       "camera.jpg",  "camera.tif",  "large.heic"};
  // -m: exiftool wraps a bare JPEG XL codestream in a container to add the box.
  QStringList arguments = {
      "-m", "-q", "-overwrite_original", "-Make=Tessaly Test", "-Model=Model 7", "-ISO=400"};
  for (const QString& name : names) arguments << Path(name);
  ASSERT_TRUE(RunTool("exiftool", arguments));
  // A JPEG recompressed to JPEG XL keeps its EXIF in a Brotli-compressed box.
  ASSERT_TRUE(RunTool("cjxl", {Path("camera.jpg"), Path("recompressed.jxl")}));
  names << "recompressed.jxl";

  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    ExifTexts texts;
    EXPECT_TRUE(ReadExif(Path(name), texts));
    EXPECT_EQ(texts.Maker, "Tessaly Test");
    EXPECT_EQ(texts.Model, "Model 7");
    EXPECT_EQ(texts.IsoSpeed, "ISO 400");
    // The TIFF structure on its own, from the byte-order mark; a TIFF file is its own.
    const QByteArray file = test::FileBytes(Path(name));
    std::vector<std::uint8_t> tiff;
    const bool block = PhotoExifBlock(
        {reinterpret_cast<const std::uint8_t*>(file.data()), static_cast<std::size_t>(file.size())},
        tiff);
    EXPECT_EQ(block, !name.endsWith(".tif"));
    if (block) {
      ASSERT_GE(tiff.size(), 8u);
      const QByteArray head(reinterpret_cast<const char*>(tiff.data()), 4);
      EXPECT_TRUE(head == QByteArray("MM\0*", 4) || head == QByteArray("II*\0", 4));
      ExifTexts from_block;
      EXPECT_TRUE(ReadExifBytes(tiff, from_block));
      EXPECT_EQ(from_block.Model, "Model 7");
    }
    if (name == "camera.jxl") {
      // A writer whose offset does not count the "Exif\0\0" marker it puts before
      // the TIFF header: the box grows by the marker, the offset stays 0.
      QByteArray marked = file;
      const qsizetype box = marked.indexOf("Exif") - 4;
      ASSERT_GT(box, 0);
      marked.insert(box + 12, QByteArray("Exif\0\0", 6));
      const int grown = static_cast<unsigned char>(marked[box + 3]) + 6;
      ASSERT_LT(grown, 256);
      marked[box + 3] = static_cast<char>(grown);
      test::PutFile(Path("marked.jxl"), marked);
      ExifTexts from_marked;
      EXPECT_TRUE(ReadExif(Path("marked.jxl"), from_marked));
      EXPECT_EQ(from_marked.Model, "Model 7");
    }
    // Cut at half, the file gives all of its texts or none, and no profile bytes
    // from outside it.
    test::PutFile(Path("cut"), file.left(file.size() / 2));
    ExifTexts cut;
    if (ReadExif(Path("cut"), cut)) {
      EXPECT_EQ(cut.Model, "Model 7");
    } else {
      EXPECT_TRUE(cut.Maker.isEmpty() && cut.Model.isEmpty());
    }
    QByteArray profile;
    EXPECT_NE(ExtractProfiles(Path("cut"), profile), kProfileFound);
  }
}

}  // namespace
}  // namespace tessaly
