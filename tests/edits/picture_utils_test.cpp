#include "edits/picture_utils.h"

#include <gtest/gtest.h>

#include "controls/scripted_ui.h"
#include "edits/unsharp_mask.h"
#include "support/test_surfaces.h"
#include "surface/cdib.h"

namespace tessaly {
namespace {

// Pixel (x, y) of a top-down test picture; every pixel and channel differs.
QRgb TestColour(int x, int y) {
  return qRgb(10 * x + y + 1, 60 + 7 * y + x, 250 - x - 20 * y);
}

QImage TestPicture(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, TestColour(x, y));
  return picture;
}

// The buffer loaded from `picture` in a box of 75 view units a pixel at (120, 45),
// its unedited copy in `original`.
PictureUtilsCls Loaded(const QImage& picture, std::vector<std::uint8_t>& original,
                       bool return_original = true) {
  PictureBox box{picture, 120, 45, 75 * picture.width(), 75 * picture.height()};
  PictureUtilsCls p;
  EXPECT_TRUE(p.SetBitsFromPicture(box, original, return_original));
  return p;
}

// What Paint shows, checked to leave the box's position alone.
QImage Shown(const PictureUtilsCls& p) {
  PictureBox shown{QImage(), 3, 8, 1, 1};
  p.Paint(shown);
  EXPECT_EQ(QPoint(shown.left, shown.top), QPoint(3, 8));
  EXPECT_EQ(QSize(shown.width, shown.height), QSize(p.BoxWidth(), p.BoxHeight()));
  return shown.picture;
}

TEST(PictureUtils, SetBitsReadsBottomUpBlueGreenRedOverWhiteAndRecordsSizes) {
  std::vector<std::uint8_t> original;
  PictureUtilsCls p = Loaded(TestPicture(5, 3), original);
  EXPECT_EQ(QSize(p.Width(), p.Height()), QSize(5, 3));
  EXPECT_EQ(QSize(p.BoxWidth(), p.BoxHeight()), QSize(375, 225));
  EXPECT_EQ(p.Orientation(), 2);
  // The layout of a surface: B,G,R rows padded to four bytes with zeroes, memory row
  // 0 the picture's bottom row.
  cDIB dib;
  ASSERT_EQ(dib.CreateFromStdPicture(TestPicture(5, 3)), 24);
  const std::vector<std::uint8_t> expected = test::AllBytes(dib.View());
  EXPECT_EQ(p.Bits(), expected);
  EXPECT_EQ(original, expected);

  // Without ReturnOriginalBits the caller's copy is left alone. A square is portrait.
  std::vector<std::uint8_t> untouched{1, 2, 3};
  p = Loaded(TestPicture(2, 2), untouched, false);
  EXPECT_EQ(untouched, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(p.Orientation(), 1);
  PictureBox empty;
  EXPECT_FALSE(p.SetBitsFromPicture(empty, untouched, true));
  EXPECT_TRUE(p.View().empty());

  // Transparent pixels are read as seen over white.
  QImage clear(2, 1, QImage::Format_ARGB32);
  clear.setPixel(0, 0, qRgba(0, 0, 0, 0));
  clear.setPixel(1, 0, qRgba(200, 10, 30, 255));
  EXPECT_EQ(Loaded(clear, original).Bits(),
            (std::vector<std::uint8_t>{255, 255, 255, 30, 10, 200, 0, 0}));
}

TEST(PictureUtils, EditsMatchTheFullResolutionPassAndCountBeforeClamping) {
  const QImage picture = TestPicture(13, 6);
  std::vector<std::uint8_t> original;
  PictureUtilsCls p = Loaded(picture, original);
  // Neutral values leave the bytes but still count them; every call starts from
  // zero, and without UpdateHistogram nothing is counted.
  HistogramArray counts, expected;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 13; ++x) {
      expected.CountValue(kHistogramRed, qRed(TestColour(x, y)));
      expected.CountValue(kHistogramGreen, qGreen(TestColour(x, y)));
      expected.CountValue(kHistogramBlue, qBlue(TestColour(x, y)));
    }
  for (int call = 0; call < 2; ++call) {
    p.ApplyEdits(counts, true, 0, 0, 1.0, 0, 0, 0, 0);
    EXPECT_EQ(p.Bits(), original);
    EXPECT_TRUE(counts == expected);
  }
  p.ApplyEdits(counts, false, 0, 0, 1.0, 0, 0, 0, 0);
  EXPECT_TRUE(counts == HistogramArray());

  cDIB dib;
  ASSERT_EQ(dib.CreateFromStdPicture(picture), 24);
  p.ApplyEdits(counts, true, 51, 51, 1.0, -51, 7, 0, 20);
  dib.ApplyEdits(51, 51, 1.0, -51, 7, 0, 20);
  EXPECT_EQ(Shown(p).convertToFormat(QImage::Format_RGB888), dib.ToQImage());
  EXPECT_EQ(counts.Total(kHistogramGreen), 78u);
  // Bright and contrast 51 push most channels far past white.
  EXPECT_GT(counts.Count(kHistogramBlue, 100), 0u);
  // ResetBits brings back the unedited copy.
  p.ResetBits(original);
  EXPECT_EQ(p.Bits(), original);
}

TEST(PictureUtils, RotateBitsTurnsBufferAndCopyOrRefusesOtherAngles) {
  ScriptedUi ui;
  const ScopedUi scoped(ui);
  std::vector<std::uint8_t> original;
  PictureUtilsCls p = Loaded(TestPicture(3, 2), original);
  const std::vector<std::uint8_t> upright = original;
  ASSERT_TRUE(p.RotateBits(90, original, true));
  EXPECT_EQ(QSize(p.Width(), p.Height()), QSize(2, 3));
  EXPECT_EQ(QSize(p.BoxWidth(), p.BoxHeight()), QSize(150, 225));
  EXPECT_EQ(p.Orientation(), 1);
  ASSERT_EQ(p.Bits().size(), 8u * 3);  // stride 8
  EXPECT_EQ(original, p.Bits());
  // Turned clockwise on screen: the new picture's pixel (x, y) is the old (y, 1 − x).
  const QImage shown = Shown(p);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(shown.pixel(x, y), TestColour(y, 1 - x));

  // A half turn keeps the box; without the copy flag only the buffer turns.
  ASSERT_TRUE(p.RotateBits(180, original, false));
  EXPECT_NE(p.Bits(), original);
  EXPECT_EQ(p.BoxWidth(), 150);
  ASSERT_TRUE(p.RotateBits(-180, original, false));
  EXPECT_EQ(p.Bits(), original);
  ASSERT_TRUE(p.RotateBits(-90, original, true));
  EXPECT_EQ(p.Bits(), upright);
  EXPECT_EQ(p.BoxWidth(), 225);
  EXPECT_TRUE(ui.Messages().empty());

  // Any other angle shows the message and changes neither buffer nor copy.
  const std::vector<std::uint8_t> before = p.Bits();
  for (int angle : {45, 270, 0}) {
    EXPECT_FALSE(p.RotateBits(angle, original, true));
    EXPECT_EQ(p.Bits(), before);
    EXPECT_EQ(original, before);
    EXPECT_EQ(QSize(p.Width(), p.BoxWidth()), QSize(3, 225));
  }
  EXPECT_TRUE(test::OnlyMessages(ui, "invalid angle", MsgIcon::Exclamation, 3));
}

TEST(PictureUtils, UnsharpMaskSharpensTheBufferOrRefusesAnUnknownRadius) {
  ScriptedUi ui;
  const ScopedUi scoped(ui);
  // A gradient is left alone by the blur; the spot gives it something to sharpen.
  QImage picture = TestPicture(9, 7);
  picture.setPixel(4, 3, qRgb(255, 0, 255));
  std::vector<std::uint8_t> original;
  PictureUtilsCls p = Loaded(picture, original);
  EXPECT_FALSE(p.UnsharpMask(12, 100));
  EXPECT_EQ(p.Bits(), original);
  EXPECT_TRUE(test::OnlyMessages(ui, "Invalid radius", MsgIcon::Exclamation));
  // The screen kernel on the buffer, without polling.
  cDIB dib;
  ASSERT_EQ(dib.CreateFromStdPicture(picture), 24);
  ASSERT_TRUE(UnsharpMaskScreen(dib.View(), 10, 100));
  EXPECT_TRUE(p.UnsharpMask(10, 100));
  EXPECT_NE(p.Bits(), original);
  EXPECT_EQ(Shown(p).convertToFormat(QImage::Format_RGB888), dib.ToQImage());
  EXPECT_EQ(ui.Polls(), 0);

  // Free forgets everything: sizes, bytes, counts and what Paint shows.
  p.Free();
  EXPECT_EQ(p.Width() + p.Height() + p.BoxWidth() + p.BoxHeight(), 0);
  EXPECT_TRUE(p.Bits().empty());
  HistogramArray counts;
  counts.CountValue(kHistogramRed, 5);
  p.ApplyEdits(counts, true, 10, 0, 1.0, 0, 0, 0, 0);
  EXPECT_TRUE(counts == HistogramArray());
  EXPECT_TRUE(Shown(p).isNull());
}

}  // namespace
}  // namespace tessaly
