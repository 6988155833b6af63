// The save dialog's checks: each refusal with its exact message, icon and focus,
// the order of the checks, the limits at and beyond their bounds, and what a
// passing check leaves in the settings and the run's options.
#include "save/save_checks.h"

#include <gtest/gtest.h>

#include <tuple>

#include "controls/scripted_ui.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

class SaveChecksTest : public testing::Test {
 protected:
  SaveChecksTest() : dir_(QString::fromStdString(test::TempDir())) {
    fields_.folder = dir_;
    fields_.name_template = QStringLiteral("[Filename]");
  }

  QString dir_;
  SaveDialogFields fields_;
};

TEST_F(SaveChecksTest, RefusalsShowTheirMessageAndNameTheirField) {
  test::PutFile(dir_ + "/plain.txt", QByteArray());
  const QString quality = QStringLiteral("JPEG quality must be between 0 and 100!");
  const QString min = QStringLiteral("The minimum resolution is invalid!");
  const QString max = QStringLiteral("The maximum resolution is invalid!");
  const QString missing = QStringLiteral(
      "Selected folder doesn't exist.\r\rTip: to create a new folder, click the \"Browse...\" "
      "button");
  // Folder, quality, template, minimum and maximum resolution (nullptr leaves the box
  // unticked), then the message and the focused field.
  const std::tuple<QString, const char*, const char*, const char*, const char*, QString, SaveField>
      cases[] = {
          {"   ", "90", "[Filename]", nullptr, nullptr, "Please enter the destiny folder!",
           SaveField::kFolder},
          {dir_ + "/nope", "90", "[Filename]", nullptr, nullptr, missing, SaveField::kFolder},
          // A file, not a folder.
          {dir_ + "/plain.txt", "90", "[Filename]", nullptr, nullptr, missing, SaveField::kFolder},
          // A name too long to look up.
          {dir_ + "/" + QString(300, u'n'), "90", "[Filename]", nullptr, nullptr, "Invalid path!",
           SaveField::kFolder},
          {dir_, "101", "[Filename]", nullptr, nullptr, quality, SaveField::kQuality},
          {dir_, "-1", "[Filename]", nullptr, nullptr, quality, SaveField::kQuality},
          {dir_, "", "[Filename]", nullptr, nullptr, quality, SaveField::kQuality},
          {dir_, "90", "", nullptr, nullptr, "Please enter a template for the files names.",
           SaveField::kTemplate},
          // The template box is left before Save is pressed: the folder is not looked at.
          {"", "90", "a:b", nullptr, nullptr,
           "A file name cannot contain any of the following characters:\r\\ / \" * ? : | > <",
           SaveField::kTemplate},
          {dir_, "90", "[Filename]", "", nullptr, min, SaveField::kMinResolution},
          {dir_, "90", "[Filename]", "1001", nullptr, min, SaveField::kMinResolution},
          {dir_, "90", "[Filename]", nullptr, "0", max, SaveField::kMaxResolution},
          {dir_, "90", "[Filename]", nullptr, "3001", max, SaveField::kMaxResolution},
          {dir_, "90", "[Filename]", "300", "200",
           "The minimum resolution can't be greater than the maximum resolution!",
           SaveField::kMinResolution},
          // The quality is checked before the template.
          {dir_, "200", "", nullptr, nullptr, quality, SaveField::kQuality},
      };
  for (const auto& [folder, quality_text, name_template, min_text, max_text, message, field] :
       cases) {
    SCOPED_TRACE(message.toStdString() + " " + folder.toStdString() + " " + quality_text);
    ScriptedUi ui;
    ScopedUi scoped(ui);
    SaveDialogFields fields = fields_;
    fields.folder = folder;
    fields.quality_text = quality_text;
    fields.name_template = name_template;
    fields.min_on = min_text != nullptr;
    fields.min_text = min_text;
    fields.max_on = max_text != nullptr;
    fields.max_text = max_text;
    JobSettings settings;
    settings.MinResolution = 150;  // left from an earlier run
    settings.MaxResolution = 600;
    SaveRunOptions options;
    SaveField focus = SaveField::kNone;
    EXPECT_FALSE(CheckSaveDialog(fields, settings, options, &focus));
    EXPECT_TRUE(test::OnlyMessages(ui, message, MsgIcon::Exclamation));
    EXPECT_EQ(focus, field);
    // Once the Save button runs, the limits of an earlier run are off; a template
    // refused on leaving its box never gets that far.
    const bool refused_in_box = field == SaveField::kTemplate && !fields.name_template.isEmpty();
    EXPECT_EQ(settings.MinResolution, refused_in_box ? 150 : 0);
    EXPECT_EQ(settings.MaxResolution, refused_in_box ? 600 : 0);
  }
}

