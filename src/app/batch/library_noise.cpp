// The message filter of the batch command: by logging category where the library
// logs with one, by the message's own prefix where it does not.
#include "app/batch/library_noise.h"

#include <QString>

namespace tessaly::batch {
namespace {

// Categories of Qt's image readers and plugins and of its ICC parser.
constexpr const char* kNoisyCategories[] = {"qt.gui.imageio", "qt.imageformats", "qt.gui.icc"};
// Uncategorised warnings of the PNG reader and of QStandardPaths.
constexpr const char* kNoisyPrefixes[] = {"libpng", "QStandardPaths:", "QImageIOHandler:"};

QtMessageHandler g_previous = nullptr;

bool IsLibraryNoise(QtMsgType type, const char* category, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) return false;
  const QLatin1String name(category ? category : "");
  for (const char* noisy : kNoisyCategories) {
    if (name.startsWith(QLatin1String(noisy))) return true;
  }
  for (const char* prefix : kNoisyPrefixes) {
    if (message.startsWith(QLatin1String(prefix))) return true;
  }
  return false;
}

void Filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (IsLibraryNoise(type, context.category, message)) return;
  if (g_previous) g_previous(type, context, message);
}

}  // namespace

void FilterLibraryNoise() {
  g_previous = qInstallMessageHandler(Filter);
}

}  // namespace tessaly::batch
