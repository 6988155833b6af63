// Settings file: real files written and read back. Every line a write does not
// change must stay byte for byte; names match without regard to case; long values
// are cut to 999 characters.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <tuple>

#include "settings/ini_text.h"
#include "support/scoped_state.h"
#include "surface/crafted_files.h"

namespace tessaly {
namespace {

using test::PutFile;

// A file with everything a hand-edited settings file may hold: lines before any
// section, comments, blank lines, CR LF endings, unknown keys, blanks around names.
const QByteArray kHandEdited =
    "; Tessaly settings\r\n"
    "stray=1\r\n"
    "\r\n"
    "[Options]\r\n"
    "Units=0\r\n"
    "  DateMask = dd-mm-yyyy \r\n"
    "Unknown=keep me\r\n"
    "# a comment = not a key\r\n"
    "\r\n"
    "[PrintOptions]\r\n"
    "Interpolval2=300\r\n"
    "\r\n";

TEST(SettingsFile, WriteCreatesFolderFileSectionAndKey) {
  const QString path = test::TestFile("config/tessaly/Tesly.ini");
  EXPECT_EQ(ReadIniValue("Options", "Units", path), "");
  ASSERT_TRUE(WriteIniValue("Options", "Units", "1", path));
  EXPECT_EQ(test::ReadFileBytes(path), "[Options]\nUnits=1\n");
  EXPECT_EQ(ReadIniValue("Options", "Units", path), "1");
  // The replacement leaves no temporary file behind.
  EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"Tesly.ini"});
}

TEST(SettingsFile, WritesKeepEveryOtherLineByteForByte) {
  // {section, key, value, expected file}
  const std::tuple<const char*, const char*, const char*, QByteArray> cases[] = {
      // In-place replacement keeps the file's spelling of the key and its blanks.
      {"options", "DATEMASK", "yyyy",
       QByteArray(kHandEdited).replace("  DateMask = dd-mm-yyyy \r\n", "  DateMask =yyyy\r\n")},
      // A new key goes after the section's last non-blank line, with CR LF.
      {"Options", "ThumbMode", "True",
       QByteArray(kHandEdited)
           .replace("# a comment = not a key\r\n",
                    "# a comment = not a key\r\nThumbMode=True\r\n")},
      {"PrintOptions", "Sharpen", "1",
       QByteArray(kHandEdited)
           .replace("Interpolval2=300\r\n", "Interpolval2=300\r\nSharpen=1\r\n")},
      // A new section goes at the end.
      {"SaveOptions", "RenameAs", "<name>_<n>",
       kHandEdited + "[SaveOptions]\r\nRenameAs=<name>_<n>\r\n"},
  };
  const QString path = test::TestFile("Tesly.ini");
  for (const auto& [section, key, value, expected] : cases) {
    SCOPED_TRACE(key);
    PutFile(path, kHandEdited);
    ASSERT_TRUE(WriteIniValue(section, key, value, path));
    EXPECT_EQ(test::ReadFileBytes(path), expected);
    EXPECT_EQ(ReadIniValue(section, key, path), value);
  }
}

TEST(SettingsFile, LongValuesComeBackAs999CharactersAndUnstorableNamesChangeNothing) {
  const QString path = test::TestFile("Tesly.ini");
  QString long_value;
  for (int i = 0; i < 1200; ++i) long_value += QChar('a' + i % 26);
  ASSERT_TRUE(WriteIniValue("Options", "UserSizes", long_value, path));
  // The whole value is on disk; only the read is cut.
  EXPECT_TRUE(test::ReadFileBytes(path).contains(long_value.toUtf8()));
  EXPECT_EQ(ReadIniValue("Options", "UserSizes", path), long_value.left(999));

  // A character outside the BMP straddling the cut is dropped whole.
  const QString emoji = QString::fromUtf8("\xF0\x9F\x93\xB7");
  const QString straddling = QString(998, QChar('x')) + emoji + "tail";
  ASSERT_TRUE(WriteIniValue("Options", "UserSizes", straddling, path));
  EXPECT_EQ(ReadIniValue("Options", "UserSizes", path), QString(998, QChar('x')));

  // Names and values that cannot be stored leave the file alone.
  PutFile(path, kHandEdited);
  for (const char* key : {"", "A=B", ";Units", "#Units", "Un\nits", "[Units"})
    EXPECT_FALSE(WriteIniValue("Options", key, "1", path)) << key;
  EXPECT_FALSE(WriteIniValue("Options", "Units", "1\r\n[Evil]", path));
  EXPECT_FALSE(WriteIniValue("Opt]ions", "Units", "1", path));
  EXPECT_FALSE(WriteIniValue("", "Units", "1", path));
  EXPECT_EQ(test::ReadFileBytes(path), kHandEdited);
}

