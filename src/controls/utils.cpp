// Shell utilities: the help page copy and opener, path texts,
// fixed-width number texts and the measurement system. The help start page is
// rewritten into the cache folder because the installed help folder is
// read-only; a <base> element keeps its relative links pointing at the pages.
#include "controls/utils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

#include "controls/formatting.h"
#include "controls/native_path.h"
#include "controls/new_file.h"

namespace tessaly {
namespace {

constexpr char kStartPage[] = "Help.htm";
constexpr char kCopyName[] = "~Help.htm";
constexpr char kRewrittenPage[] = "Overview.htm";
// Links followed before a name counts as a loop, as the system's own limit.
constexpr int kMaxLinkHops = 40;

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

// The file that writing to `path` reaches: `path` itself, or where its chain of
// symlinks ends (which need not exist yet). "" with `error` set when a link cannot be
// read or the chain is a loop. A relative link is joined to its own folder without
// folding "..", which the system resolves through the real folders.
QString FollowLinks(QString path, int& error) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    const QByteArray name = NativePath(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    QByteArray link(PATH_MAX, '\0');
    const ssize_t length = ::readlink(name.constData(), link.data(), link.size());
    if (length < 0 || length >= link.size()) {
      error = length < 0 ? errno : ENAMETOOLONG;
      return QString();
    }
    link.truncate(length);
    const QString target = PathFromNative(link);
    const qsizetype slash = path.lastIndexOf(u'/');
    path = target.startsWith(u'/') || slash < 0 ? target : path.left(slash + 1) + target;
  }
  error = ELOOP;
  return QString();
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

bool ReplaceFileContent(const QString& path, const QByteArray& bytes, QString* reason) {
  int error = 0;
  const QString target = FollowLinks(path, error);
  NewFile out;
  bool done = false;
  if (error == 0) {
    const QFileInfo info(target);
    // A folder that cannot be made shows as the failure to open the file in it.
    QDir().mkpath(info.absolutePath());
    done = out.Open(info.absolutePath()) && out.Device().write(bytes) == bytes.size() &&
           out.CommitReplacing(info.fileName());
    error = out.Error();
  }
  if (!done && reason) *reason = SystemErrorText(error);
  return done;
}

QString SystemErrorText(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
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
