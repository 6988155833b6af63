// Byte-exact file names: every byte string comes back from its QString unchanged,
// valid UTF-8 reads as Qt reads it, and names that are not UTF-8 are opened, found
// from the replaced form Qt hands out, and taken from URLs and the command line.
#include "controls/native_path.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <QUrl>

namespace tessaly {
namespace {

// Makes an empty file or folder at bytes-exact `name` under `dir`.
void Make(const QString& dir, const QByteArray& name, bool folder = false) {
  const QByteArray path = NativePath(dir) + '/' + name;
  if (folder) {
    ASSERT_EQ(::mkdir(path.constData(), 0755), 0);
  } else {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
}

TEST(NativePath, EveryByteStringComesBackAndUtf8ReadsAsQtReadsIt) {
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      const QByteArray bytes{static_cast<char>(a), static_cast<char>(b)};
      ASSERT_EQ(NativePath(PathFromNative(bytes)), bytes) << a << ' ' << b;
    }
  }
  // Longer sequences: stray bytes next to a surrogate pair, an encoded surrogate
  // (three stray bytes, never a QChar surrogate), overlong and cut-short forms.
  for (const QByteArray& bytes :
       {QByteArray("\xF0\x9F\x93\xB7\xE9"), QByteArray("\xE9\xF0\x9F\x93\xB7"),
        QByteArray("\xED\xA0\x80"), QByteArray("\xED\xB3\xA9"), QByteArray("\xC0\xAF"),
        QByteArray("\xE2\x82"), QByteArray("\xF4\x90\x80\x80"), QByteArray("a\xFF/b\x80")}) {
    EXPECT_EQ(NativePath(PathFromNative(bytes)), bytes) << bytes.toHex().constData();
  }
  EXPECT_EQ(PathFromNative("\xED\xA0\x80").size(), 3);
  EXPECT_EQ(PathFromNative("caf\xe9").back().unicode(), 0xDCE9);
  const QByteArray utf8("F\xC3\xAAte \xF0\x9F\x93\xB7 \xE2\x82\xAC/x.jpg");
  EXPECT_EQ(PathFromNative(utf8), QString::fromUtf8(utf8));
  EXPECT_EQ(NativePath(QString::fromUtf8(utf8)), utf8);
}

TEST(NativePath, NamesThatAreNotUtf8AreFoundOpenedAndTakenIn) {
  QTemporaryDir scratch;
  ASSERT_TRUE(scratch.isValid());
  const QString dir = scratch.path();
  Make(dir, "caf\xe9.jpg");
  Make(dir, "f\xf6lder", true);
  Make(dir + "/" + PathFromNative("f\xf6lder"), "\xe9t\xe9.jpg");
  const QString cafe = dir + "/" + PathFromNative("caf\xe9.jpg");
  EXPECT_TRUE(IsRegularFile(cafe));
  EXPECT_FALSE(IsRegularFile(dir + "/" + PathFromNative("f\xf6lder")));

  // Qt's replaced form of a name is resolved part by part to the entry it came from.
  const QString replaced = QString::fromUtf8(NativePath(dir) + "/f\xf6lder/\xe9t\xe9.jpg");
  EXPECT_EQ(ExistingNativePath(replaced), dir + "/" + PathFromNative("f\xf6lder/\xe9t\xe9.jpg"));
  EXPECT_EQ(ExistingNativePath(QString::fromUtf8(NativePath(cafe))), cafe);
  // Two entries with the same replaced form, or none: the name stays as it was.
  Make(dir, "caf\xe8.jpg");
  const QString ambiguous = QString::fromUtf8(NativePath(cafe));
  EXPECT_EQ(ExistingNativePath(ambiguous), ambiguous);
  const QString missing = dir + QString::fromUtf8("/gone\xef\xbf\xbd.jpg");
  EXPECT_EQ(ExistingNativePath(missing), missing);

  // A dropped file's URL and the command line keep the bytes.
  EXPECT_EQ(LocalFileOf(QUrl(QStringLiteral("file://") + dir + QStringLiteral("/caf%E9.jpg"))),
            cafe);
  const char* argv[] = {"tessaly", "caf\xe9.jpg", "\xc3\xa9.jpg"};
  EXPECT_EQ(NativeArguments(3, argv),
            QStringList({"tessaly", PathFromNative("caf\xe9.jpg"), QString::fromUtf8("é.jpg")}));
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir));
  EXPECT_EQ(AbsolutePath(PathFromNative("./sub/../caf\xe9.jpg")),
            QDir::currentPath() + "/" + PathFromNative("caf\xe9.jpg"));
  QDir::setCurrent(previous);

  // Qt cannot remove these names itself.
  for (const char* name : {"caf\xe9.jpg", "caf\xe8.jpg", "f\xf6lder/\xe9t\xe9.jpg"})
    EXPECT_EQ(::unlink((NativePath(dir) + '/' + name).constData()), 0);
  EXPECT_EQ(::rmdir((NativePath(dir) + "/f\xf6lder").constData()), 0);
}

}  // namespace
}  // namespace tessaly
