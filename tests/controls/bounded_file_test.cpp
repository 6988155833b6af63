// Bounded reads of real files: a regular file up to the limit is read whole; a FIFO
// with no writer, a link to /dev/zero, a socket and a folder are refused at once by
// what they are; a file over the limit, a missing name and a broken path say why.
#include "controls/bounded_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cstring>

#include "support/returns_promptly.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"
#include "surface/crafted_files.h"

namespace tessaly {
namespace {

// A Unix socket bound at `path`; -1 when it could not be made.
int MakeSocket(const QString& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray name = QFile::encodeName(path);
  if (name.size() >= static_cast<qsizetype>(sizeof(address.sun_path))) return -1;
  std::memcpy(address.sun_path, name.constData(), name.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

TEST(ReadBoundedFile, ReadsOnlyRegularFilesUpToTheLimit) {
  const QString dir = QString::fromStdString(test::TempDir());
  constexpr qint64 kMegabyte = 1024 * 1024;
  test::PutFile(dir + "/ten", "0123456789");
  test::PutFile(dir + "/eleven", "0123456789a");
  test::PutFile(dir + "/empty", QByteArray());
  test::PutFile(dir + "/big", QByteArray(2 * kMegabyte + 1, 'b'));
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir + "/fifo").constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", dir + "/zero"));
  ASSERT_TRUE(QFile::link(dir + "/nowhere", dir + "/dangling"));
  ASSERT_TRUE(QDir().mkpath(dir + "/folder"));
  const int socket = MakeSocket(dir + "/socket");
  ASSERT_GE(socket, 0);

  struct Case {
    const char* name;
    qint64 limit;
    FileRead code;
    QByteArray reason;  // "" for a file read whole
  };
  const Case cases[] = {
      {"ten", 10, FileRead::kRead, ""},
      {"empty", 10, FileRead::kRead, ""},
      {"eleven", 10, FileRead::kTooLarge, "is larger than 10 bytes"},
      {"big", 2 * kMegabyte, FileRead::kTooLarge, "is larger than 2 MB"},
      {"fifo", 10, FileRead::kNotRegular, "is not a regular file"},
      {"zero", kMegabyte, FileRead::kNotRegular, "is not a regular file"},
      {"socket", 10, FileRead::kNotRegular, "is not a regular file"},
      {"folder", 10, FileRead::kFolder, "is a folder"},
      {"missing", 10, FileRead::kMissing, "cannot be read (No such file or directory)"},
      {"dangling", 10, FileRead::kMissing, "cannot be read (No such file or directory)"},
      {"ten/inside", 10, FileRead::kUnreadable, "cannot be read (Not a directory)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QByteArray bytes = "stale";
    QString reason = "none";
    FileRead code = FileRead::kRead;
    const QString path = dir + '/' + c.name;
    test::ReturnsPromptly([&] { code = ReadBoundedFile(path, c.limit, bytes, &reason); }, path);
    EXPECT_EQ(code, c.code);
    if (c.code == FileRead::kRead) {
      EXPECT_EQ(bytes, test::ReadFileBytes(path));
      EXPECT_EQ(reason, "none");
    } else {
      EXPECT_EQ(bytes, QByteArray());
      EXPECT_EQ(reason.toStdString(), c.reason.toStdString());
    }
  }
  ::close(socket);
}

}  // namespace
}  // namespace tessaly
