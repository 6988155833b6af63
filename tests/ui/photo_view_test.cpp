// The photo view's wiring: hover pointers at the crop frame's zones, a drag of the
// right edge and of the whole frame with real mouse events, on a plain and on a
// doubly dense screen picture, and the white-balance press and release. The crop
// rules themselves are tested with the core.
#include "ui/photo_view.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "job/my_picture.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

class PhotoViewTest : public ::testing::Test {
 protected:
  void SetUp() override { Load(1.0); }

  // A square 300-pixel picture on a 10 × 15 cm photo: the frame is upright,
  // 3000 × 4500 twips at left 750 (pixels 50..250 across, the full height). Its
  // screen copy has `ratio` device pixels per screen pixel, as the window decodes it
  // for such a screen.
  void Load(double ratio) {
    const QString dir = QString::fromStdString(test::TempDir());
    history_.reset();
    history_ = std::make_unique<test::ScopedHistoryRoot>(dir);
    settings_.ScreenPixelRatio = ratio;
    const int side = static_cast<int>(300 * ratio);
    cDIB surface = test::RandomSurface(side, side, 7);
    photo_.SetPicture(surface, 3000, 3000, 300, 101.6, 152.4, 0, dir + "/none.png", 1);
    view_.SetPhoto(&photo_);
    view_.resize(304, 304);
    view_.show();
    picture_ = view_.findChild<QWidget*>(QStringLiteral("Picture1"));
    ASSERT_NE(picture_, nullptr);
  }

  std::unique_ptr<test::ScopedHistoryRoot> history_;
  JobSettings settings_;
  MyPicture photo_{settings_};
  PhotoView view_;
  QWidget* picture_ = nullptr;

  void ExpectHoversAndDrags(double ratio);
};

// Everything the pointer does is in screen pixels, whatever the picture's density.
TEST_F(PhotoViewTest, HoverPointersAndDragsOfTheRightEdgeAndTheFrame) {
  for (const double ratio : {1.0, 2.0}) {
    SCOPED_TRACE(ratio);
    ASSERT_NO_FATAL_FAILURE(Load(ratio));
    ExpectHoversAndDrags(ratio);
  }
}

void PhotoViewTest::ExpectHoversAndDrags(double ratio) {
  ASSERT_EQ(view_.size(), QSize(304, 304));
  const QImage& shown = photo_.picture().picture;
  ASSERT_EQ(shown.size(), QSize(300, 300) * ratio);
  // The white-balance pick reads the device pixel under the screen pixel.
  const QRgb picked = shown.pixel(static_cast<int>(299 * ratio), static_cast<int>(10 * ratio));
  EXPECT_EQ(photo_.POINT(299 * 15 + 7, 10 * 15 + 7),
            RgbValue(qRed(picked), qGreen(picked), qBlue(picked)));
  EXPECT_EQ(view_.accessibleName(), "Photo");
  ASSERT_EQ(picture_->geometry(), QRect(2, 0, 300, 300));
  const CropRect& r = photo_.Crop().Rect();  // 750 + 3000 twips across (the crop tests')

  struct Hover {
    QPoint at;
    ViewPointer pointer;
    Qt::CursorShape shape;
  };
  for (const Hover& h : {Hover{{50, 150}, ViewPointer::SizeAll, Qt::SizeAllCursor},
                         Hover{{150, 2}, ViewPointer::SizeAll, Qt::SizeAllCursor},
                         Hover{{150, 150}, ViewPointer::Hand, Qt::BitmapCursor},
                         Hover{{10, 150}, ViewPointer::Default, Qt::ArrowCursor}}) {
    QTest::mouseMove(picture_, h.at);
    EXPECT_EQ(view_.Pointer(), h.pointer) << h.at.x() << "," << h.at.y();
    EXPECT_EQ(picture_->cursor().shape(), h.shape) << h.at.x() << "," << h.at.y();
  }

  QSignalSpy resolution(&view_, &PhotoView::resolutionChanged);
  // The right edge dragged in from pixel 250 to 200 (the frame's aspect and the
  // moved frame's size are the crop tests').
  QTest::mouseMove(picture_, {250, 150});
  QTest::mousePress(picture_, Qt::LeftButton, {}, {250, 150});
  QTest::mouseMove(picture_, {200, 150});
  QTest::mouseRelease(picture_, Qt::LeftButton, {}, {200, 150});
  EXPECT_FLOAT_EQ(r.Left, 750);
  EXPECT_FLOAT_EQ(r.Width, 2250);
  EXPECT_EQ(resolution.count(), 1);

  // The whole frame moved by (10, 20) pixels from inside it.
  QTest::mouseMove(picture_, {100, 100});
  EXPECT_EQ(view_.Pointer(), ViewPointer::Hand);
  QTest::mousePress(picture_, Qt::LeftButton, {}, {100, 100});
  QTest::mouseMove(picture_, {110, 120});
  QTest::mouseRelease(picture_, Qt::LeftButton, {}, {110, 120});
  EXPECT_FLOAT_EQ(r.Left, 900);
  EXPECT_FLOAT_EQ(r.Top, 300);
  EXPECT_EQ(resolution.count(), 2);
}

