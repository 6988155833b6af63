// Stale part files: parts planted in a real folder (a dead writer's, an earlier
// version's an hour old) are gone once the program starts a new file there, while a
// live writer's part, a fresh earlier-version part, every name that only looks like a
// part and anything that is not this user's regular file stay.
#include "controls/part_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <ctime>

#include "controls/new_file.h"
#include "controls/utils.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

// The id of a process that has ended: a child that exits at once, reaped.
pid_t DeadPid() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return child;
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Moves the file's modification time `seconds` into the past.
void Age(const QString& path, std::time_t seconds) {
  const timespec times[2] = {{std::time(nullptr) - seconds, 0}, {std::time(nullptr) - seconds, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW),
            0);
}

TEST(StaleParts, TheNextNewFileInAFolderRemovesOnlyPartsWithoutAWriter) {
  const QString dir = QString::fromStdString(test::TempDir());
  const pid_t dead_pid = DeadPid();
  ASSERT_GT(dead_pid, 0);
  const QByteArray dead = QByteArray::number(dead_pid);
  const QByteArray self = QByteArray::number(::getpid());
  const QByteArray hex = "0123456789abcdef";
  enum Kind { kFile, kFolder, kLink, kOtherUsers };
  struct Case {
    QByteArray name;
    Kind kind;
    std::time_t age;  // seconds since its last change
    bool stays;
  };
  const Case cases[] = {
      {".tessaly-" + dead + "-" + hex + ".part", kFile, 0, false},
      {".tessaly-" + dead + "-00000000000000ff.part", kFile, 7200, false},
      {".tessaly-3f9a.part", kFile, 7200, false},  // an earlier version's, two hours old
      {".tessaly-3f9b.part", kFile, 60, true},     // an earlier version's, a minute old
      {".tessaly-" + self + "-" + hex + ".part", kFile, 7200, true},  // this live run's
      {".tessaly-1-" + hex + ".part", kFile, 7200, true},             // init is alive
      {".tessaly-x.part", kFile, 7200, true},
      {".tessaly-" + dead + "-0123456789abcdeg.part", kFile, 7200, true},
      {".tessaly-" + dead + "-0123456789ABCDEF.part", kFile, 7200, true},
      {".tessaly-" + dead + "-0123456789abcde.part", kFile, 7200, true},
      {".tessaly-0" + dead + "-" + hex + ".part", kFile, 7200, true},
      {".tessaly-" + dead + "-" + hex + ".part.jpg", kFile, 7200, true},
      {".tessaly-" + dead + "-" + hex + ".partx", kFile, 7200, true},
      {"tessaly-" + dead + "-" + hex + ".part", kFile, 7200, true},
      {".tessaly-12345678901-" + hex + ".part", kFile, 7200, true},
      {".tessaly-" + dead + "-fedcba9876543210.part", kFolder, 7200, true},
      {".tessaly-" + dead + "-1111111111111111.part", kLink, 7200, true},
      {".tessaly-" + dead + "-2222222222222222.part", kOtherUsers, 7200, true},
  };
  QStringList staying;
  for (const Case& c : cases) {
    const QString path = dir + '/' + QString::fromLatin1(c.name);
    switch (c.kind) {
      case kFile:
      case kOtherUsers:
        test::PutFile(path, "half a photo");
        if (c.kind == kOtherUsers) {
          ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        }
        break;
      case kFolder:
        ASSERT_TRUE(QDir().mkpath(path));
        break;
      case kLink:
        ASSERT_TRUE(QFile::link(dir + "/elsewhere", path));
        break;
    }
    Age(path, c.age);
    if (c.stays) staying.append(QString::fromLatin1(c.name));
  }

  NewFile file;
  ASSERT_TRUE(file.Open(dir));
  // The new file's own part carries this process's id.
  QStringList during = Entries(dir);
  for (const QString& name : staying) during.removeOne(name);
  ASSERT_EQ(during.size(), 1) << during.join(' ').toStdString();
  EXPECT_TRUE(QRegularExpression("^\\.tessaly-" + self + "-[0-9a-f]{16}\\.part$")
                  .match(during[0])
                  .hasMatch())
      << during[0].toStdString();
  ASSERT_EQ(file.Device().write("a photo"), 7);
  ASSERT_TRUE(file.Commit("photo.jpg"));
  staying.append("photo.jpg");
  staying.sort();
  EXPECT_EQ(Entries(dir).join('\n').toStdString(), staying.join('\n').toStdString());

  // Replacing a file cleans its folder the same way.
  const QString other = dir + "/settings";
  ASSERT_TRUE(QDir().mkpath(other));
  test::PutFile(other + "/.tessaly-" + dead + "-" + hex + ".part", "half a settings file");
  ASSERT_TRUE(ReplaceFileContent(other + "/Tesly.ini", "[Options]\r\n"));
  EXPECT_EQ(Entries(other).join('\n').toStdString(), "Tesly.ini");
}

}  // namespace
}  // namespace tessaly
