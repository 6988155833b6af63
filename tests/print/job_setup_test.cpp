// The job settings dialog's rules against real settings files: each mode keeps its own
// catalogue, selection and check boxes across switches, contact sheets force their
// check boxes, Cancel goes back to the stored mode, Ok writes every key and re-sizes
// the job's photos, and a unit change refills the list.
#include "print/job_setup.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <tuple>

#include "controls/scripted_common_dialogs.h"
#include "controls/scripted_ui.h"
#include "settings/settings_file.h"
#include "support/scoped_state.h"

namespace tessaly {
namespace {

using test::PutFile;

// Photo mode: two sizes, the second selected, frame and date on; contact sheets: one
// square size, centred.
constexpr char kTwoModes[] =
    "[Options]\r\nUnits=0\r\nThumbMode=False\r\nPhotoDrawFrame=1\r\nPhotoPrintDate=1\r\n"
    "UserSizes=010000x015000x0000-013000x018000x0300-\r\nUserSize=2\r\n"
    "[ThumbOptions]\r\nCenter=1\r\nLayoutMode=1\r\n"
    "UserSizes=004000x004000x0400-\r\nUserSize=1\r\n";

// The check boxes a contact sheet sets: frame, date, file name; and the centring.
std::tuple<bool, bool, bool, bool> Boxes(const MyPictureManager& job) {
  const JobSettings& s = job.Settings();
  return {s.PhotoDrawFrame, s.PhotoPrintDate, s.PhotoPrintFileName, s.Center};
}

TEST(JobSetup, ModesKeepTheirOwnSettingsAndCancelGoesBackToTheStoredMode) {
  QTemporaryDir dir;
  const QString ini = dir.filePath("Tesly.ini");
  PutFile(ini, kTwoModes);
  MyPictureManager job;
  JobSetup setup(job, ini);
  ScriptedUi ui;
  ScopedUi scoped(ui);

  setup.Open();
  EXPECT_FALSE(setup.FirstOpening());
  ASSERT_FALSE(job.Settings().ThumbMode);
  EXPECT_EQ(setup.Sizes().SelectedNumber(), 2);
  EXPECT_DOUBLE_EQ(job.Settings().Size.Width, 180.0);
  EXPECT_TRUE(job.Settings().PhotoDrawFrame);
  EXPECT_TRUE(setup.PrintChecksEnabled());

  // A size added in photo mode is saved when the mode is left.
  setup.AddSize({200.0, 150.0, 0.0});
  setup.SwitchMode(true);
  EXPECT_EQ(ReadIniValue("Options", "UserSizes", ini),
            "010000x015000x0000-013000x018000x0300-015000x020000x0000-");
  EXPECT_EQ(ReadIniValue("Options", "UserSize", ini), "3");
  EXPECT_EQ(ReadIniValue("Options", "ThumbMode", ini), "False");   // the mode left
  EXPECT_EQ(ReadIniValue("Options", "PhotoDrawFrame", ini), "1");  // sizes only
  EXPECT_EQ(setup.Sizes().Items().size(), 1u);
  EXPECT_DOUBLE_EQ(job.Settings().Size.Width, 40.0);
  EXPECT_EQ(job.Settings().LayoutMode, 1);
  EXPECT_EQ(Boxes(job), std::tuple(false, false, true, true));
  EXPECT_FALSE(setup.PrintChecksEnabled());

  setup.SwitchMode(false);
  EXPECT_EQ(setup.Sizes().Items().size(), 3u);
  EXPECT_EQ(setup.Sizes().SelectedNumber(), 3);
  EXPECT_EQ(Boxes(job), std::tuple(true, true, false, false));

  // Cancel reads the stored photo mode back and loads its saved settings.
  setup.SwitchMode(true);
  setup.Cancel();
  EXPECT_FALSE(job.Settings().ThumbMode);
  EXPECT_EQ(setup.Sizes().Items().size(), 3u);
  EXPECT_EQ(setup.Sizes().SelectedNumber(), 3);
  EXPECT_TRUE(job.Settings().PhotoDrawFrame);

  // A later opening reads nothing from the file.
  PutFile(ini, "[Options]\r\nThumbMode=True\r\n");
  setup.Open();
  EXPECT_FALSE(job.Settings().ThumbMode);
  setup.Cancel();
  EXPECT_TRUE(job.Settings().ThumbMode);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST(JobSetup, OkWritesEveryKeyOfTheModeAndResizesThePhotos) {
  QTemporaryDir dir;
  const QString ini = dir.filePath("Tesly.ini");
  ScriptedUi ui;
  ScopedUi scoped(ui);

  // A catalogue without a valid entry leaves nothing to select.
  PutFile(ini, "[Options]\r\nUnits=0\r\nUserSizes=garbage\r\n");
  {
    MyPictureManager job;
    JobSetup setup(job, ini);
    setup.Open();
    EXPECT_FALSE(setup.Confirm());
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{kNoSizeSelectedMessage});
    EXPECT_TRUE(setup.NotConfirmed());
  }

  PutFile(ini, kTwoModes);
  MyPictureManager job;
  job.Add();
  JobSetup setup(job, ini);
  setup.Open();
  JobSettings& s = setup.Settings();
  s.PhotoPrintDate = false;
  s.PhotoPrintFileName = true;
  s.DrawCropMarks = true;
  s.FontName = "Liberation Serif";
  s.FontSize = 12.5;
  s.FontBold = true;
  s.FontColor = 0x123456;
  s.Center = true;
  s.LayoutMode = 2;
  setup.SelectSize(0);
  ASSERT_TRUE(setup.Confirm());
  EXPECT_FALSE(setup.NotConfirmed());

  // Every key of the mode as written, "key=value".
  for (const char* line :
       {"ThumbMode=False", "PhotoPrintDate=0", "PhotoPrintFileName=1", "PhotoDrawFrame=1",
        "DrawCropMarks=1", "FontName=Liberation Serif", "FontSize=12.5", "FontUnderline=False",
        "FontItalic=False", "FontBold=True", "FontColor=1193046", "Center=1", "LayoutMode=2",
        "UserSize=1", "UserSizes=010000x015000x0000-013000x018000x0300-"}) {
    const QString key = QString(line).section('=', 0, 0);
    EXPECT_EQ(ReadIniValue("Options", key, ini), QString(line).section('=', 1)) << line;
  }
  // The contact-sheet section is left as it was.
  EXPECT_EQ(ReadIniValue("ThumbOptions", "LayoutMode", ini), "1");
  EXPECT_EQ(ReadIniValue("ThumbOptions", "FontName", ini), "");
  // The chosen size reaches the job's photo.
  EXPECT_DOUBLE_EQ(job.At(0).ImgPrintWidth(), 150.0);
  EXPECT_DOUBLE_EQ(job.At(0).ImgPrintHeight(), 100.0);

  // Cancel after Ok keeps the confirmed settings; a new unit refills the list in
  // inches and chooses its first size.
  setup.Cancel();
  EXPECT_EQ(job.Settings().LayoutMode, 2);
  setup.Open();
  setup.SelectSize(1);
  s.Units = 1;
  setup.UnitsChanged(0);
  EXPECT_EQ(setup.Sizes().SelectedIndex(), 0);
  EXPECT_EQ(setup.Sizes().Items().front().text,
            SizeListText({150.0, 100.0, 0.0}, SizeUnit::Inches));
  EXPECT_DOUBLE_EQ(job.Settings().Size.Width, 150.0);
}

// The window's fields: the same mode takes the arrangement and options into the
// settings; another mode switches, loading that mode's settings instead.
TEST(JobSetup, FieldsTakeTheOptionsOrSwitchTheMode) {
  QTemporaryDir dir;
  const QString ini = dir.filePath("Tesly.ini");
  PutFile(ini, kTwoModes);
  MyPictureManager job;
  JobSetup setup(job, ini);
  setup.Open();
  JobSetupFields fields = setup.Fields();
  EXPECT_TRUE(fields.draw_frame && fields.print_date && !fields.thumb_mode);
  fields.layout_mode = 2;
  fields.center = true;
  fields.draw_frame = false;
  fields.crop_marks = true;
  EXPECT_FALSE(setup.Take(fields));
  const JobSettings& s = job.Settings();
  EXPECT_EQ(std::tuple(s.LayoutMode, s.Center, s.PhotoDrawFrame, s.DrawCropMarks, s.PhotoPrintDate),
            std::tuple(2, true, false, true, true));

  fields.thumb_mode = true;
  fields.layout_mode = 0;
  EXPECT_TRUE(setup.Take(fields));
  EXPECT_TRUE(s.ThumbMode);
  EXPECT_EQ(setup.Fields().layout_mode, 1);  // the contact sheets' own, not the one shown
  EXPECT_EQ(Boxes(job), std::tuple(false, false, true, true));
}

// "Font..." offers the label's font and takes the choice, the face name cut to the
// longest a label takes and the colour to its red, green and blue; Cancel keeps it.
TEST(JobSetup, FontChoiceIsCutToWhatALabelTakes) {
  MyPictureManager job;
  JobSetup setup(job, QString());
  JobSettings& s = setup.Settings();
  s.FontName = "Liberation Serif";
  s.FontSize = 12.0;
  ScriptedCommonDialogs dialogs;
  ScopedCommonDialogs scoped(dialogs);
  const QString long_name(40, QLatin1Char('F'));
  dialogs.AnswerFont({long_name, 20.5, true, false, true, false}, 0xAB123456u);
  ASSERT_TRUE(setup.ChooseFont());
  ASSERT_EQ(dialogs.Requests().size(), 1u);
  EXPECT_EQ(dialogs.Requests()[0].font.name, "Liberation Serif");
  EXPECT_DOUBLE_EQ(dialogs.Requests()[0].font.size, 12.0);
  EXPECT_EQ(s.FontName, long_name.left(31));
  EXPECT_EQ(std::tuple(s.FontSize, s.FontBold, s.FontItalic, s.FontUnderline, s.FontColor),
            std::tuple(20.5, true, false, true, 0x123456u));
  EXPECT_FALSE(setup.ChooseFont());
  EXPECT_EQ(s.FontName, long_name.left(31));
}

}  // namespace
}  // namespace tessaly
