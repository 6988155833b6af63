// Template expansion, the uniqueness suffix and the template character check.
#include "save/file_name_template.h"

#include <algorithm>
#include <utility>

#include "controls/formatting.h"
#include "controls/new_file.h"
#include "controls/ui_service.h"

namespace tessaly {

namespace {

std::function<QDateTime()>& TemplateClock() {
  static std::function<QDateTime()> clock;
  return clock;
}

QDateTime Now() {
  const auto& clock = TemplateClock();
  return clock ? clock() : QDateTime::currentDateTime();
}

// Path separator of source paths and of the folder the caller passes.
constexpr QChar kSeparator = u'/';

// The example folder holds characters no real folder name here starts with, so the
// example never collides with a file and never gets a suffix.
const QString kExampleFolder = QStringLiteral("s:\\#-XPTO#_z$2\\$#3k\\");
const QString kExampleSource = QStringLiteral("MyFile");
const QString kExampleExtension = QStringLiteral(".XPTO");

// Characters no file name may hold, in the order the message lists them.
const QString kForbiddenCharacters = QStringLiteral("\\/\"*?:|><");

// The source's date: its modification time, or now when it has none.
QDateTime SourceDate(const QString& source_path) {
  double serial = 0.0;
  if (FileDateSerial(source_path, serial)) return DateFromSerial(serial);
  return Now();
}

}  // namespace

const QStringList& PresetTemplates() {
  static const QStringList presets = {QStringLiteral("[Filename]"),
                                      QStringLiteral("Something-[Filename]"),
                                      QStringLiteral("[Filename] Something"),
                                      QStringLiteral("[FileName] [Date]"),
                                      QStringLiteral("[FileName] [Date-]"),
                                      QStringLiteral("[FileName] [DateTime]"),
                                      QStringLiteral("[FileName] [DateTime-]"),
                                      QStringLiteral("Something [AutoNumber]")};
  return presets;
}

QString BuildFileName(const QString& folder, const QString& source_path,
                      const QString& name_template, const QString& extension, int number) {
  // Name without folder; the source extension comes off wherever it occurs, so
  // "a.jpg.jpg" gives "a". Without an extension every point goes.
  const qsizetype slash = source_path.lastIndexOf(kSeparator);
  QString name = source_path.mid(slash + 1);
  const qsizetype dot = source_path.lastIndexOf(u'.');
  const QString source_extension = dot > slash ? source_path.mid(dot + 1) : QString();
  name.remove(QStringLiteral(".") + source_extension, Qt::CaseSensitive);

  const QDateTime when = SourceDate(source_path);
  // The file name goes in last so that text from it is never read as a token.
  QString result = name_template;
  result.replace(QStringLiteral("[Date]"), FormatDate(when, QStringLiteral("YYYYMMDD")),
                 Qt::CaseInsensitive);
  result.replace(QStringLiteral("[DateTime]"), FormatDate(when, QStringLiteral("YYYYMMDD\\_HhNn")),
                 Qt::CaseInsensitive);
  result.replace(QStringLiteral("[Date-]"), FormatDate(when, QStringLiteral("YYYY\\-MM\\-DD")),
                 Qt::CaseInsensitive);
  result.replace(QStringLiteral("[DateTime-]"),
                 FormatDate(when, QStringLiteral("YYYY\\-MM\\-DD\\ Hh\\hNn\\m")),
                 Qt::CaseInsensitive);
  result.replace(QStringLiteral("[AutoNumber]"), FormatNumber(number, QStringLiteral("#000")),
                 Qt::CaseInsensitive);
  result.replace(QStringLiteral("[Filename]"), name, Qt::CaseInsensitive);

  const QString base = result;
  for (long long counter = 1; NameTaken(folder + result + extension); ++counter) {
    result = base + u'(' + FormatNumber(static_cast<double>(counter), QStringLiteral("00")) + u')';
  }
  return result;
}

QString TemplateExample(const QString& name_template) {
  return QStringLiteral("Ex: ") + kExampleSource + QStringLiteral(" -> ") +
         BuildFileName(kExampleFolder, kExampleSource, name_template, kExampleExtension, 1);
}

bool CheckTemplateCharacters(const QString& name_template) {
  const bool refused = std::any_of(kForbiddenCharacters.begin(), kForbiddenCharacters.end(),
                                   [&](QChar c) { return name_template.contains(c); });
  if (!refused) return true;
  QStringList listed;
  for (QChar c : kForbiddenCharacters) listed << QString(c);
  // The classic message breaks its line with a carriage return.
  CurrentUi().MessageBox(
      QStringLiteral("A file name cannot contain any of the following characters:\r") +
          listed.join(u' '),
      MsgButtons::Ok, MsgIcon::Exclamation);
  return false;
}

void SetTemplateClock(std::function<QDateTime()> now) {
  TemplateClock() = std::move(now);
}

}  // namespace tessaly
