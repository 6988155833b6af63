// Printer profile lookup through CUPS. A PPD names its colour profiles as
//   *cupsICCProfile ColorModel.MediaType.Resolution/Text: "file.icc"
// with relative names resolved against the CUPS data folder's "profiles"
// directory. We take the first one: the PPD lists the default settings' profile
// first, and the job's own settings are not known at this point.
#include "colour/printer_profile.h"

#include <cups/cups.h>
#include <cups/ppd.h>

#include <QDir>
#include <QFile>

#include "controls/native_path.h"

namespace tessaly {
namespace {

constexpr char kIccProfileKeyword[] = "*cupsICCProfile";
// Where CUPS keeps the profiles a PPD names by relative path.
constexpr char kCupsProfilesFolder[] = "/usr/share/cups/profiles";

}  // namespace

QString PpdIccProfilePath(const QByteArray& ppd_text, const QString& profiles_folder) {
  for (const QByteArray& raw_line : ppd_text.split('\n')) {
    const QByteArray line = raw_line.trimmed();
    if (!line.startsWith(kIccProfileKeyword)) continue;
    // The keyword must end at a space or the option colon, not run on into a
    // longer keyword.
    const qsizetype after = sizeof kIccProfileKeyword - 1;
    if (line.size() > after && line[after] != ' ' && line[after] != ':') continue;
    const qsizetype open = line.indexOf('"', line.indexOf(':'));
    const qsizetype close = open < 0 ? -1 : line.indexOf('"', open + 1);
    if (open < 0 || close <= open + 1) continue;
    const QString name = PathFromNative(line.mid(open + 1, close - open - 1));
    return QDir::isAbsolutePath(name) ? name : QDir(profiles_folder).filePath(name);
  }
  return QString();
}

QString CupsQueueProfilePath(const QString& queue) {
  const QByteArray name = queue.isEmpty() ? QByteArray(cupsGetDefault()) : queue.toUtf8();
  if (name.isEmpty()) return QString();
    // cupsGetPPD is marked deprecated in favour of the IPP destination API, which
    // does not carry the PPD's cupsICCProfile keyword; it is still the way CUPS
    // hands a queue's PPD to its clients.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const char* ppd_file = cupsGetPPD(name.constData());
#pragma GCC diagnostic pop
  if (ppd_file == nullptr) return QString();
  // cupsGetPPD copies the PPD to a temporary file that is ours to remove.
  const QString ppd_path = PathFromNative(ppd_file);
  QFile ppd(ppd_path);
  const QByteArray text = ppd.open(QIODevice::ReadOnly) ? ppd.readAll() : QByteArray();
  ppd.close();
  QFile::remove(ppd_path);
  return PpdIccProfilePath(text, QString::fromLatin1(kCupsProfilesFolder));
}

ProfileHandle PrinterProfile(int mode, const QString& queue, const QString& chosen_file) {
  switch (mode) {
    case kPrinterProfileSrgb:
      return CreateSrgbProfile();
    case kPrinterProfileChosen:
      return OpenProfileFile(chosen_file);
    default: {
      ProfileHandle profile = OpenProfileFile(CupsQueueProfilePath(queue));
      return profile != nullptr ? profile : CreateSrgbProfile();
    }
  }
}

bool ConvertsToPrinterSpace(int mode, const QString& queue) {
  if (mode == kPrinterProfileSrgb) return false;
  if (mode == kPrinterProfileChosen) return true;
  return !CupsQueueProfilePath(queue).isEmpty();
}

}  // namespace tessaly
