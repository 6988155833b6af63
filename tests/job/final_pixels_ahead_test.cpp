// Final pixels made on workers: the bytes the calling thread would make, colour
// conversion included, whichever work is taken first; a key not in flight, a photo that no longer
// decodes and a cancel while waiting all leave the caller to make or stop the pixels itself.
#include "job/final_pixels_ahead.h"

#include <gtest/gtest.h>

#include <QFile>

#include "colour/nclx_profile.h"
#include "controls/scripted_ui.h"
#include "job/add_photo.h"
#include "job/picture_manager.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"
#include "surface/image_file_writer.h"

namespace tessaly::test {
namespace {

using Taken = FinalPixelsAhead::Taken;

// sRGB to Display P3: a conversion that moves every colour.
std::unique_ptr<ProfilePair> ToDisplayP3() {
  auto pair = std::make_unique<ProfilePair>();
  pair->input = CreateSrgbProfile();
  pair->output = OpenProfileFromMemory(NclxProfileBytes(12, 13));
  return pair;
}

TEST(FinalPixelsAhead, MakesTheCallersPixelsAndLeavesFailuresAndCancelsToIt) {
  const QString dir = QString::fromStdString(TempDir());
  const ScopedHistoryRoot root(dir + "/history");
  ScriptedUi ui;
  const ScopedUi scoped_ui(ui);
  const QString path = dir + "/ahead.jpg";
  ASSERT_EQ(WriteImageFile(RandomSurface(2400, 1600, 9).View(), path, kSaveJpeg, 90), kSaveOk);
  MyPictureManager job{JobSettings{}};
  for (int i = 0; i < 3; ++i) ASSERT_EQ(AddPhotoFile(job, path), i);
  job.At(0).UpdateGraphicValues(8, 6, 1.1, 3, -2, 4, 10);
  job.At(1).Rotate(90);
  const float w = static_cast<float>(job.At(1).ScaleWidth());
  const float h = static_cast<float>(job.At(1).ScaleHeight());
  job.At(1).Crop().SetRect(CropRect{0.1f * w, 0.2f * h, 0.5f * w, 0.4f * h});

  FinalPixelsSteps steps;
  steps.orientation = 1;
  steps.factor = 0.45;
  steps.default_sharpen = true;
  const double share = DecodeShare(steps.factor);

  FinalPixelsAhead ahead;
  ahead.Start(1, job.At(0), share, steps, ToDisplayP3());
  ahead.Start(2, job.At(1), share, steps, nullptr);
  int looks = 0;
  const auto never = [&looks] { return ++looks < 0; };
  for (const int key : {2, 1}) {
    SCOPED_TRACE(key);
    cGDIImage image;
    ASSERT_TRUE(image.CreateFromFile(path, share));
    cDIB expected, result;
    bool expected_turn = false, turned = false;
    FinalPixelsSteps own = steps;
    const std::unique_ptr<ProfilePair> conversion = key == 1 ? ToDisplayP3() : nullptr;
    if (conversion) {
      ASSERT_TRUE(conversion->input && conversion->output);
      own.colour_from = conversion->input;
      own.colour_to = conversion->output;
    }
    ASSERT_TRUE(MakeFinalPixels(image, job.At(key - 1), own, expected, expected_turn));
    ASSERT_EQ(ahead.Take(key, never, result, turned), Taken::kMade);
    EXPECT_TRUE(SamePixels(result.View(), expected.View()));
    EXPECT_EQ(turned, expected_turn);
    EXPECT_EQ(ahead.Take(key, never, result, turned), Taken::kNone);
  }
  EXPECT_TRUE(ahead.HasRoom());

  // Asked to stop while waiting: the work stops and its room is free again. A
  // work done before the first look cannot be cancelled.
  steps.factor = 1.0;
  ahead.Start(3, job.At(2), 1.0, steps, nullptr);
  looks = 0;
  cDIB result;
  bool turned = false;
  const Taken cancelled = ahead.Take(
      3, [&looks] { return ++looks > 0; }, result, turned);
  EXPECT_TRUE(cancelled == Taken::kCancelled || looks == 0);
  EXPECT_TRUE(ahead.HasRoom());

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write("not a picture any more");
  file.close();
  ahead.Start(4, job.At(2), 1.0, steps, nullptr);
  EXPECT_EQ(ahead.Take(4, never, result, turned), Taken::kNone);
}

}  // namespace
}  // namespace tessaly::test