TEST_F(SaveChecksTest, PassingFieldsBecomeTheRunsSettings) {
  // The resolution boxes, the type, the resolutions and type text they give, the quality
  // and the folder typed around the scratch folder's path.
  const std::tuple<bool, const char*, bool, const char*, int, int, int, const char*, const char*,
                   const char*>
      cases[] = {
          {false, "", false, "", 0, 0, 0, "JPEG (JPG)", "0", "  %1  "},
          {true, "1000", false, "", 1, 1000, 0, "TIFF (TIF)", "100", "%1/"},
          {false, "250", true, "3000", 2, 0, 3000, "PNG", "90", "%1"},
          // An empty quality box is no matter for a type that has no quality.
          {false, "", false, "", 2, 0, 0, "PNG", "", "%1"},
          {true, "300", true, "300", 3, 300, 300, "BMP", "100", "%1"},
          // A value whose box is not ticked is not checked and not used.
          {false, "5000", true, "1", 0, 0, 1, "JPEG (JPG)", "100", "%1"},
      };
  for (const auto& [min_on, min_text, max_on, max_text, type_index, min_expected, max_expected,
                    type_text, quality, folder] : cases) {
    ScriptedUi ui;
    ScopedUi scoped(ui);
    SaveDialogFields fields = fields_;
    fields.folder = QString::fromLatin1(folder).arg(dir_);
    fields.min_on = min_on;
    fields.min_text = min_text;
    fields.max_on = max_on;
    fields.max_text = max_text;
    fields.type_index = type_index;
    fields.quality_text = quality;
    fields.sharpen = min_on;
    fields.name_template = "Trip [AutoNumber]";
    JobSettings settings;
    settings.MinResolution = 77;
    SaveRunOptions options;
    ASSERT_TRUE(CheckSaveDialog(fields, settings, options)) << min_text << max_text;
    EXPECT_TRUE(ui.Messages().empty());
    // Trimmed, with one final separator.
    EXPECT_EQ(fields.folder, dir_ + "/");
    EXPECT_EQ(std::tuple(settings.MinResolution, settings.MaxResolution, settings.DefaultSharpen),
              std::tuple(min_expected, max_expected, min_on));
    EXPECT_EQ(
        std::tuple(options.folder, options.type_text, options.name_template, options.quality_text),
        std::tuple(dir_ + "/", QString(type_text), QString("Trip [AutoNumber]"), QString(quality)));
  }
}

// Entry → number and number → entry, at every boundary of the presets.
TEST(JpegQualityPresets, EntriesWriteAndNumbersSelect) {
  EXPECT_EQ(JpegQualityPresetTexts(), QStringList({"Maximum", "High", "Medium", "Low"}));
  const int written[] = {100, 95, 80, 60};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(JpegQualityOfPreset(i), written[i]);
    EXPECT_EQ(JpegQualityPresetFor(written[i]), i);  // a written number selects its entry
  }
  EXPECT_EQ(JpegQualityOfPreset(4), -1);
  const std::pair<int, int> selects[] = {{101, -1}, {99, 1}, {90, 1}, {89, 2}, {85, 2},
                                         {80, 2},   {79, 3}, {0, 3},  {-1, -1}};
  for (const auto& [quality, entry] : selects)
    EXPECT_EQ(JpegQualityPresetFor(quality), entry) << quality;
  // The box's text: a fraction is dropped within 0..100, and anything above 100
  // selects nothing, even when its whole part is 100.
  const std::pair<const char*, int> typed[] = {
      {"100", 0}, {"99.9", 1}, {"", 3}, {"100.5", -1}, {"101", -1}};
  for (const auto& [text, entry] : typed)
    EXPECT_EQ(JpegQualityPresetForText(QString::fromLatin1(text)), entry) << text;
}

}  // namespace
}  // namespace tessaly
