#include "edits/picture_utils.h"

#include <gtest/gtest.h>

#include <cstring>

#include "controls/scripted_ui.h"
#include "surface/cdib.h"

namespace tessaly {
namespace {

// Pixel (x, y) of a top-down test picture; every pixel and channel differs.
QRgb TestColour(int x, int y) {
  return qRgb(10 * x + y + 1, 60 + 7 * y + x, 250 - x - 20 * y);
}

QImage TestPicture(int width, int height, QImage::Format format = QImage::Format_RGB32) {
  QImage picture(width, height, format);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, TestColour(x, y));
  return picture;
}

PictureBox BoxWith(const QImage& picture) {
  PictureBox box;
  box.picture = picture;
  box.left = 120;
  box.top = 45;
  box.width = 75 * picture.width();  // view units, not pixels
  box.height = 75 * picture.height();
  return box;
}

// Bytes B, G, R of pixel (c, memory row r) of the working buffer.
const std::uint8_t* BufferPixel(const PictureUtilsCls& p, int c, int r) {
  return p.Bits().data() + static_cast<std::size_t>(r) * StrideFor(p.Width()) + 3 * c;
}

TEST(PictureUtils, SetBitsReadsBottomUpBlueGreenRedAndRecordsSizes) {
  PictureBox box = BoxWith(TestPicture(5, 3));
  PictureUtilsCls p;
  std::vector<std::uint8_t> original;
  ASSERT_TRUE(p.SetBitsFromPicture(box, original, true));
  EXPECT_EQ(p.Width(), 5);
  EXPECT_EQ(p.Height(), 3);
  EXPECT_EQ(p.BoxWidth(), 375);
  EXPECT_EQ(p.BoxHeight(), 225);
  ASSERT_EQ(p.Bits().size(), 16u * 3);  // stride 16 = 15 pixel bytes + 1 padding
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(p.Bits()[r * 16 + 15], 0);
    for (int c = 0; c < 5; ++c) {
      // Memory row 0 is the picture's bottom row.
      const QRgb want = TestColour(c, 2 - r);
      const std::uint8_t* px = BufferPixel(p, c, r);
      EXPECT_EQ(px[0], qBlue(want)) << c << "," << r;
      EXPECT_EQ(px[1], qGreen(want)) << c << "," << r;
      EXPECT_EQ(px[2], qRed(want)) << c << "," << r;
    }
  }
  EXPECT_EQ(original, p.Bits());

  // Without ReturnOriginalBits the caller's copy is left alone.
  std::vector<std::uint8_t> untouched{1, 2, 3};
  PictureBox other = BoxWith(TestPicture(2, 2));
  ASSERT_TRUE(p.SetBitsFromPicture(other, untouched, false));
  EXPECT_EQ(untouched, (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(p.Width(), 2);

  PictureBox empty;
  EXPECT_FALSE(p.SetBitsFromPicture(empty, untouched, true));
  EXPECT_EQ(p.Width(), 0);
  EXPECT_TRUE(p.View().empty());
}

TEST(PictureUtils, PaintGivesBackThePictureTheRightWayUpInTheRecordedBox) {
  for (QImage::Format format :
       {QImage::Format_RGB32, QImage::Format_RGB888, QImage::Format_BGR888}) {
    const QImage picture = TestPicture(7, 4, format);
    PictureBox box = BoxWith(picture);
    PictureUtilsCls p;
    std::vector<std::uint8_t> original;
    ASSERT_TRUE(p.SetBitsFromPicture(box, original, true));

    PictureBox shown;
    shown.left = 3;
    shown.top = 8;
    shown.width = 1;
    shown.height = 1;
    p.Paint(shown);
    EXPECT_EQ(shown.left, 3);
    EXPECT_EQ(shown.top, 8);
    EXPECT_EQ(shown.width, 525);
    EXPECT_EQ(shown.height, 300);
    ASSERT_EQ(shown.picture.size(), QSize(7, 4));
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 7; ++x)
        EXPECT_EQ(shown.picture.pixel(x, y), TestColour(x, y)) << format << " " << x << "," << y;
  }
}

TEST(PictureUtils, TransparentPixelsAreReadAsSeenOverWhite) {
  QImage picture(2, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgba(0, 0, 0, 0));
  picture.setPixel(1, 0, qRgba(200, 10, 30, 255));
  PictureBox box = BoxWith(picture);
  PictureUtilsCls p;
  std::vector<std::uint8_t> original;
  ASSERT_TRUE(p.SetBitsFromPicture(box, original, false));
  const std::uint8_t* clear = BufferPixel(p, 0, 0);
  const std::uint8_t* opaque = BufferPixel(p, 1, 0);
  EXPECT_EQ(clear[0], 255);
  EXPECT_EQ(clear[1], 255);
  EXPECT_EQ(clear[2], 255);
  EXPECT_EQ(opaque[0], 30);
  EXPECT_EQ(opaque[1], 10);
  EXPECT_EQ(opaque[2], 200);
}

TEST(PictureUtils, NeutralEditsLeaveBytesButStillFillTheHistogram) {
  PictureBox box = BoxWith(TestPicture(9, 5));
  PictureUtilsCls p;
  std::vector<std::uint8_t> original;
  ASSERT_TRUE(p.SetBitsFromPicture(box, original, true));
  HistogramArray counts;
  p.ApplyEdits(counts, true, 0, 0, 1.0, 0, 0, 0, 0);
  EXPECT_EQ(p.Bits(), original);
  HistogramArray expected;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x) {
      expected.CountValue(kHistogramRed, qRed(TestColour(x, y)));
      expected.CountValue(kHistogramGreen, qGreen(TestColour(x, y)));
      expected.CountValue(kHistogramBlue, qBlue(TestColour(x, y)));
    }
  EXPECT_TRUE(counts == expected);
  EXPECT_EQ(counts.Total(kHistogramRed), 45u);

