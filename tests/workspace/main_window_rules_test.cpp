// Main window rules: the file-information line and the screen-size rules.
#include "workspace/main_window_rules.h"

#include <gtest/gtest.h>

#include <tuple>

#include "controls/scripted_ui.h"
#include "job/add_photo.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

TEST(MainWindowRules, FileInfoLineAndScreenWidthRules) {
  // {position, count, file, contact sheet, resolution, text}
  const std::tuple<int, int, const char*, bool, double, const char*> cases[] = {
      {0, 3, "/photos/IMG_0001.JPG", false, 508.0,
       " File 1/3\n  Name: IMG_0001.JPG\n  Print Resolution: 508.0 ppi."},
      // One decimal, its half rounded away from zero.
      {11, 12, "/a/b c.png", false, 1234.25,
       " File 12/12\n  Name: b c.png\n  Print Resolution: 1234.3 ppi."},
      {1, 2, "/photos/IMG_0002.JPG", true, 50.0, " File 2/2\n  Name: IMG_0002.JPG\n"},
      // Below the limit of 200 ppi, not at it.
      {0, 1, "/a.png", false, 199.96,
       " File 1/1\n  Name: a.png\n  Print Resolution: 200.0 ppi."
       " Low: under 200 ppi."},
      {0, 1, "/a.png", false, 200.0, " File 1/1\n  Name: a.png\n  Print Resolution: 200.0 ppi."},
  };
  for (const auto& [position, count, file, contact_sheet, resolution, text] : cases)
    EXPECT_EQ(FileInfoText(position, count, file, contact_sheet, resolution, 200), QString(text));

  // A job's photo: 3000 pixels over a 150 mm print give 508 pixels per inch.
  ScriptedUi ui;
  ScopedUi scoped_ui(ui);
  JobSettings settings;
  settings.Size = PhotoSize{150, 100, 0};
  settings.ScreenPhotoSize = 60;
  MyPictureManager job(settings);
  cDIB surface = test::RandomSurface(60, 40, 5);
  const QString file = QString::fromStdString(test::TempDir()) + "/none.png";
  ASSERT_EQ(GetPicture(job, surface, file, 3000, 2000), 0);
  EXPECT_EQ(FileInfoText(job, 0, kLowResolutionPpi),
            " File 1/1\n  Name: none.png\n  Print Resolution: 508.0 ppi.");
  EXPECT_EQ(FileInfoText(job, 1, kLowResolutionPpi), QString());

  // The limit: the print options' minimum while its box is checked and it is set.
  const QString ini = QString::fromStdString(test::TempDir()) + "/limit.ini";
  const std::tuple<const char*, int> limits[] = {
      {"", 150},
      {"[PrintOptions]\nInterpolate1=1\nInterpolVal1=240\n", 240},
      {"[PrintOptions]\nInterpolate1=0\nInterpolVal1=240\n", 150},
      {"[PrintOptions]\nInterpolate1=1\nInterpolVal1=0\n", 150},
  };
  for (const auto& [content, limit] : limits) {
    test::PutFile(ini, content);
    EXPECT_EQ(LowResolutionLimit(ini), limit) << content;
  }
  EXPECT_FALSE(LowResolution(0, 150));  // nothing known prints nothing soft

  // The screen width chooses the photo size, the arrangement and the warning.
  // {setting, screen width, photo size in use, arrangement, warned}
  const std::tuple<int, int, int, ScreenArrangement, bool> screens[] = {
      {350, 1280, 400, ScreenArrangement::kWide, false},
      {700, 1280, 700, ScreenArrangement::kWide, false},
      {700, 1024, 540, ScreenArrangement::kWide, false},
      {500, 1024, 500, ScreenArrangement::kWide, false},
      {700, 1023, 700, ScreenArrangement::kMedium, false},
      {700, 801, 700, ScreenArrangement::kMedium, false},
      {700, 800, 400, ScreenArrangement::kMedium, false},
      {700, 799, 400, ScreenArrangement::kSmall, true},
      {700, 640, 400, ScreenArrangement::kSmall, true}};
  std::size_t messages = 0;
  for (const auto& [setting, width, size, arrangement, warned] : screens) {
    EXPECT_EQ(std::tuple(ScreenPhotoSizeInUse(setting, width), ArrangementForScreen(width),
                         WarnIfScreenTooSmall(width)),
              std::tuple(size, arrangement, warned))
        << setting << " " << width;
    messages += warned ? 1 : 0;
    ASSERT_EQ(ui.Messages().size(), messages);
  }
  EXPECT_EQ(ui.Messages().back().text,
            "For correct display, Tessaly needs at least 800x600 screen resolution!");
}

}  // namespace
}  // namespace tessaly
