// HEIC, AVIF and JPEG XL photos (and WebP beside them) made by the encoders' own
// command-line tools, read through the image file reader: colours and bar order,
// the rows' order, alpha onto white, 10-, 12- and 16-bit samples rounded to 8 bits,
// the primary image of a file with several, and files that are cut short, damaged
// or too large refused with a reason.
#include <gtest/gtest.h>

#include <QImage>
#include <QRgba64>
#include <cmath>

#include "support/photo_tools.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"
#include "surface/heif_jxl_reader.h"
#include "surface/image_file_reader.h"

namespace tessaly {
namespace {

using test::RunTool;

class HeifJxlReaderTest : public testing::Test {
 protected:
  QString Path(const QString& name) const { return dir_ + "/" + name; }

  // Five bars 13 pixels wide under a black strip 6 rows high, 65 × 37 in all: red,
  // green, blue, white, and blue at alpha 128 (white behind it gives 127,127,255).
  void MakeBars() {
    ASSERT_TRUE(
        RunTool("convert", {"-size", "13x31", "xc:#FF0000", "xc:#00FF00", "xc:#0000FF",
                            "xc:#FFFFFF", "xc:#0000FF80", "+append", "-background", "black",
                            "-gravity", "north", "-splice", "0x6", "PNG32:" + Path("bars.png")}));
  }

  // The colour of picture pixel (x, y) as 0xBBGGRR.
  static std::uint32_t Colour(const SurfaceView& v, int x, int y) {
    const int r = v.height - 1 - y;
    return test::Rgb(test::At(v, x, r, 2), test::At(v, x, r, 1), test::At(v, x, r, 0));
  }

  const QString dir_ = QString::fromStdString(test::TempDir());
};

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
        tolerance)
      return false;
  }
  return true;
}

TEST_F(HeifJxlReaderTest, ColourBarsInEachFormat) {
  MakeBars();
  const QString png = Path("bars.png");
  // {file, tool and arguments, tolerance per channel}; the opaque HEIC drops the
  // alpha, leaving its last bar plain blue.
  const std::tuple<QString, QString, QStringList, int> cases[] = {
      {"bars.heic", "heif-enc", {"-q", "90", png, "-o", Path("bars.heic")}, 24},
      {"opaque.heic", "heif-enc", {"--no-alpha", "-q", "90", png, "-o", Path("opaque.heic")}, 24},
      {"bars.avif", "avifenc", {"-s", "8", png, Path("bars.avif")}, 24},
      {"bars.jxl", "cjxl", {"-d", "0", png, Path("bars.jxl")}, 0},
      {"bars.webp", "cwebp", {"-quiet", "-q", "90", png, "-o", Path("bars.webp")}, 24}};
  std::uint32_t bars[] = {test::Rgb(255, 0, 0), test::Rgb(0, 255, 0), test::Rgb(0, 0, 255),
                          test::Rgb(255, 255, 255), test::Rgb(127, 127, 255)};
  SurfaceBuffer reference;
  ASSERT_TRUE(ReadImageFile(png, reference));
  for (const auto& [name, tool, arguments, tolerance] : cases) {
    SCOPED_TRACE(name.toStdString());
    ASSERT_TRUE(RunTool(tool, arguments));
    int width = 0, height = 0;
    ImageReadStatus status = ImageReadStatus::kDamaged;
    EXPECT_TRUE(ImageFileSize(Path(name), width, height, &status));
    EXPECT_EQ(status, ImageReadStatus::kOk);
    EXPECT_EQ(QSize(width, height), QSize(65, 37));
    SurfaceBuffer out;
    ASSERT_TRUE(ReadImageFile(Path(name), out, &status));
    const SurfaceView& v = out.View();
    ASSERT_EQ(QSize(v.width, v.height), QSize(65, 37));
    EXPECT_TRUE(Near(Colour(v, 32, 2), 0, tolerance)) << std::hex << Colour(v, 32, 2);
    bars[4] = name == "opaque.heic" ? test::Rgb(0, 0, 255) : test::Rgb(127, 127, 255);
    for (int bar = 0; bar < 5; ++bar) {
      const std::uint32_t got = Colour(v, 13 * bar + 6, 21);
      EXPECT_TRUE(Near(got, bars[bar], tolerance)) << bar << ": " << std::hex << got;
    }
    // Lossless JPEG XL gives back every pixel of its source exactly.
    if (tolerance == 0) {
      EXPECT_TRUE(test::SamePixels(v, reference.View()));
    }
  }
}