  // Every call starts from zero; without UpdateHistogram nothing is counted.
  p.ApplyEdits(counts, true, 0, 0, 1.0, 0, 0, 0, 0);
  EXPECT_TRUE(counts == expected);
  p.ApplyEdits(counts, false, 0, 0, 1.0, 0, 0, 0, 0);
  EXPECT_TRUE(counts == HistogramArray());
}

TEST(PictureUtils, ScreenEditsMatchTheFullResolutionEditsAndCountBeforeClamping) {
  const QImage picture = TestPicture(13, 6);
  PictureBox box = BoxWith(picture);
  PictureUtilsCls p;
  std::vector<std::uint8_t> original;
  ASSERT_TRUE(p.SetBitsFromPicture(box, original, true));
  cDIB dib;
  ASSERT_EQ(dib.CreateFromStdPicture(picture), 24);

  HistogramArray counts;
  p.ApplyEdits(counts, true, 51, 51, 1.0, -51, 7, 0, 20);
  dib.ApplyEdits(51, 51, 1.0, -51, 7, 0, 20);
  PictureBox shown;
  p.Paint(shown);
  EXPECT_EQ(shown.picture.convertToFormat(QImage::Format_RGB888), dib.ToQImage());
  EXPECT_EQ(counts.Total(kHistogramGreen), 78u);
  // Bright and contrast 51 push most channels far past white.
  EXPECT_GT(counts.Count(kHistogramBlue, 100), 0u);

  // ResetBits brings back the unedited copy.
  p.ResetBits(original);
  EXPECT_EQ(p.Bits(), original);
}

