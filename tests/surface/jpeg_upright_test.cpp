// The band-by-band upright decode against TurboJPEG's whole decode turned upright
// afterwards: equal bytes for every tag at several scales on a camera photo, a
// progressive stream and a stream cut short, and the same refusals.
#include "surface/jpeg_upright.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include "support/fixtures.h"
#include "support/test_surfaces.h"
#include "surface/crafted_files.h"
#include "surface/photo_orientation.h"

namespace tessaly {
namespace {

JpegDecodeResult Upright(const QByteArray& jpeg, JpegScale scale, int orientation,
                         SurfaceBuffer& out) {
  return DecodeJpegUpright(reinterpret_cast<const std::uint8_t*>(jpeg.constData()),
                           static_cast<std::size_t>(jpeg.size()), scale, orientation, out);
}

TEST(JpegUpright, EqualsTheWholeDecodeTurnedUprightForEveryTagAndScale) {
  const QByteArray camera = test::ReadFileBytes(test::FixturePath("orientation_landscape_6.jpg"));
  ASSERT_GT(camera.size(), 100000);
  const struct {
    const char* name;
    QByteArray jpeg;
  } sources[] = {{"camera", camera},
                 {"progressive", test::SmallJpeg(203, 131, true)},
                 {"cut short", camera.left(camera.size() / 2)}};
  for (const auto& source : sources) {
    for (const JpegScale scale : {JpegScale{1, 1}, JpegScale{1, 2}, JpegScale{3, 8}}) {
      SurfaceBuffer stored;
      const auto* data = reinterpret_cast<const std::uint8_t*>(source.jpeg.constData());
      const auto size = static_cast<std::size_t>(source.jpeg.size());
      ASSERT_EQ(DecodeJpeg(data, size, scale, stored), JpegDecodeResult::Decoded);
      const SurfaceView& s = stored.View();
      for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(testing::Message() << source.name << " at " << scale.num << "/" << scale.den
                                        << ", tag " << orientation);
        const bool swap = OrientationSwapsSides(orientation);
        SurfaceBuffer expected, decoded;
        ASSERT_TRUE(expected.Allocate(swap ? s.height : s.width, swap ? s.width : s.height));
        ASSERT_TRUE(TurnUpright(s, expected.View(), orientation));
        ASSERT_EQ(Upright(source.jpeg, scale, orientation, decoded), JpegDecodeResult::Decoded);
        EXPECT_TRUE(test::SamePixels(decoded.View(), expected.View()));
      }
    }
  }
}

TEST(JpegUpright, RefusesWhatTheWholeDecodeRefuses) {
  SurfaceBuffer out;
  const QByteArray jpeg = test::SmallJpeg(64, 48);
  EXPECT_EQ(Upright(test::JpegWithFrameSize(jpeg, 20000, 20000), JpegScale{1, 8}, 6, out),
            JpegDecodeResult::Failed);
  EXPECT_TRUE(out.empty());
  const QByteArray progressive = test::SmallJpeg(64, 48, true);
  ASSERT_EQ(Upright(test::JpegWithRepeatedLastScan(progressive, 20), JpegScale{}, 6, out),
            JpegDecodeResult::Decoded);
  EXPECT_EQ(out.View().width, 48);
  EXPECT_EQ(Upright(test::JpegWithRepeatedLastScan(progressive, 600), JpegScale{}, 6, out),
            JpegDecodeResult::Failed);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(Upright(jpeg.left(40), JpegScale{}, 8, out), JpegDecodeResult::Failed);
  EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace tessaly
