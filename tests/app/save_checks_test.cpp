// The save dialog's checks: each refusal with its exact message, icon and focus,
// the order of the checks, the limits at and beyond their bounds, and what a
// passing check leaves in the settings and the run's options.
#include "save/save_checks.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>
#include <tuple>

#include "controls/scripted_ui.h"
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
  QFile file(dir_ + "/plain.txt");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  const QString missing_folder =
      "Selected folder doesn't exist.\r\rTip: to create a new folder, click the \"Browse...\" "
      "button";
  struct Case {
    const char* what;
    std::function<void(SaveDialogFields&)> change;
    QString message;
    SaveField focus;
  };
  const Case cases[] = {
      {"blank folder", [](SaveDialogFields& f) { f.folder = "   "; },
       "Please enter the destiny folder!", SaveField::kFolder},
      {"missing folder", [&](SaveDialogFields& f) { f.folder = dir_ + "/nope"; }, missing_folder,
       SaveField::kFolder},
      {"a file, not a folder", [&](SaveDialogFields& f) { f.folder = dir_ + "/plain.txt"; },
       missing_folder, SaveField::kFolder},
      {"a name too long to look up",
       [&](SaveDialogFields& f) { f.folder = dir_ + "/" + QString(300, u'n'); }, "Invalid path!",
       SaveField::kFolder},
      {"quality above 100", [](SaveDialogFields& f) { f.quality_text = "101"; },
       "JPEG quality must be between 0 and 100!", SaveField::kQuality},
      {"quality below 0", [](SaveDialogFields& f) { f.quality_text = "-1"; },
       "JPEG quality must be between 0 and 100!", SaveField::kQuality},
      {"empty template", [](SaveDialogFields& f) { f.name_template.clear(); },
       "Please enter a template for the files names.", SaveField::kTemplate},
      {"template character",
       [](SaveDialogFields& f) {
         f.name_template = "a:b";
         f.folder.clear();  // the template box is left before Save is pressed
       },
       "A file name cannot contain any of the following characters:\r\\ / \" * ? : | > <",
       SaveField::kTemplate},
      {"minimum empty",
       [](SaveDialogFields& f) {
         f.min_on = true;
         f.min_text.clear();
       },
       "The minimum resolution is invalid!", SaveField::kMinResolution},
      {"minimum 1001",
       [](SaveDialogFields& f) {
         f.min_on = true;
         f.min_text = "1001";
       },
       "The minimum resolution is invalid!", SaveField::kMinResolution},
      {"maximum 0",
       [](SaveDialogFields& f) {
         f.max_on = true;
         f.max_text = "0";
       },
       "The maximum resolution is invalid!", SaveField::kMaxResolution},
      {"maximum 3001",
       [](SaveDialogFields& f) {
         f.max_on = true;
         f.max_text = "3001";
       },
       "The maximum resolution is invalid!", SaveField::kMaxResolution},
      {"minimum above maximum",
       [](SaveDialogFields& f) {
         f.min_on = f.max_on = true;
         f.min_text = "300";
         f.max_text = "200";
       },
       "The minimum resolution can't be greater than the maximum resolution!",
       SaveField::kMinResolution},
      {"quality is checked before the template",
       [](SaveDialogFields& f) {
         f.quality_text = "200";
         f.name_template.clear();
       },
       "JPEG quality must be between 0 and 100!", SaveField::kQuality},
  };
  for (const Case& c : cases) {
    ScriptedUi ui;
    ScopedUi scoped(ui);
    SaveDialogFields fields = fields_;
    c.change(fields);
    JobSettings settings;
    settings.MinResolution = 150;  // left from an earlier run
    settings.MaxResolution = 600;
    SaveRunOptions options;
    SaveField focus = SaveField::kNone;
    EXPECT_FALSE(CheckSaveDialog(fields, settings, options, &focus)) << c.what;
    EXPECT_TRUE(test::OnlyMessages(ui, c.message, MsgIcon::Exclamation)) << c.what;
    EXPECT_EQ(focus, c.focus) << c.what;
    // Once the Save button runs, the limits of an earlier run are off; a template
    // refused on leaving its box never gets that far.
    const bool refused_in_box = c.focus == SaveField::kTemplate && !fields.name_template.isEmpty();
    EXPECT_EQ(settings.MinResolution, refused_in_box ? 150 : 0) << c.what;
    EXPECT_EQ(settings.MaxResolution, refused_in_box ? 600 : 0) << c.what;
  }
}

TEST_F(SaveChecksTest, PassingFieldsBecomeTheRunsSettings) {
  struct Case {
    bool min_on;
    const char* min_text;
    bool max_on;
    const char* max_text;
    int type_index;
    int min_expected, max_expected;
    const char* type_text;
    const char* quality;
    const char* folder;  // around the scratch folder's path
  };
  const Case cases[] = {
      {false, "", false, "", 0, 0, 0, "JPEG (JPG)", "0", "  %1  "},
      {true, "1000", false, "", 1, 1000, 0, "TIFF (TIF)", "100", "%1/"},
      {false, "250", true, "3000", 2, 0, 3000, "PNG", "90", "%1"},
      {true, "300", true, "300", 3, 300, 300, "BMP", "100", "%1"},
      // A value whose box is not ticked is not checked and not used.
      {false, "5000", true, "1", 0, 0, 1, "JPEG (JPG)", "100", "%1"},
  };
  for (const Case& c : cases) {
    ScriptedUi ui;
    ScopedUi scoped(ui);
    SaveDialogFields fields = fields_;
    fields.folder = QString::fromLatin1(c.folder).arg(dir_);
    fields.min_on = c.min_on;
    fields.min_text = c.min_text;
    fields.max_on = c.max_on;
    fields.max_text = c.max_text;
    fields.type_index = c.type_index;
    fields.quality_text = c.quality;
    fields.sharpen = c.min_on;
    fields.name_template = "Trip [AutoNumber]";
    JobSettings settings;
    settings.MinResolution = 77;
    SaveRunOptions options;
    ASSERT_TRUE(CheckSaveDialog(fields, settings, options)) << c.min_text << c.max_text;
    EXPECT_TRUE(ui.Messages().empty());
    // Trimmed, with one final separator.
    EXPECT_EQ(fields.folder, dir_ + "/");
    EXPECT_EQ(std::tuple(settings.MinResolution, settings.MaxResolution, settings.DefaultSharpen),
              std::tuple(c.min_expected, c.max_expected, c.min_on));
    EXPECT_EQ(
        std::tuple(options.folder, options.type_text, options.name_template, options.quality_text),
        std::tuple(dir_ + "/", QString(c.type_text), QString("Trip [AutoNumber]"),
                   QString(c.quality)));
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
}

}  // namespace
}  // namespace tessaly
