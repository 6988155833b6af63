// Printed pages read back with cups-pdf's configuration and the poppler tools.
#include "support/pdf_readback.h"

#include <pwd.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <map>

namespace tessaly::test {
namespace {

// How long one tool may run; Ghostscript-made pages of full photos render slowly.
constexpr int kToolWaitMs = 60000;

// Standard output of `program`, or "" when it could not run within a minute.
QString RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForStarted() || !process.waitForFinished(kToolWaitMs)) return QString();
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The job number N of a cups-pdf file name ending "job_N.pdf"; 0 when it has none.
int CupsPdfJobNumber(const QString& file_name) {
  static const QRegularExpression job(QStringLiteral("job_(\\d+)\\.pdf$"));
  const auto match = job.match(file_name);
  return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// One row of pdfimages -list: its page, type ("image", "smask", ...) and encoding.
struct ListedImage {
  int page = 0;
  QString type;
  QString encoding;
};

// The rows of pdfimages -list for pages first..last, in the order pdfimages
// extracts them; false when the tool gave nothing.
bool ListImages(const QString& file, int first, int last, QList<ListedImage>& images) {
  const QString list =
      RunTool(QStringLiteral("pdfimages"),
              {QStringLiteral("-list"), QStringLiteral("-f"), QString::number(first),
               QStringLiteral("-l"), QString::number(last), file});
  // Columns: page, num, type, width, height, color, comp, bpc, enc, ...
  const QRegularExpression row(
      QStringLiteral("^\\s*(\\d+)\\s+\\d+\\s+(\\w+)\\s+(?:\\S+\\s+){5}(\\w+)\\s"));
  images.clear();
  for (const QString& line : list.split('\n')) {
    const auto match = row.match(line);
    if (match.hasMatch())
      images.append({match.captured(1).toInt(), match.captured(2), match.captured(3)});
  }
  return !list.isEmpty();
}

// True once the file is a whole PDF: its last kilobyte holds the end-of-file marker.
// cups-pdf writes its file in place, so a file seen early may still be growing.
bool PdfComplete(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  if (file.size() > 1024) file.seek(file.size() - 1024);
  return file.readAll().contains("%%EOF");
}

// The complete cups-pdf files of the jobs `wanted` picks, in job order, once `enough`
// holds for them or `wait_ms` have passed.
template <typename Wanted, typename Enough>
QStringList WaitForJobFiles(Wanted wanted, Enough enough, int wait_ms) {
  const QString folder = CupsPdfFolder();
  std::map<int, QString> found;
  for (QDeadlineTimer deadline(wait_ms); !deadline.hasExpired() && !enough(found);
       QThread::msleep(250)) {
    for (const QString& name : PdfFiles(folder)) {
      const int job = CupsPdfJobNumber(name);
      const QString path = QDir(folder).filePath(name);
      if (wanted(job) && PdfComplete(path)) found[job] = path;
    }
  }
  QStringList files;
  for (const auto& [job, file] : found) files << file;
  return files;
}

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

int NewestCupsPdfJob() {
  int newest = 0;
  for (const QString& name : PdfFiles(CupsPdfFolder()))
    newest = std::max(newest, CupsPdfJobNumber(name));
  return newest;
}

QStringList CupsPdfJobFiles(const std::set<int>& jobs, int wait_ms) {
  if (jobs.empty()) return {};
  const int last = *jobs.rbegin();
  return WaitForJobFiles(
      [&jobs](int job) { return jobs.count(job) > 0; },
      [last](const std::map<int, QString>& found) { return found.count(last) > 0; }, wait_ms);
}

QStringList CupsPdfFilesAfter(int after, int count, int wait_ms) {
  return WaitForJobFiles([after](int job) { return job > after; },
                         [count](const std::map<int, QString>& found) {
                           return static_cast<int>(found.size()) >= count;
                         },
                         wait_ms);
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

QStringList PdfImageEncodings(const QString& file, int page) {
  QList<ListedImage> listed;
  ListImages(file, page, page, listed);
  QStringList encodings;
  for (const ListedImage& image : listed)
    if (image.type == QLatin1String("image")) encodings.append(image.encoding);
  return encodings;
}

QList<QImage> PdfImagePixels(const QString& file, int page, const QString& scratch_prefix) {
  QList<ListedImage> listed;
  ListImages(file, page, page, listed);
  RunTool(QStringLiteral("pdfimages"),
          {QStringLiteral("-png"), QStringLiteral("-f"), QString::number(page),
           QStringLiteral("-l"), QString::number(page), file, scratch_prefix});
  QList<QImage> images;
  for (qsizetype i = 0; i < listed.size(); ++i) {
    if (listed[i].type != QLatin1String("image")) continue;
    const QString name = scratch_prefix + QStringLiteral("-%1.png").arg(i, 3, 10, QChar(u'0'));
    images.append(QImage(name).convertToFormat(QImage::Format_RGB32));
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
