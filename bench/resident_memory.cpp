// VmRSS read from /proc/self/status.
#include "resident_memory.h"

#include <QByteArray>
#include <QFile>
#include <QList>

namespace tessaly::bench {

double ResidentMiB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  const QList<QByteArray> lines = status.readAll().split('\n');
  for (const QByteArray& line : lines) {
    if (!line.startsWith("VmRSS:")) continue;
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() >= 2) return fields[1].toDouble() / 1024.0;
  }
  return -1;
}

}  // namespace tessaly::bench
