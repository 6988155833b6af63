// Month-file indexes: a lookup is answered from the index built by the first one;
// lines another program appends, a damaged line it leaves, a file put in place by a
// rename and this program's own appends are all seen by the next lookup, with the
// last record of a photo still the one found.
#include "job/history_index.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

#include "support/scoped_state.h"

namespace tessaly {
namespace {

constexpr double kMarch15th2003 = 37695.0;

QByteArray Record(const char* name, const char* label) {
  return QByteArray("37695,0,\"") + name + "\",\"" + label +
         "\",1,0,100,0,0,0,0,0,0,0,10000,10000,0,40000\r\n";
}

// The label found for the photo, or "<none>".
QString LabelOf(const QString& name) {
  HistoryEdits edits;
  double print_date = 0;
  return GetEdits(kMarch15th2003, name, edits, print_date) ? edits.label : QStringLiteral("<none>");
}

// Appends as another program would, within the clock tick of the file's last change:
// its modification time stays as it was.
void Append(const QString& path, const QByteArray& bytes) {
  const QByteArray name = QFile::encodeName(path);
  struct stat before {};
  ASSERT_EQ(::stat(name.constData(), &before), 0);
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), times, 0), 0);
}

TEST(HistoryIndex, EveryChangeToTheMonthFileIsSeenByTheNextLookup) {
  QTemporaryDir dir;
  const test::ScopedHistoryRoot root(dir.filePath("Tesly_DB"));
  const QString path = dir.filePath("Tesly_DB/2003/2003-03.dat");
  ASSERT_TRUE(QDir().mkpath(dir.filePath("Tesly_DB/2003")));
  test::PutFile(path, Record("a.jpg", "one") + Record("b.jpg", "bee"));
  const QString replacement = dir.filePath("replacement.dat");
  test::PutFile(replacement, Record("a.jpg", "renamed in"));

  // {what changes the file, the change, the labels of a.jpg and b.jpg after it}
  struct Step {
    const char* what;
    std::function<void()> change;
    const char* a;
    const char* b;
  };
  HistoryEdits three;
  three.label = QStringLiteral("three");
  const Step steps[] = {
      {"first read", [] {}, "one", "bee"},
      {"another program appends", [&] { Append(path, Record("a.jpg", "two")); }, "two", "bee"},
      {"this program appends", [&] { ASSERT_TRUE(SaveEdits(kMarch15th2003, "a.jpg", three)); },
       "three", "bee"},
      {"a damaged line is appended", [&] { Append(path, "37695,0,\"b.jpg\"\r\n"); }, "<none>",
       "<none>"},
      {"this program appends after it",
       [&] { ASSERT_TRUE(SaveEdits(kMarch15th2003, "c.jpg", three)); }, "<none>", "<none>"},
      {"a whole file is renamed in",
       [&] {
         ASSERT_EQ(::rename(QFile::encodeName(replacement).constData(),
                            QFile::encodeName(path).constData()),
                   0);
       },
       "renamed in", "<none>"},
      {"the file is removed", [&] { ASSERT_TRUE(QFile::remove(path)); }, "<none>", "<none>"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.change();
    EXPECT_EQ(LabelOf("a.jpg").toStdString(), step.a);
    EXPECT_EQ(LabelOf("b.jpg").toStdString(), step.b);
  }
}

TEST(HistoryIndex, ALookupIsAnsweredFromTheIndexOfTheFirst) {
  QTemporaryDir dir;
  const test::ScopedHistoryRoot root(dir.filePath("Tesly_DB"));
  const QString path = dir.filePath("Tesly_DB/2003/2003-03.dat");
  ASSERT_TRUE(QDir().mkpath(dir.filePath("Tesly_DB/2003")));
  test::PutFile(path, Record("a.jpg", "old"));
  EXPECT_EQ(LabelOf("a.jpg"), "old");

  // The file's bytes change in place behind the index's back: same file, same size,
  // same modification time. A lookup that read the file would see the new label.
  struct stat before {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray changed = Record("a.jpg", "new");
    ASSERT_EQ(file.write(changed), changed.size());
  }
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
  EXPECT_EQ(LabelOf("a.jpg"), "old");
  // Any change of the modification time makes the next lookup read the file again.
  timespec later[2] = {before.st_atim, before.st_mtim};
  later[1].tv_sec += 1;
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), later, 0), 0);
  EXPECT_EQ(LabelOf("a.jpg"), "new");
}

}  // namespace
}  // namespace tessaly