// 10- and 12-bit HEIC and AVIF (lossless, RGB) and 16-bit JPEG XL: each sample v of
// maximum M becomes round(v · 255 / M). The source values sit on either side of a
// half step, and where rounding, cutting off and shifting out the low bits disagree.
// The samples a HEIF file holds are taken from heif-convert's 16-bit PNG (the value
// shifted up); x265's lossless mode moves some of them by one.
TEST_F(HeifJxlReaderTest, DeepSamplesAreRoundedToEightBits) {
  struct Depth {
    int bits;
    std::array<std::uint16_t, 4> values;
  };
  const Depth depths[] = {
      {10, {2, 3, 700, 1021}}, {12, {8, 9, 2800, 4089}}, {16, {128, 129, 44800, 65407}}};
  for (const Depth& depth : depths) {
    const int bits = depth.bits;
    SCOPED_TRACE(bits);
    // The 16-bit source: each value with its bits repeated below it, which every
    // encoder takes back to the value at its own depth.
    const auto widen = [bits](std::uint16_t v) {
      return bits == 16 ? v : static_cast<std::uint16_t>(v << (16 - bits) | v >> (2 * bits - 16));
    };
    const auto& v = depth.values;
    std::vector<std::array<std::uint16_t, 3>> pixels;
    for (int x = 0; x < 4; ++x)
      pixels.push_back({widen(v[x]), widen(v[(x + 1) % 4]), widen(v[(x + 2) % 4])});
    const QString stem = Path(QString::number(bits));
    test::PutFile(stem + ".ppm", test::Ppm16(pixels, 4));
    ASSERT_TRUE(RunTool("convert", {stem + ".ppm", "-depth", "16", stem + ".png"}));
    std::vector<QString> files;
    if (bits == 16) {
      ASSERT_TRUE(RunTool("cjxl", {"-d", "0", stem + ".png", stem + ".jxl"}));
      files = {stem + ".jxl"};
    } else {
      const QString b = QString::number(bits);
      ASSERT_TRUE(RunTool("heif-enc", {"-L", "-p", "chroma=444", "--matrix_coefficients=0", "-b", b,
                                       stem + ".png", "-o", stem + ".heic"}));
      ASSERT_TRUE(RunTool("avifenc", {"-l", "-d", b, stem + ".png", stem + ".avif"}));
      files = {stem + ".heic", stem + ".avif"};
    }
    const double max = std::ldexp(1.0, bits) - 1;
    for (const QString& file : files) {
      SCOPED_TRACE(file.toStdString());
      // The samples as stored: the source itself for lossless JPEG XL.
      QImage stored(stem + ".png");
      if (bits < 16) {
        ASSERT_TRUE(RunTool("heif-convert", {file, stem + "-stored.png"}));
        stored = QImage(stem + "-stored.png");
      }
      stored = stored.convertToFormat(QImage::Format_RGBX64);
      ASSERT_EQ(stored.width(), 4);
      SurfaceBuffer out;
      ASSERT_TRUE(ReadImageFile(file, out));
      ASSERT_EQ(out.View().width, 4);
      const QRgba64* row = reinterpret_cast<const QRgba64*>(stored.constScanLine(3));
      for (int x = 0; x < 4; ++x) {
        const auto expected = [&](int sample16) {
          return static_cast<int>(std::lround((sample16 >> (16 - bits)) * 255 / max));
        };
        EXPECT_EQ(
            Colour(out.View(), x, 3),
            test::Rgb(expected(row[x].red()), expected(row[x].green()), expected(row[x].blue())))
            << x;
      }
    }
  }
}

