// Settings table and typed readers over real files: defaults of an empty file,
// numbers by their leading text, Booleans and check states, the one-place table.
#include "settings/settings_table.h"

#include "settings/photo_sizes.h"
#include "support/scoped_state.h"
#include "surface/crafted_files.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QSet>
#include <QStandardPaths>
#include <climits>
#include <utility>

namespace tessaly {
namespace {

using test::PutFile;

TEST(SettingsTable, ComputedDefaultsStoredValuesAndTypedWriters) {
  const QString path = test::TestFile("Tesly.ini");
  PutFile(path, "");
  EXPECT_EQ(ReadIntSetting("Options", "Units", path), UnitsForLocale(QLocale::system()));
  EXPECT_DOUBLE_EQ(ReadNumberSetting("Options", "FontSize", path), QFont().pointSizeF());
  EXPECT_EQ(ReadTextSetting("Options", "PdfFolder", path),
            QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + "/Tessaly");
  PutFile(path,
          "[Options]\nScreenPhotoSize=  640px\nLayoutMode=2.5\nFontColor=255\n"
          "ThumbMode=true\nFontName=\nFontBold=-1\nFontItalic=0\nFontUnderline=maybe\n"
          "Center=1\nDrawCropMarks=abc\nUserSize=3.5\n"
          "[SaveOptions]\nJPEGQuality=0\nSaveAsType=-2.5\nInterpolVal1=99999999999\n"
          "[PrintOptions]\nInterpolval2=300.75\n");
  EXPECT_EQ(ReadIntSetting("Options", "ScreenPhotoSize", path), 640);
  EXPECT_EQ(ReadIntSetting("Options", "LayoutMode", path), 2);  // half to even
  EXPECT_EQ(ReadIntSetting("Options", "UserSize", path), 4);
  EXPECT_EQ(ReadIntSetting("SaveOptions", "SaveAsType", path), -2);
  EXPECT_TRUE(ReadBoolSetting("Options", "ThumbMode", path));
  EXPECT_EQ(ReadTextSetting("Options", "FontName", path), "Arial");  // empty reads the default
  EXPECT_TRUE(ReadBoolSetting("Options", "FontBold", path));
  EXPECT_FALSE(ReadBoolSetting("Options", "FontUnderline", path));  // neither: the default
  EXPECT_TRUE(ReadCheckSetting("Options", "Center", path));
  EXPECT_FALSE(ReadCheckSetting("Options", "DrawCropMarks", path));
  EXPECT_EQ(ReadIntSetting("SaveOptions", "JPEGQuality", path), 90);  // 0 reads as 90
  ASSERT_TRUE(WriteIniValue("SaveOptions", "JPEGQuality", "-0.5", path));
  EXPECT_EQ(ReadIntSetting("SaveOptions", "JPEGQuality", path), 90);  // whole number 0 too
  ASSERT_TRUE(WriteIniValue("SaveOptions", "JPEGQuality", "0.6", path));
  EXPECT_EQ(ReadIntSetting("SaveOptions", "JPEGQuality", path), 1);
  EXPECT_EQ(ReadIntSetting("SaveOptions", "InterpolVal1", path), INT_MAX);
  EXPECT_DOUBLE_EQ(ReadNumberSetting("PrintOptions", "InterpolVal2", path), 300.75);
  // The other section's keys are not mixed in.
  EXPECT_EQ(ReadIntSetting("ThumbOptions", "FontColor", path), 0);

  // The size catalogue's default is the mode's own built-in catalogue.
  const SizeUnit unit =
      UnitsForLocale(QLocale::system()) == 1 ? SizeUnit::Inches : SizeUnit::Centimetres;
  EXPECT_EQ(ReadTextSetting("Options", "UserSizes", path), DefaultSizeCode(false, unit));
  EXPECT_EQ(ReadTextSetting("thumboptions", "UserSizes", path), DefaultSizeCode(true, unit));
  EXPECT_NE(DefaultSizeCode(false, unit), DefaultSizeCode(true, unit));
  ASSERT_TRUE(WriteIniValue("Options", "UserSizes", "stored", path));
  EXPECT_EQ(ReadTextSetting("Options", "UserSizes", path), "stored");
  // The typed writers store their text forms.
  ASSERT_TRUE(WriteBoolSetting("Options", "ThumbMode", true, path));
  ASSERT_TRUE(WriteCheckSetting("Options", "Center", true, path));
  ASSERT_TRUE(WriteCheckSetting("Options", "DrawCropMarks", false, path));
  ASSERT_TRUE(WriteIntSetting("Options", "FontColor", 0x00FF8040, path));
  EXPECT_EQ(ReadIniValue("Options", "ThumbMode", path), "True");
  EXPECT_EQ(ReadIniValue("Options", "Center", path), "1");
  EXPECT_EQ(ReadIniValue("Options", "DrawCropMarks", path), "0");
  EXPECT_EQ(ReadIniValue("Options", "FontColor", path), "16744512");
}

TEST(SettingsTable, LeadingNumberAndUnits) {
  const std::pair<const char*, double> cases[] = {
      {"abc", 0}, {"  -3.5x", -3.5}, {"\t+.5", 0.5}, {"-", 0},   {"1e3", 1},
      {"7.", 7},  {"0.25.5", 0.25},  {"1 2", 1},     {"x12", 0}, {"2147483648", 2147483648.0}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(LeadingNumber(text), expected) << text;
  // Digits of other scripts are not decimal text of the file.
  EXPECT_EQ(LeadingNumber(QString::fromUtf8("\xD9\xA3")), 0.0);
  EXPECT_EQ(UnitsForLocale(QLocale(QLocale::Spanish, QLocale::UnitedStates)), 1);
  EXPECT_EQ(UnitsForLocale(QLocale(QLocale::English, QLocale::UnitedKingdom)), 0);
}

TEST(SettingsTable, TableListsEveryKeyOnce) {
  QSet<QString> seen;
  for (const SettingEntry& entry : SettingsTable()) {
    const QString id = QString("%1/%2").arg(entry.section, entry.key).toLower();
    EXPECT_FALSE(seen.contains(id)) << id.toStdString();
    seen.insert(id);
    EXPECT_EQ(FindSettingEntry(QString(entry.section).toUpper(), QString(entry.key).toLower()),
              &entry);
  }
  // The photo-layout keys have the same type and default in both layout sections,
  // except the built-in size catalogue, which is the mode's own.
  for (const SettingEntry& entry : SettingsTable()) {
    if (QString(entry.section) != "ThumbOptions") continue;
    const SettingEntry* twin = FindSettingEntry("Options", entry.key);
    ASSERT_NE(twin, nullptr) << entry.key;
    EXPECT_EQ(twin->type, entry.type) << entry.key;
    if (QString(entry.key) == "UserSizes") continue;
    EXPECT_EQ(SettingDefault("Options", entry.key), SettingDefault("ThumbOptions", entry.key));
  }
  EXPECT_EQ(FindSettingEntry("Options", "NoSuchKey"), nullptr);
  EXPECT_EQ(SettingDefault("Options", "NoSuchKey"), "");
}

}  // namespace
}  // namespace tessaly
