// Bounded reads: open without blocking (a FIFO opens at once for reading, and no
// terminal becomes ours), check the type and the size on the descriptor, then read
// until the end or one byte past the limit, since a file may grow while it is read.
#include "controls/bounded_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "controls/file_descriptor.h"
#include "controls/native_path.h"
#include "controls/utils.h"

namespace tessaly {
namespace {

// The first read takes the size the file says it has; a file that grows past it is
// read on in steps of at least this.
constexpr qint64 kReadStep = 64 * 1024;
constexpr qint64 kMegabyte = 1024 * 1024;

FileRead Refuse(FileRead code, const QString& text, QByteArray& bytes, QString* reason) {
  bytes.clear();
  if (reason) *reason = text;
  return code;
}

QString UnreadableText(int error) {
  return QStringLiteral("cannot be read (") + SystemErrorText(error) + u')';
}

QString TooLargeText(qint64 max_bytes) {
  if (max_bytes >= kMegabyte && max_bytes % kMegabyte == 0)
    return QStringLiteral("is larger than %1 MB").arg(max_bytes / kMegabyte);
  return QStringLiteral("is larger than %1 bytes").arg(max_bytes);
}

}  // namespace

FileRead ReadBoundedFile(const QString& path, qint64 max_bytes, QByteArray& bytes,
                         QString* reason) {
  const QByteArray name = NativePath(path);
  const Descriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat info {};
  if (file.get() < 0) {
    const int error = errno;
    // A socket cannot be opened at all: say what it is rather than the open's error.
    if (error == ENXIO && ::stat(name.constData(), &info) == 0 && !S_ISREG(info.st_mode))
      return Refuse(FileRead::kNotRegular, QStringLiteral("is not a regular file"), bytes, reason);
    return Refuse(error == ENOENT ? FileRead::kMissing : FileRead::kUnreadable,
                  UnreadableText(error), bytes, reason);
  }
  if (::fstat(file.get(), &info) != 0)
    return Refuse(FileRead::kUnreadable, UnreadableText(errno), bytes, reason);
  if (S_ISDIR(info.st_mode))
    return Refuse(FileRead::kFolder, QStringLiteral("is a folder"), bytes, reason);
  if (!S_ISREG(info.st_mode))
    return Refuse(FileRead::kNotRegular, QStringLiteral("is not a regular file"), bytes, reason);
  if (info.st_size > max_bytes)
    return Refuse(FileRead::kTooLarge, TooLargeText(max_bytes), bytes, reason);

  bytes.resize(std::min<qint64>(info.st_size, max_bytes) + 1);
  qint64 total = 0;
  for (;;) {
    if (total == bytes.size()) {
      if (total > max_bytes) break;
      bytes.resize(std::min(max_bytes + 1, total + std::max(total, kReadStep)));
    }
    const ssize_t n = ::read(file.get(), bytes.data() + total, bytes.size() - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Refuse(FileRead::kUnreadable, UnreadableText(errno), bytes, reason);
    if (n == 0) break;
    total += n;
  }
  if (total > max_bytes) return Refuse(FileRead::kTooLarge, TooLargeText(max_bytes), bytes, reason);
  bytes.truncate(total);
  return FileRead::kRead;
}

}  // namespace tessaly
