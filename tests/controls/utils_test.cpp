#include "controls/utils.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <optional>
#include <tuple>
#include <vector>

#include "support/scoped_state.h"
#include "support/test_surfaces.h"
#include "surface/crafted_files.h"

namespace tessaly {
namespace {

TEST(Utils, FileNameAndExtensionOfPaths) {
  // {path, file name, extension}
  const std::tuple<QString, QString, QString> cases[] = {
      {"/home/ana/photos/IMG_0001.JPG", "IMG_0001.JPG", "JPG"},
      {"/home/ana/photos/", "", ""},
      {"a\\b.jpg", "a\\b.jpg", "jpg"},                   // a backslash is part of a Linux name
      {"/home/ana/trip.2003/IMG_0001", "IMG_0001", ""},  // the only point is in a folder name
      {"/home/ana/name.", "name.", ""},                  // a name ending with a point
      {".hidden", ".hidden", ""},                        // a point as first character
      {"a.tar.gz", "a.tar.gz", "gz"}};
  for (const auto& [path, name, ext] : cases)
    EXPECT_EQ(std::pair(FileNameOfPath(path), FileExtension(path)), std::pair(name, ext))
        << path.toStdString();
}

// Every entry of a folder, hidden ones included.
QStringList FolderEntries(const QString& folder) {
  return QDir(folder).entryList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(ReplaceFileContent, TheOldBytesStayUnlessTheWholeNewFileReachedTheDisk) {
  const QString dir = QString::fromStdString(test::TempDir());
  const QByteArray old_bytes(3000, 'o');
  struct Case {
    const char* what;
    rlim_t limit;        // largest file the process may write; 0 for none
    qsizetype new_size;  // bytes of the replacement
    int error;           // errno expected, 0 for success
  };
  const Case cases[] = {
      {"fits", 0, 5000, 0},
      {"smaller than the limit", 4096, 4000, 0},
      {"full disk at the first byte", 1, 5000, EFBIG},
      {"full disk in the last block", 8192, 8193, EFBIG},
      {"full disk after a short write", 4096, 1 << 20, EFBIG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString folder = dir + "/" + c.what;
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/Tesly.ini";
    test::PutFile(path, old_bytes);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0600), 0);
    const QByteArray new_bytes(c.new_size, 'n');
    QString reason = "untouched";
    bool replaced = false;
    {
      std::optional<test::ScopedFileSizeLimit> full;
      if (c.limit != 0) {
        full.emplace(c.limit);
        ASSERT_TRUE(full->Active());
      }
      replaced = ReplaceFileContent(path, new_bytes, &reason);
    }
    EXPECT_EQ(replaced, c.error == 0);
    EXPECT_EQ(test::ReadFileBytes(path), c.error == 0 ? new_bytes : old_bytes);
    EXPECT_EQ(reason.toStdString(), c.error == 0 ? "untouched" : std::strerror(c.error));
    EXPECT_EQ(FolderEntries(folder), QStringList{"Tesly.ini"});
    // The replacement keeps the mode the user gave the file.
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
  }
}

TEST(ReplaceFileContent, NewFilesLinksAndFolders) {
  const QString dir = QString::fromStdString(test::TempDir());
  // A missing folder is made.
  ASSERT_TRUE(ReplaceFileContent(dir + "/new/deeper/last_job.json", "{}"));
  EXPECT_EQ(test::ReadFileBytes(dir + "/new/deeper/last_job.json"), "{}");
  EXPECT_EQ(FolderEntries(dir + "/new/deeper"), QStringList{"last_job.json"});

  // A link (relative, through a second link) stays a link and its file is replaced.
  ASSERT_TRUE(QDir().mkpath(dir + "/real"));
  test::PutFile(dir + "/real/Tesly.ini", "old");
  ASSERT_TRUE(QFile::link("real/Tesly.ini", dir + "/hop.ini"));
  ASSERT_TRUE(QFile::link(dir + "/hop.ini", dir + "/Tesly.ini"));
  ASSERT_TRUE(ReplaceFileContent(dir + "/Tesly.ini", "new"));
  EXPECT_EQ(QFileInfo(dir + "/Tesly.ini").symLinkTarget(), dir + "/hop.ini");
  EXPECT_EQ(test::ReadFileBytes(dir + "/real/Tesly.ini"), "new");
  EXPECT_EQ(FolderEntries(dir + "/real"), QStringList{"Tesly.ini"});

  // Failures say why in the system's words and leave what was there.
  ASSERT_TRUE(QFile::link(dir + "/loop.ini", dir + "/loop.ini"));
  ASSERT_TRUE(QDir().mkpath(dir + "/folder.json"));
  const std::pair<QString, int> refused[] = {
      {dir + "/loop.ini", ELOOP},
      {dir + "/folder.json", EISDIR},
  };
  for (const auto& [path, error] : refused) {
    QString reason;
    EXPECT_FALSE(ReplaceFileContent(path, "x", &reason)) << path.toStdString();
    EXPECT_EQ(reason.toStdString(), std::strerror(error)) << path.toStdString();
  }
  EXPECT_TRUE(QFileInfo(dir + "/folder.json").isDir());
  EXPECT_EQ(FolderEntries(dir),
            QStringList({"Tesly.ini", "folder.json", "hop.ini", "loop.ini", "new", "real"}));
}

TEST(Utils, FormatFixedWidthPadsAndCuts) {
  // {value, digits before the point, decimals, text}
  const std::tuple<double, int, int, const char*> cases[] = {
      {4, 3, 2, "  4.00"},  {7, 2, 0, " 7."},       {0.125, 3, 2, "  0.13"},
      {-1.5, 2, 1, "-1.5"}, {1234.5, 2, 1, "1234"}, {999.996, 3, 2, "1000.0"},
      {0.0, 1, 3, "0.000"}};
  for (const auto& [value, digits, decimals, text] : cases)
    EXPECT_EQ(FormatFixedWidth(value, digits, decimals), text) << value;
}

TEST(Utils, MeasurementSystemAndPointDecimal) {
  EXPECT_EQ(std::tuple(IsUSMeasure(QLocale("en_US")), IsUSMeasure(QLocale("en_GB")),
                       IsUSMeasure(QLocale::c())),
            std::tuple(true, false, false));

  test::ScopedLocale comma("de_DE");
  EXPECT_EQ(PointDecimal(0.1 + 0.2), "0.3");
  // Fifteen significant digits, no fewer.
  EXPECT_EQ(PointDecimal(1.23456789012345), "1.23456789012345");
  // Locales with their own digits and decimal mark still give a point-decimal text.
  for (const char* name : {"de_DE", "ar_EG", "fa_IR", "bn_BD"}) {
    QLocale::setDefault(QLocale(name));
    EXPECT_EQ(PointDecimal(-1234567.25), "-1234567.25") << name;
  }
}

// Points the help folder, the cache folder and the opener at the test's own
// folder and a recorder; restores all three afterwards.
class HelpPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = QString::fromStdString(test::TempDir());
    help_ = root_ + "/Tesly_Help";
    ASSERT_TRUE(QDir().mkpath(help_));
    cache_.emplace("XDG_CACHE_HOME", (root_ + "/cache").toUtf8());
    SetHelpFolder(help_);
    saved_opener_ = SetUrlOpener([this](const QUrl& url) {
      opened_.push_back(url);
      return true;
    });
  }
  void TearDown() override {
    SetUrlOpener(saved_opener_);
    SetHelpFolder(QString());
  }