TEST(SettingsFile, OddLinesFollowTheDocumentedRules) {
  const QByteArray text =
      "\xEF\xBB\xBF"
      "Units=7\n"  // before any section: never read
      "[ Options ]\n"
      "  Units\t=  2  \n"
      "Units=3\n"  // duplicate key: the first wins
      "NoEquals\n"
      ";DateMask=x\n"
      "  #FontName=y\n"
      "=orphan\n"
      "RenameAs=a=b\r\n"
      "Empty=\n"
      "[Options]\n"
      "ThumbMode=True\n"  // second section of the same name: never read
      "[Print Options\n"
      "Sharpen=1";
  const std::pair<const char*, const char*> options[] = {
      {"Units", "2"}, {"NoEquals", ""},    {";DateMask", ""}, {"#FontName", ""}, {"Unit", ""},
      {"", ""},       {"RenameAs", "a=b"}, {"Empty", ""},     {"ThumbMode", ""}};
  for (const auto& [key, expected] : options)
    EXPECT_EQ(FindIniValue(text, "Options", key), QString(expected)) << key;
  EXPECT_EQ(FindIniValue(text, "Print Options", "Sharpen"), "1");
  EXPECT_EQ(FindIniValue(text, "", "Units"), "");
  // Writing into the first of the two "Options" sections.
  QByteArray changed = text;
  ASSERT_TRUE(SetIniValue(changed, "options", "thumbmode", "False"));
  EXPECT_EQ(changed, QByteArray(text).replace("Empty=\n", "Empty=\nthumbmode=False\n"));
  EXPECT_EQ(FindIniValue(changed, "Options", "ThumbMode"), "False");
}

// A new line after a last line without its line break gets one first, in the
// text's own line-break style. Found by fuzzing: a last line ended by a lone CR
// took a second CR on insertion, which made the CR part of the section name and
// lost the new key.
TEST(SettingsFile, LastLineWithoutItsLineBreak) {
  // {text before, section, key, text after}
  const std::tuple<QByteArray, const char*, const char*, QByteArray> cases[] = {
      {"[Options]\r\nUnits=1", "Options", "DateMask", "[Options]\r\nUnits=1\r\nDateMask=1"},
      {"[Options]\r\nUnits=1", "SaveOptions", "Sharpen",
       "[Options]\r\nUnits=1\r\n[SaveOptions]\r\nSharpen=1\r\n"},
      {"\r\n[Options\r", "Options", "Units", "\r\n[Options\r\nUnits=1"},
      {"[Options]\nUnits=1\r", "SaveOptions", "Sharpen",
       "[Options]\nUnits=1\r\n[SaveOptions]\nSharpen=1\n"},
  };
  for (const auto& [before, section, key, after] : cases) {
    SCOPED_TRACE(before.toStdString());
    QByteArray text = before;
    ASSERT_TRUE(SetIniValue(text, section, key, "1"));
    EXPECT_EQ(text, after);
    EXPECT_EQ(FindIniValue(text, section, key), "1");
  }
}

TEST(SettingsFile, PathIsSettableAndDefaultsToTheConfigFolder) {
  const QString original = SettingsFilePath();
  EXPECT_TRUE(original.endsWith("/tessaly/Tesly.ini")) << original.toStdString();
  const QString path = test::TestFile("Tesly.ini");
  SetSettingsFilePath(path);
  EXPECT_TRUE(WriteIniValue("Options", "InitPath", "/photos"));
  EXPECT_EQ(ReadIniValue("Options", "InitPath", path), "/photos");
  SetSettingsFilePath(original);
  EXPECT_EQ(SettingsFilePath(), original);
}

}  // namespace
}  // namespace tessaly