// A file of several images gives its primary one (heif-enc makes the first primary).
TEST_F(HeifJxlReaderTest, SeveralImagesGiveThePrimary) {
  ASSERT_TRUE(RunTool("convert", {"-size", "40x30", "xc:#FF0000", "PNG24:" + Path("first.png")}));
  ASSERT_TRUE(RunTool("convert", {"-size", "24x20", "xc:#0000FF", "PNG24:" + Path("second.png")}));
  ASSERT_TRUE(RunTool("heif-enc", {Path("first.png"), Path("second.png"), "-o", Path("two.heic")}));
  SurfaceBuffer out;
  ASSERT_TRUE(ReadImageFile(Path("two.heic"), out));
  ASSERT_EQ(QSize(out.View().width, out.View().height), QSize(40, 30));
  EXPECT_TRUE(Near(Colour(out.View(), 20, 15), test::Rgb(255, 0, 0), 24));
}

// A JPEG tagged "rotate 90°" recompressed to JPEG XL carries the turn in its
// codestream: upright, the size and pixels are turned; as stored, they are not.
// (heif-enc writes no rotation, so HEIF's is not made here.)
TEST_F(HeifJxlReaderTest, OrientationIsAppliedOnlyUpright) {
  // Red on the left, blue on the right; turned 90° clockwise, red is on top.
  ASSERT_TRUE(RunTool("convert", {"-size", "20x12", "xc:#FF0000", "xc:#0000FF", "+append",
                                  "-quality", "95", Path("turned.jpg")}));
  ASSERT_TRUE(
      RunTool("exiftool", {"-q", "-overwrite_original", "-Orientation#=6", Path("turned.jpg")}));
  ASSERT_TRUE(RunTool("cjxl", {Path("turned.jpg"), Path("turned.jxl")}));
  const QByteArray file = test::FileBytes(Path("turned.jxl"));
  const auto* data = reinterpret_cast<const std::uint8_t*>(file.data());
  const auto size = static_cast<std::size_t>(file.size());
  // {upright, size, colour at the top right}
  const std::tuple<bool, QSize, std::uint32_t> cases[] = {
      {true, QSize(12, 40), test::Rgb(255, 0, 0)}, {false, QSize(40, 12), test::Rgb(0, 0, 255)}};
  for (const auto& [upright, expected, top_right] : cases) {
    SCOPED_TRACE(upright);
    int width = 0, height = 0;
    EXPECT_EQ(HeifOrJxlImageSize(data, size, upright, width, height), ImageReadStatus::kOk);
    EXPECT_EQ(QSize(width, height), expected);
    SurfaceBuffer out;
    ASSERT_EQ(DecodeHeifOrJxl(data, size, upright, out), ImageReadStatus::kOk);
    ASSERT_EQ(QSize(out.View().width, out.View().height), expected);
    EXPECT_TRUE(Near(Colour(out.View(), width - 3, 2), top_right, 24));
    EXPECT_TRUE(Near(Colour(out.View(), 2, 2), test::Rgb(255, 0, 0), 24));
  }
}