  QString root_, help_;
  std::optional<test::ScopedEnv> cache_;
  UrlOpener saved_opener_;
  std::vector<QUrl> opened_;
};

TEST_F(HelpPageTest, RewritesTheStartPageIntoTheCacheAndOpensIt) {
  test::PutFile(help_ + "/Help.htm",
                "<html><HEAD><title>Help</title></head>"
                "<frameset><frame src=\"Contents.htm\"><frame src=\"Overview.htm\"></frameset>"
                "<a href=\"Overview.htm\">Overview.htm</a></html>");
  const QString copy = root_ + "/cache/tessaly/~Help.htm";
  EXPECT_EQ(HelpCopyPath(), copy);

  EXPECT_TRUE(ShowHelpPage("Settings.htm"));
  const QByteArray base = "<base href=\"" + QUrl::fromLocalFile(help_ + "/").toEncoded() + "\">";
  EXPECT_EQ(test::ReadFileBytes(copy),
            "<html><HEAD>" + base +
                "<title>Help</title></head>"
                "<frameset><frame src=\"Contents.htm\"><frame src=\"Settings.htm\">"
                "</frameset><a href=\"Settings.htm\">Settings.htm</a></html>");
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], QUrl::fromLocalFile(copy));

  // A second page replaces the earlier copy; the start page itself is untouched.
  EXPECT_TRUE(ShowHelpPage("Print.htm"));
  EXPECT_TRUE(test::ReadFileBytes(copy).contains("<frame src=\"Print.htm\">"));
  EXPECT_TRUE(test::ReadFileBytes(help_ + "/Help.htm").contains("Overview.htm"));
  EXPECT_EQ(opened_.size(), 2u);
}

TEST_F(HelpPageTest, NoStartPageNoOpenerOrAnUnwritableCacheOpensNothing) {
  SetHelpFolder(root_ + "/no_such_folder");
  EXPECT_FALSE(ShowHelpPage("Settings.htm"));
  EXPECT_FALSE(QFile::exists(HelpCopyPath()));
  SetHelpFolder(help_);
  // Without an opener the copy is still written; a page without a head gets the
  // base in front.
  test::PutFile(help_ + "/Help.htm", "Overview.htm");
  const UrlOpener recorder = SetUrlOpener(UrlOpener());
  EXPECT_FALSE(ShowHelpPage("Edit.htm"));
  EXPECT_EQ(test::ReadFileBytes(HelpCopyPath()),
            "<base href=\"" + QUrl::fromLocalFile(help_ + "/").toEncoded() + "\">Edit.htm");
  SetUrlOpener(recorder);
  test::PutFile(root_ + "/blocker", "a file where the cache folder should be");
  qputenv("XDG_CACHE_HOME", (root_ + "/blocker").toUtf8());
  EXPECT_FALSE(ShowHelpPage("Settings.htm"));
  EXPECT_TRUE(opened_.empty());
}

TEST_F(HelpPageTest, FolderOverrideAndTheDefaultSearch) {
  EXPECT_EQ(HelpFolder(), help_);
  SetHelpFolder(QString());
  // The test program is not installed, so the source tree's folder is used.
  EXPECT_TRUE(HelpFolder().endsWith("/help")) << HelpFolder().toStdString();

  // It holds the start page and every page the windows open; the copy leads to
  // the asked page.
  for (const QString page :
       {"Overview.htm", "Edit.htm", "Settings.htm", "Print.htm", "Save.htm", "AddPhotos.htm"})
    EXPECT_TRUE(QFile::exists(HelpFolder() + '/' + page)) << page.toStdString();
  EXPECT_TRUE(ShowHelpPage("Save.htm"));
  EXPECT_TRUE(test::ReadFileBytes(HelpCopyPath()).contains("src=\"Save.htm\""));
}

}  // namespace
}  // namespace tessaly
