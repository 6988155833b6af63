// Printed pages read back with cups-pdf's configuration and the poppler tools.
#include "support/pdf_readback.h"

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace tessaly::test {
namespace {

// How long one tool may run; Ghostscript-made pages of full photos render slowly.
constexpr int kToolWaitMs = 60000;

}  // namespace

QString CupsPdfFolder() {
  QString out = QStringLiteral("${HOME}/PDF");
  QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
  if (conf.open(QIODevice::ReadOnly | QIODevice::Text)) {
    const QRegularExpression setting(QStringLiteral("^Out\\s+(\\S.*)$"));
    while (!conf.atEnd()) {
      const auto match = setting.match(QString::fromLocal8Bit(conf.readLine()).trimmed());
      if (match.hasMatch()) out = match.captured(1).trimmed();
    }
  }
  const passwd* user = getpwuid(getuid());
  if (user != nullptr) {
    out.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(user->pw_dir));
    out.replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(user->pw_name));
  }
  return out;
}

QSet<QString> PdfFiles(const QString& folder) {
  const QStringList names = QDir(folder).entryList({"*.pdf"}, QDir::Files);
  return QSet<QString>(names.begin(), names.end());
}

int CupsPdfJobNumber(const QString& file_name) {
  static const QRegularExpression job(QStringLiteral("job_(\\d+)\\.pdf$"));
  const auto match = job.match(file_name);
  return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForStarted() || !process.waitForFinished(kToolWaitMs)) return QString();
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

bool PdfSheet(const QString& file, QSizeF& points, int& pages) {
  const QString info = RunTool(QStringLiteral("pdfinfo"), {file});
  const auto size =
      QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
  const auto count = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
  if (!size.hasMatch() || !count.hasMatch()) return false;
  points = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
  pages = count.captured(1).toInt();
  return true;
}

int PdfImagesOnPage(const QString& file, int page) {
  const QString list = RunTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file});
  if (list.isEmpty()) return -1;
  // Rows: page, image number, type ("image", "smask", "stencil", ...), then details.
  const QRegularExpression row(QStringLiteral("^\\s*(\\d+)\\s+\\d+\\s+(\\w+)\\s"));
  int images = 0;
  for (const QString& line : list.split('\n')) {
    const auto match = row.match(line);
    if (match.hasMatch() && match.captured(1).toInt() == page &&
        match.captured(2) == QLatin1String("image")) {
      ++images;
    }
  }
  return images;
}

QImage RenderPdfPage(const QString& file, int dpi, const QString& scratch_prefix) {
  RunTool(QStringLiteral("pdftoppm"),
          {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
           QStringLiteral("-singlefile"), file, scratch_prefix});
  return QImage(scratch_prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

}  // namespace tessaly::test