// A larger view shows the photo enlarged and centred; the pointer still works in
// the record's units.
TEST_F(PhotoViewTest, ALargerViewEnlargesThePhotoAndKeepsTheCropUnits) {
  QSignalSpy zoomed(&view_, &PhotoView::zoomChanged);
  view_.resize(608, 700);
  EXPECT_DOUBLE_EQ(view_.Zoom(), 2.0);
  ASSERT_EQ(zoomed.count(), 1);
  EXPECT_EQ(picture_->geometry(), QRect(4, 46, 600, 600));
  // The right edge dragged in by 100 view pixels moves it by 50 of the record's.
  const CropRect& r = photo_.Crop().Rect();
  QTest::mouseMove(picture_, {500, 300});
  QTest::mousePress(picture_, Qt::LeftButton, {}, {500, 300});
  QTest::mouseMove(picture_, {400, 300});
  QTest::mouseRelease(picture_, Qt::LeftButton, {}, {400, 300});
  EXPECT_FLOAT_EQ(r.Width, 2250);
  // A press on the view beside the photo counts from the enlarged square's corner.
  QSignalSpy down(&view_, &PhotoView::mouseDown);
  QTest::mousePress(&view_, Qt::LeftButton, {}, {2, 20});
  ASSERT_EQ(down.count(), 1);
  EXPECT_EQ(down[0][2].toDouble(), 15);
  EXPECT_EQ(down[0][3].toDouble(), -195);
  // Smaller than the record's square, the view never shrinks the photo.
  view_.resize(200, 200);
  EXPECT_DOUBLE_EQ(view_.Zoom(), 1.0);
}

TEST_F(PhotoViewTest, WhiteBalancePressRaisesMouseDownAndTheReleaseEndsTheMode) {
  QSignalSpy down(&view_, &PhotoView::mouseDown);
  view_.SetWhiteBalanceMode(true);
  QTest::mouseMove(picture_, {100, 100});
  EXPECT_EQ(view_.Pointer(), ViewPointer::Pipette);

  QTest::mousePress(picture_, Qt::LeftButton, {}, {100, 100});
  EXPECT_EQ(picture_->cursor().shape(), Qt::WaitCursor);
  ASSERT_EQ(down.count(), 1);
  EXPECT_EQ(down[0][2].toDouble(), 1500);
  EXPECT_EQ(down[0][3].toDouble(), 1500);
  EXPECT_TRUE(photo_.WhiteBalanceMode());

  QTest::mouseRelease(picture_, Qt::LeftButton, {}, {100, 100});
  EXPECT_FALSE(photo_.WhiteBalanceMode());
  EXPECT_EQ(view_.Pointer(), ViewPointer::Hand);
}

}  // namespace
}  // namespace tessaly
