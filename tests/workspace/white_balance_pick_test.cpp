// White-balance pick on a real photo record: the balance is reset before the spot is
// read, the spot is found in twips of the picture, the results are clamped to the
// sliders' range and the picture is redrawn with them.
#include "workspace/white_balance_pick.h"

#include <gtest/gtest.h>

#include <QImage>
#include <tuple>

#include "controls/scripted_ui.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

TEST(WhiteBalancePick, ResetsSamplesAtTheClickClampsAndRedraws) {
  ScriptedUi ui;
  ScopedUi scoped_ui(ui);
  const QString none = QString::fromStdString(test::TempDir()) + "/none.png";
  // {colour of the clicked half (the left half is black), red, green and blue before,
  //  red, green and blue picked}
  const std::tuple<std::uint32_t, int, int, int, int, int, int> cases[] = {
      // Grey measures grey only when the earlier balance is reset first.
      {test::Rgb(128, 128, 128), 30, -20, 10, 0, 0, 0},
      // −91, 18, 73 on the sliders' range.
      {test::Rgb(200, 100, 50), 0, 0, 0, -51, 18, 51},
      // Within the range the values are kept as computed: avg 100 → −12.8, 0, 12.8.
      {test::Rgb(110, 100, 90), 0, 0, 0, -13, 0, 13},
  };
  for (const auto& [right_half, red_before, green_before, blue_before, red, green, blue] : cases) {
    JobSettings settings;
    settings.Size = PhotoSize{152.4, 101.6, 0};
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (int y = 0; y < 6; ++y)
      for (int x = 4; x < 8; ++x) picture.setPixelColor(x, y, ColourFromRgbValue(right_half));
    cDIB surface;
    ASSERT_EQ(surface.CreateFromStdPicture(picture), 24);
    MyPicture photo(settings);
    photo.SetPicture(surface, 8, 6, 8, 101.6, 152.4, 0, none, 1);
    photo.UpdateGraphicValues(std::nullopt, std::nullopt, std::nullopt, red_before, green_before,
                              blue_before, std::nullopt);

    // Pixel (6, 3) is at 97.5, 52.5 twips; in pixels that point would be off the picture.
    const WhiteBalanceAdjust got = PickWhiteBalance(photo, 97.5, 52.5);
    const auto want = std::tuple(red, green, blue);
    EXPECT_EQ(std::tuple(got.RedAdjust, got.GreenAdjust, got.BlueAdjust), want) << right_half;
    EXPECT_EQ(std::tuple(photo.RedAdjust(), photo.GreenAdjust(), photo.BlueAdjust()), want);

    MyPicture reference(settings);
    reference.SetPicture(surface, 8, 6, 8, 101.6, 152.4, 0, none, 1);
    reference.UpdateGraphicValues(std::nullopt, std::nullopt, std::nullopt, red, green, blue,
                                  std::nullopt);
    EXPECT_EQ(photo.POINT(97.5, 52.5), reference.POINT(97.5, 52.5)) << right_half;
  }
}

}  // namespace
}  // namespace tessaly
