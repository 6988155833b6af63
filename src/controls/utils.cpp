// Shell utilities: the help page copy and opener, path texts,
// fixed-width number texts and the measurement system. The help start page is
// rewritten into the cache folder because the installed help folder is
// read-only; a <base> element keeps its relative links pointing at the pages.
#include "controls/utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <utility>

#include "controls/formatting.h"

namespace tessaly {
namespace {

constexpr char kStartPage[] = "Help.htm";
constexpr char kCopyName[] = "~Help.htm";
constexpr char kRewrittenPage[] = "Overview.htm";

UrlOpener& Opener() {
  static UrlOpener opener;
  return opener;
}

QString& HelpFolderOverride() {
  static QString folder;
  return folder;
}

// The copy's links must still reach the pages beside Help.htm.
QByteArray WithBase(QByteArray html, const QString& folder) {
  const QByteArray base =
      "<base href=\"" + QUrl::fromLocalFile(QDir(folder).absolutePath() + u'/').toEncoded() + "\">";
  const qsizetype head = html.toLower().indexOf("<head");
  if (head < 0) return base + html;
  const qsizetype close = html.indexOf('>', head);
  if (close < 0) return base + html;
  return html.insert(close + 1, base);
}

}  // namespace

UrlOpener SetUrlOpener(UrlOpener opener) {
  return std::exchange(Opener(), std::move(opener));
}

bool OpenWithDesktop(const QUrl& url) {
  const UrlOpener& opener = Opener();
  return opener && opener(url);
}

QString HelpFolder() {
  if (!HelpFolderOverride().isEmpty()) return HelpFolderOverride();
  const QString installed =
      QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/tessaly/Tesly_Help");
  if (QFileInfo(installed).isDir()) return installed;
  return QStringLiteral(TESSALY_HELP_SOURCE_DIR);
}

void SetHelpFolder(const QString& folder) {
  HelpFolderOverride() = folder;
}

QString HelpCopyPath() {
  QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
  if (cache.isEmpty()) cache = QDir::homePath() + "/.cache";
  return cache + "/tessaly/" + kCopyName;
}

bool ShowHelpPage(const QString& page) {
  const QString folder = HelpFolder();
  QFile start(QDir(folder).filePath(kStartPage));
  if (!start.exists() || !start.open(QIODevice::ReadOnly)) return false;
  QByteArray html = start.readAll();
  if (start.error() != QFileDevice::NoError) return false;
  html.replace(kRewrittenPage, page.toUtf8());

  const QString copy_path = HelpCopyPath();
  if (!ReplaceFileContent(copy_path, WithBase(std::move(html), folder))) return false;
  return OpenWithDesktop(QUrl::fromLocalFile(copy_path));
}

bool ReplaceFileContent(const QString& path, const QByteArray& bytes) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly)) return false;
  if (out.write(bytes) != bytes.size()) {
    out.cancelWriting();
    return false;
  }
  return out.commit();
}

QString FileNameOfPath(const QString& path) {
  return path.mid(path.lastIndexOf(u'/') + 1);
}

QString FileExtension(const QString& path) {
  const qsizetype point = path.lastIndexOf(u'.');
  if (point < 1 || path.indexOf(u'/', point) >= 0) return QString();
  return path.mid(point + 1);
}

QString FormatFixedWidth(double value, int integer_digits, int decimals) {
  const QString text = FormatNumber(value, "#0." + QString(decimals, u'0'));
  const int width = integer_digits + decimals + 1;
  return text.size() > width ? text.left(width) : text.rightJustified(width, u' ');
}

bool IsUSMeasure() {
  return IsUSMeasure(QLocale::system());
}

bool IsUSMeasure(const QLocale& locale) {
  return locale.measurementSystem() == QLocale::ImperialUSSystem;
}

// The classic text of a number has ASCII digits and the locale's decimal mark
// (a point or a comma), which then becomes a point. The C locale gives that text
// directly, also where the user's locale has digits or a decimal mark of its own.
QString PointDecimal(double value) {
  return QLocale::c().toString(value, 'g', kDoubleTextDigits);
}

}  // namespace tessaly
