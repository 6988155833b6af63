// The final pixels of a large JPEG decoded reduced, at the smallest DCT scale the
// resolution factor allows, against those of its full decode, for the saved file's
// and the printed page's steps: the same result size, and pixels close to the full
// decode's (peak signal-to-noise ratio at least 40 dB).
#include "job/final_pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <tuple>

#include "controls/scripted_ui.h"
#include "job/add_photo.h"
#include "job/picture_manager.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"
#include "surface/image_file_writer.h"

namespace tessaly::test {
namespace {

constexpr int kWidth = 2400;
constexpr int kHeight = 1600;
constexpr double kLeastPsnr = 40.0;

// Peak signal-to-noise ratio of two views of the same size, in dB.
double Psnr(const SurfaceView& a, const SurfaceView& b) {
  double sum = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < 3 * a.width; ++x) {
      const double d = a.Row(y)[x] - b.Row(y)[x];
      sum += d * d;
    }
  if (sum == 0) return std::numeric_limits<double>::infinity();
  return 10 * std::log10(255.0 * 255.0 * 3 * a.width * a.height / sum);
}

// A photo-like picture: colour ramps, soft waves and a little seeded noise.
cDIB Scene() {
  cDIB dib;
  EXPECT_TRUE(dib.Create(kWidth, kHeight));
  cDIB noise = RandomSurface(kWidth, kHeight, 5);
  const SurfaceView v = dib.View();
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const double wave = 40 * std::sin(x / 37.0) * std::cos(y / 23.0);
      const int n = noise.View().Row(y)[3 * x] % 9 - 4;
      std::uint8_t* p = v.Row(y) + 3 * x;
      p[0] = static_cast<std::uint8_t>(std::clamp(60 + 120.0 * x / kWidth + wave + n, 0.0, 255.0));
      p[1] = static_cast<std::uint8_t>(std::clamp(50 + 150.0 * y / kHeight - wave + n, 0.0, 255.0));
      p[2] = static_cast<std::uint8_t>(std::clamp(128 + wave * 2 + n, 0.0, 255.0));
    }
  return dib;
}

TEST(FinalPixels, ReducedDecodeGivesTheFullDecodesSizeAndNearlyItsPixels) {
  const QString dir = QString::fromStdString(TempDir());
  const ScopedHistoryRoot root(dir + "/history");
  ScriptedUi ui;
  const ScopedUi scoped_ui(ui);
  const QString path = dir + "/large.jpg";
  cDIB scene = Scene();
  ASSERT_EQ(WriteImageFile(scene.View(), path, kSaveJpeg, 92), kSaveOk);

  // The crop in fractions of the turned picture: a general one, and one whose full
  // pixels are 1201 × 1200 (wide) but whose half-size decode crops 600 × 600.
  constexpr CropRect kCrop{0.13f, 0.21f, 0.71f, 0.52f};
  constexpr CropRect kNearlySquare{0, 0, 1200.0f / kWidth, 1199.0f / kHeight};
  // {case, scaling, quarter turns (clockwise; negative for anticlockwise), crop and edits,
  //  crop rectangle, orientation, resolution factor, default sharpening}
  const std::tuple<const char*, FinalScaling, int, bool, CropRect, int, double, bool> cases[] = {
      {"saved, cropped", FinalScaling::WithCrop, 0, true, kCrop, 0, 0.3, false},
      {"saved, turned, sharpened", FinalScaling::WithCrop, 1, true, kCrop, 0, 0.45, true},
      {"printed, turned to its cell", FinalScaling::Last, 0, true, kCrop, 1, 0.26, true},
      {"printed, half turn", FinalScaling::Last, 2, true, kCrop, 2, 0.55, false},
      {"printed, wide in a wide cell", FinalScaling::Last, 0, true, kNearlySquare, 2, 0.3, false},
      {"contact sheet", FinalScaling::Last, -1, false, kCrop, 0, 0.2, false},
  };
  for (const auto& [name, scaling, quarter_turns, crop, rect, orientation, factor, sharpen] :
       cases) {
    SCOPED_TRACE(name);
    MyPictureManager job{JobSettings{}};
    const int position = AddPhotoFile(job, path);
    ASSERT_GE(position, 0);
    MyPicture& photo = job.At(position);
    for (int i = 0; i < std::abs(quarter_turns); ++i) photo.Rotate(quarter_turns > 0 ? 90 : -90);
    const float wp = static_cast<float>(photo.ScaleWidth());
    const float hp = static_cast<float>(photo.ScaleHeight());
    photo.Crop().SetRect(
        CropRect{rect.Left * wp, rect.Top * hp, rect.Width * wp, rect.Height * hp});
    photo.UpdateGraphicValues(8, 6, 1.1, 3, -2, 4, 10);

    FinalPixelsSteps steps;
    steps.scaling = scaling;
    steps.crop = steps.edits = crop;
    steps.orientation = orientation;
    steps.factor = factor;
    steps.default_sharpen = sharpen;

    cGDIImage full, reduced;
    ASSERT_TRUE(full.CreateFromFile(path));
    ASSERT_TRUE(reduced.CreateFromFile(path, DecodeShare(factor)));
    ASSERT_LT(reduced.Width(), kWidth) << "premise: the decode is reduced";
    EXPECT_EQ(std::pair(reduced.FullWidth(), reduced.FullHeight()), std::pair(kWidth, kHeight));

    cDIB expected, result;
    bool turned_full = false, turned = false;
    ASSERT_TRUE(MakeFinalPixels(full, photo, steps, expected, turned_full));
    ASSERT_TRUE(MakeFinalPixels(reduced, photo, steps, result, turned));
    EXPECT_EQ(turned, turned_full);
    ASSERT_EQ(std::pair(result.Width(), result.Height()),
              std::pair(expected.Width(), expected.Height()));
    EXPECT_GE(Psnr(result.View(), expected.View()), kLeastPsnr);
  }
}

}  // namespace
}  // namespace tessaly::test
