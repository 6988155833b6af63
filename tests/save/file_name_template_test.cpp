#include "save/file_name_template.h"

#include <gtest/gtest.h>

#include <QFile>
#include <tuple>

#include "controls/scripted_ui.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

// Every test runs with "now" fixed at 22 November 2024, 09:05:07.
class FileNameTemplate : public testing::Test {
 protected:
  void SetUp() override {
    SetTemplateClock([] { return QDateTime(QDate(2024, 11, 22), QTime(9, 5, 7)); });
    folder_ = QString::fromStdString(test::TempDir()) + u'/';
  }
  void TearDown() override { SetTemplateClock({}); }

  // Creates an empty file in the test folder, modified at `when` when it is valid.
  void Touch(const QString& name, const QDateTime& when = QDateTime()) {
    QFile file(folder_ + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(!when.isValid() || file.setFileTime(when, QFileDevice::FileModificationTime));
  }

  QString folder_;
};

TEST_F(FileNameTemplate, TokensExpandInAnyLetterCase) {
  // {source, template, number, name}
  const std::tuple<const char*, const char*, int, const char*> cases[] = {
      {"/nowhere/IMG_0001.JPG", "[FileName] [Date]", 1, "IMG_0001 20241122"},
      {"/nowhere/IMG_0001.JPG", "[filename]_[date]_[datetime-]", 1,
       "IMG_0001_20241122_2024-11-22 09h05m"},
      {"/nowhere/IMG_0001.JPG", "[FILENAME][DATE-][DATETIME]", 1,
       "IMG_00012024-11-2220241122_0905"},
      {"/nowhere/x.jpg", "Something [AutoNumber]", 12, "Something 012"},
      {"/nowhere/x.jpg", "[autonumber]", 7, "007"},
      {"/nowhere/x.jpg", "[AutoNumber]", 1234, "1234"},
      {"/nowhere/x.jpg", "[Other] [Date ] [Filename", 1, "[Other] [Date ] [Filename"},
      // Text from the file name is never taken for a token.
      {"/nowhere/[Date] [AutoNumber].jpg", "[Filename]", 3, "[Date] [AutoNumber]"},
      // The source extension comes off wherever it occurs, with its letter case.
      {"/nowhere/my.photo.jpg", "[Filename]", 1, "my.photo"},
      {"/nowhere/a.jpg.jpg", "[Filename]", 1, "a"},
      {"/nowhere/a.JPG.jpg", "[Filename]", 1, "a.JPG"},
      {"/nowhere/photo.", "[Filename]", 1, "photo"},  // empty extension: every point goes
      {"/nowhere/a.b.", "[Filename]", 1, "ab"},
      {"/some.folder/photo", "[Filename]", 1, "photo"},  // a point in the folder is no extension
      {"photo.tif", "[Filename]", 1, "photo"},
  };
  for (const auto& [source, name_template, number, expected] : cases) {
    EXPECT_EQ(BuildFileName(folder_, QString::fromUtf8(source), QString::fromUtf8(name_template),
                            ".jpg", number),
              QString::fromUtf8(expected))
        << source << " " << name_template;
  }
}

TEST_F(FileNameTemplate, DatesComeFromTheSourceFile) {
  // Seconds just short of the next minute must not carry into the minute shown.
  Touch("IMG_0001.JPG", QDateTime(QDate(2023, 11, 22), QTime(9, 5, 59)));
  const QString source = folder_ + "IMG_0001.JPG";
  const QString out = folder_ + "out/";
  EXPECT_EQ(BuildFileName(out, source, "[FileName] [Date]", ".jpg", 1), "IMG_0001 20231122");
  EXPECT_EQ(BuildFileName(out, source, "[DateTime-]", ".jpg", 1), "2023-11-22 09h05m");
  Touch("late.png", QDateTime(QDate(1999, 1, 2), QTime(23, 59, 0)));
  EXPECT_EQ(BuildFileName(out, folder_ + "late.png", "[Date-] [DateTime]", ".png", 1),
            "1999-01-02 19990102_2359");
}

TEST_F(FileNameTemplate, SuffixesGoOnPastNinetyNine) {
  Touch("S.tif");
  for (int counter = 1; counter <= 99; ++counter) {
    const QString name = BuildFileName(folder_, "/nowhere/S.jpg", "[Filename]", ".tif", counter);
    ASSERT_EQ(name, QStringLiteral("S(%1)").arg(counter, 2, 10, QChar(u'0')));
    Touch(name + ".tif");
  }
  EXPECT_EQ(BuildFileName(folder_, "/nowhere/S.jpg", "[Filename]", ".tif", 1), "S(100)");
  // Another extension does not collide.
  EXPECT_EQ(BuildFileName(folder_, "/nowhere/S.jpg", "[Filename]", ".png", 1), "S");
  // A gap is filled first.
  ASSERT_TRUE(QFile::remove(folder_ + "S(37).tif"));
  EXPECT_EQ(BuildFileName(folder_, "/nowhere/S.jpg", "[Filename]", ".tif", 1), "S(37)");
}

TEST_F(FileNameTemplate, ExampleUsesADatelessSourceAndTheClock) {
  EXPECT_EQ(TemplateExample("[FileName] [Date]"), "Ex: MyFile -> MyFile 20241122");
  EXPECT_EQ(TemplateExample("Something [AutoNumber]"), "Ex: MyFile -> Something 001");
  EXPECT_EQ(TemplateExample("[filename] [DateTime-]"), "Ex: MyFile -> MyFile 2024-11-22 09h05m");
  SetTemplateClock([] { return QDateTime(QDate(2031, 2, 3), QTime(17, 45, 0)); });
  EXPECT_EQ(TemplateExample("[DateTime]"), "Ex: MyFile -> 20310203_1745");

  const QStringList presets = PresetTemplates();
  EXPECT_EQ(presets,
            QStringList({"[Filename]", "Something-[Filename]", "[Filename] Something",
                         "[FileName] [Date]", "[FileName] [Date-]", "[FileName] [DateTime]",
                         "[FileName] [DateTime-]", "Something [AutoNumber]"}));
}

TEST_F(FileNameTemplate, TemplatesWithForbiddenCharactersAreRefused) {
  const QString message = QStringLiteral(
      "A file name cannot contain any of the following characters:\r\\ / \" * ? : | > <");
  for (const char* refused :
       {"a\\b", "a/b", "say \"x\"", "*", "why?", "[Date]:[Filename]", "a|b", ">", "<x"}) {
    ScriptedUi ui;
    ScopedUi scoped(ui);
    EXPECT_FALSE(CheckTemplateCharacters(QString::fromUtf8(refused))) << refused;
    EXPECT_TRUE(test::OnlyMessages(ui, message, MsgIcon::Exclamation)) << refused;
  }
  ScriptedUi ui;
  ScopedUi scoped(ui);
  for (const QString& preset : PresetTemplates()) EXPECT_TRUE(CheckTemplateCharacters(preset));
  EXPECT_TRUE(CheckTemplateCharacters("a.b-c_d (1) [x] é"));
  EXPECT_TRUE(ui.Messages().empty());
}

}  // namespace
}  // namespace tessaly
