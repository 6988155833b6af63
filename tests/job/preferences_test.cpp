// The preferences on opening, the date example and Ok against a real settings file.
#include "job/preferences.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "controls/formatting.h"
#include "controls/scripted_ui.h"
#include "settings/settings_file.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

TEST(Preferences, OpeningFieldsAndTheDateExample) {
  JobSettings settings;
  settings.Units = 1;
  settings.ScreenPhotoSize = 0;
  const PreferencesFields empty = OpenPreferences(settings);
  EXPECT_EQ(empty.unit_index, 1);
  EXPECT_EQ(empty.date_mask, "Short Date");
  EXPECT_EQ(empty.screen_size, "400");
  settings.DateMask = "mm-dd-yyyy";
  settings.ScreenPhotoSize = 540;
  EXPECT_EQ(OpenPreferences(settings).date_mask, "mm-dd-yyyy");
  EXPECT_EQ(OpenPreferences(settings).screen_size, "540");

  const QDateTime now(QDate(2026, 12, 7), QTime(14, 5, 9));
  EXPECT_EQ(DateExample("dd-mm-yyyy h:N", now), " Ex: 07-12-2026 14:5");
  // The first entry shows the general form, with the time, not the short date.
  EXPECT_EQ(DateExample("Short Date", now), " Ex: " + FormatDate(now, "General Date"));
  EXPECT_NE(DateExample("Short Date", now), " Ex: " + FormatDate(now, "Short Date"));
}

TEST(Preferences, OkStoresOnlyChangesAndDefersTheScreenSize) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Tesly.ini");
  test::PutFile(path, "[Options]\r\nUnits=0\r\n");
  ScriptedUi ui;
  ScopedUi scoped(ui);
  JobSettings settings;
  settings.Units = 0;
  settings.ScreenPhotoSize = 400;
  settings.DateMask = "mm-dd-yyyy";

  ApplyPreferences(OpenPreferences(settings, path), settings, path);  // nothing changed
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(ReadIniValue("Options", "DateMask", path), "");
  EXPECT_EQ(ReadIniValue("Options", "ScreenPhotoSize", path), "");

  PreferencesFields fields = OpenPreferences(settings);
  fields.unit_index = 1;
  fields.date_mask = "dd-mm-yyyy ";
  fields.screen_size = "800";
  ApplyPreferences(fields, settings, path);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text,
            "New screen photo size will take effect the next time you use the program");
  EXPECT_EQ(ReadIniValue("Options", "ScreenPhotoSize", path), "800");
  EXPECT_EQ(settings.ScreenPhotoSize, 400);
  EXPECT_EQ(ReadIniValue("Options", "DateMask", path), "dd-mm-yyyy");  // the file trims values
  EXPECT_EQ(settings.DateMask, "dd-mm-yyyy ");
  EXPECT_EQ(ReadIniValue("Options", "Units", path), "1");
  EXPECT_EQ(settings.Units, 1);
}

// Upright reading changes at the next start, as the message says; the GPS choice at once.
TEST(Preferences, UprightReadingWaitsForTheNextStartAndGpsTakesEffectAtOnce) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Tesly.ini");
  test::PutFile(path, "[Options]\r\n");
  ScriptedUi ui;
  ScopedUi scoped(ui);
  JobSettings settings = LoadJobSettings(path);
  EXPECT_TRUE(settings.UprightPhotos);
  EXPECT_FALSE(settings.SaveGpsPosition);

  PreferencesFields fields = OpenPreferences(settings, path);
  EXPECT_TRUE(fields.upright);
  fields.upright = false;
  fields.save_gps = true;
  ApplyPreferences(fields, settings, path);
  EXPECT_TRUE(test::OnlyMessages(ui, kUprightNextTimeMessage, MsgIcon::Information));
  EXPECT_TRUE(settings.UprightPhotos);
  EXPECT_TRUE(settings.SaveGpsPosition);
  EXPECT_FALSE(OpenPreferences(settings, path).upright);
  const JobSettings next_start = LoadJobSettings(path);
  EXPECT_FALSE(next_start.UprightPhotos);
  EXPECT_TRUE(next_start.SaveGpsPosition);

  ApplyPreferences(OpenPreferences(settings, path), settings, path);  // nothing changed
  EXPECT_EQ(ui.Messages().size(), 1u);
}

}  // namespace
}  // namespace tessaly