// Cut at half, bytes flipped in the middle, and headers claiming more than a surface
// may hold: each is refused with a reason (the size before any decode), never a
// crash or a read outside the file.
TEST_F(HeifJxlReaderTest, DamagedAndHugeFilesAreRefused) {
  MakeBars();
  const QString png = Path("bars.png");
  ASSERT_TRUE(RunTool("heif-enc", {"-q", "90", png, "-o", Path("bars.heic")}));
  ASSERT_TRUE(RunTool("avifenc", {"-s", "8", png, Path("bars.avif")}));
  ASSERT_TRUE(RunTool("cjxl", {"-d", "1", png, Path("bars.jxl")}));
  for (const char* name : {"bars.heic", "bars.avif", "bars.jxl"}) {
    SCOPED_TRACE(name);
    const QByteArray whole = test::FileBytes(Path(name));
    ASSERT_GT(whole.size(), 100);
    QByteArray flipped = whole;
    for (qsizetype i = whole.size() / 2 - 8; i < whole.size() / 2 + 8; ++i) flipped[i] = ~whole[i];
    for (const auto& [damage, bytes] :
         {std::pair{"cut", whole.left(whole.size() / 2)}, std::pair{"flipped", flipped}}) {
      SCOPED_TRACE(damage);
      test::PutFile(Path("damaged"), bytes);
      SurfaceBuffer out;
      ImageReadStatus status = ImageReadStatus::kOk;
      const bool read = ReadImageFile(Path("damaged"), out, &status);
      EXPECT_FALSE(read);
      EXPECT_TRUE(out.empty());
      EXPECT_EQ(status, ImageReadStatus::kDamaged);
    }
  }

  // Every image extent ('ispe': box size, type, version and flags, width, height) of
  // the HEIC made 70 000 pixels wide (past libheif's limit), then 20 000 × 20 000
  // (sides allowed, 400 megapixels not).
  const QByteArray heic = test::FileBytes(Path("bars.heic"));
  ASSERT_GT(heic.indexOf("ispe"), 0);
  const auto with_extent = [&](std::uint32_t w, std::uint32_t h) {
    QByteArray b = heic;
    for (qsizetype ispe = b.indexOf("ispe"); ispe > 0; ispe = b.indexOf("ispe", ispe + 4)) {
      for (int i = 0; i < 4; ++i) {
        b[ispe + 8 + i] = static_cast<char>(w >> (24 - 8 * i));
        b[ispe + 12 + i] = static_cast<char>(h >> (24 - 8 * i));
      }
    }
    return b;
  };
  // A coded picture larger than the boxes state (600 × 40 stored as 16 × 12): the
  // header's size stands, and the decode that does not match it is refused.
  ASSERT_TRUE(RunTool("convert", {"-size", "600x40", "xc:#336699", "PNG24:" + Path("600.png")}));
  ASSERT_TRUE(RunTool("heif-enc", {Path("600.png"), "-o", Path("600.heic")}));
  QByteArray stated_small = test::FileBytes(Path("600.heic"));
  for (qsizetype ispe = stated_small.indexOf("ispe"); ispe > 0;
       ispe = stated_small.indexOf("ispe", ispe + 4))
    stated_small.replace(ispe + 8, 8, QByteArray("\0\0\0\x10\0\0\0\x0C", 8));
  test::PutFile(Path("stated_small.heic"), stated_small);
  {
    int width = 0, height = 0;
    EXPECT_TRUE(ImageFileSize(Path("stated_small.heic"), width, height));
    EXPECT_EQ(QSize(width, height), QSize(16, 12));
    SurfaceBuffer out;
    ImageReadStatus status = ImageReadStatus::kOk;
    EXPECT_FALSE(ReadImageFile(Path("stated_small.heic"), out, &status));
    EXPECT_EQ(status, ImageReadStatus::kDamaged);
  }

  QImage wide(70000, 1, QImage::Format_RGB32);
  wide.fill(Qt::gray);
  ASSERT_TRUE(wide.save(Path("wide.png")));
  ASSERT_TRUE(RunTool("cjxl", {"-d", "0", Path("wide.png"), Path("wide.jxl")}));
  const std::pair<const char*, QByteArray> huge[] = {
      {"wide.heic", with_extent(70000, 37)},
      {"square.heic", with_extent(20000, 20000)},
      {"wide.jxl", test::FileBytes(Path("wide.jxl"))}};
  for (const auto& [name, bytes] : huge) {
    SCOPED_TRACE(name);
    test::PutFile(Path(name), bytes);
    int width = 1, height = 1;
    ImageReadStatus status = ImageReadStatus::kOk;
    EXPECT_EQ(HeifOrJxlImageSize(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                 static_cast<std::size_t>(bytes.size()), true, width, height),
              ImageReadStatus::kTooLarge);
    EXPECT_FALSE(ImageFileSize(Path(name), width, height, &status));
    EXPECT_EQ(status, ImageReadStatus::kTooLarge);
    EXPECT_EQ(width + height, 0);
    SurfaceBuffer out;
    EXPECT_FALSE(ReadImageFile(Path(name), out, &status));
    EXPECT_EQ(status, ImageReadStatus::kTooLarge);
  }
}

}  // namespace
}  // namespace tessaly