TEST(PictureUtils, RotateBitsTurnsBufferAndCopyAndSwapsSizes) {
  ScriptedUi ui;
  const ScopedUi scoped(ui);
  PictureBox box = BoxWith(TestPicture(3, 2));
  PictureUtilsCls p;
  std::vector<std::uint8_t> original;
  ASSERT_TRUE(p.SetBitsFromPicture(box, original, true));
  EXPECT_EQ(p.Orientation(), 2);

  ASSERT_TRUE(p.RotateBits(90, original, true));
  EXPECT_EQ(p.Width(), 2);
  EXPECT_EQ(p.Height(), 3);
  EXPECT_EQ(p.BoxWidth(), 150);
  EXPECT_EQ(p.BoxHeight(), 225);
  EXPECT_EQ(p.Orientation(), 1);
  ASSERT_EQ(p.Bits().size(), 8u * 3);  // stride 8
  EXPECT_EQ(original, p.Bits());
  // Turned clockwise on screen: the new picture's pixel (x, y) is the old (y, 1 − x).
  PictureBox shown;
  p.Paint(shown);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(shown.picture.pixel(x, y), TestColour(y, 1 - x));

  // Only the buffer turns when the copy is not to be updated.
  const std::vector<std::uint8_t> copy_before = original;
  ASSERT_TRUE(p.RotateBits(180, original, false));
  EXPECT_EQ(original, copy_before);
  EXPECT_EQ(p.BoxWidth(), 150);  // a half turn keeps the box
  ASSERT_TRUE(p.RotateBits(180, original, false));
  EXPECT_EQ(p.Bits(), original);
  ASSERT_TRUE(p.RotateBits(-90, original, true));
  p.Paint(shown);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(shown.picture.pixel(x, y), TestColour(x, y));
  EXPECT_EQ(p.BoxWidth(), 225);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST(PictureUtils, OtherAnglesShowInvalidAngleAndChangeNothing) {
  ScriptedUi ui;
  const ScopedUi scoped(ui);
  PictureBox box = BoxWith(TestPicture(3, 2));
  PictureUtilsCls p;
  std::vector<std::uint8_t> original;
  ASSERT_TRUE(p.SetBitsFromPicture(box, original, true));
  const std::vector<std::uint8_t> before = p.Bits();
  for (int angle : {45, 270, 0, -270, 360}) {
    EXPECT_FALSE(p.RotateBits(angle, original, true));
    EXPECT_EQ(p.Bits(), before);
    EXPECT_EQ(original, before);
    EXPECT_EQ(p.Width(), 3);
    EXPECT_EQ(p.BoxWidth(), 225);
  }
  ASSERT_EQ(ui.Messages().size(), 5u);
  for (const RecordedMessage& m : ui.Messages()) {
    EXPECT_EQ(m.text, "invalid angle");
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
  }
}

TEST(PictureUtils, OrientationIsLandscapeOnlyWhenWider) {
  struct Case {
    int width, height, orientation;
  } cases[] = {{3, 2, 2}, {2, 3, 1}, {4, 4, 1}};
  for (const Case& c : cases) {
    PictureBox box = BoxWith(TestPicture(c.width, c.height));
    PictureUtilsCls p;
    std::vector<std::uint8_t> original;
    ASSERT_TRUE(p.SetBitsFromPicture(box, original, false));
    EXPECT_EQ(p.Orientation(), c.orientation) << c.width << "x" << c.height;
  }
  PictureUtilsCls none;
  EXPECT_EQ(none.Orientation(), 1);
}

TEST(PictureUtils, UnsharpMaskSharpensTheBufferOrRefusesAnUnknownRadius) {
  ScriptedUi ui;
  const ScopedUi scoped(ui);
  QImage picture(5, 5, QImage::Format_RGB32);
  picture.fill(qRgb(100, 100, 100));
  picture.setPixel(2, 2, qRgb(200, 200, 200));
  PictureBox box = BoxWith(picture);
  PictureUtilsCls p;
  std::vector<std::uint8_t> original;
  ASSERT_TRUE(p.SetBitsFromPicture(box, original, true));

  EXPECT_FALSE(p.UnsharpMask(12, 100));
  EXPECT_EQ(p.Bits(), original);
  ASSERT_EQ(ui.MessageTexts(), std::vector<QString>{"Invalid radius"});
  EXPECT_EQ(ui.Messages()[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(ui.Messages()[0].buttons, MsgButtons::Ok);

  // 2·200 − round(1000/9) = 289 → 255; its neighbours 2·100 − 111 = 89.
  EXPECT_TRUE(p.UnsharpMask(10, 100));
  PictureBox shown;
  p.Paint(shown);
  EXPECT_EQ(shown.picture.pixel(2, 2), qRgb(255, 255, 255));
  EXPECT_EQ(shown.picture.pixel(1, 2), qRgb(89, 89, 89));
  EXPECT_EQ(shown.picture.pixel(3, 3), qRgb(89, 89, 89));
  EXPECT_EQ(shown.picture.pixel(0, 0), qRgb(100, 100, 100));  // border
  EXPECT_EQ(ui.Polls(), 0);
}

TEST(PictureUtils, FreeForgetsEverything) {
  PictureBox box = BoxWith(TestPicture(4, 3));
  PictureUtilsCls p;
  std::vector<std::uint8_t> original;
  ASSERT_TRUE(p.SetBitsFromPicture(box, original, true));
  p.Free();
  EXPECT_EQ(p.Width() + p.Height() + p.BoxWidth() + p.BoxHeight(), 0);
  EXPECT_TRUE(p.Bits().empty());
  HistogramArray counts;
  counts.CountValue(kHistogramRed, 5);
  p.ApplyEdits(counts, true, 10, 0, 1.0, 0, 0, 0, 0);
  EXPECT_TRUE(counts == HistogramArray());
  PictureBox shown = box;
  p.Paint(shown);
  EXPECT_TRUE(shown.picture.isNull());
  EXPECT_EQ(shown.width, 0);
}

}  // namespace
}  // namespace tessaly
