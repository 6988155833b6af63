// Finding and installing the translators.
#include "ui/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tessaly {
namespace {

bool Install(QCoreApplication& app, const QLocale& locale, const QString& name,
             const QString& folder) {
  auto* translator = new QTranslator(&app);
  if (translator->load(locale, name, QStringLiteral("_"), folder) &&
      QCoreApplication::installTranslator(translator))
    return true;
  delete translator;
  return false;
}

}  // namespace

QStringList TranslationFolders() {
  const QDir program(QCoreApplication::applicationDirPath());
  return {program.filePath(QStringLiteral("translations")),
          program.filePath(QStringLiteral("../share/tessaly/translations"))};
}

int InstallTranslators(QCoreApplication& app, const QLocale& locale, const QStringList& folders) {
  int installed = 0;
  if (Install(app, locale, QStringLiteral("qtbase"),
              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    ++installed;
  for (const QString& folder : folders) {
    if (Install(app, locale, QStringLiteral("tessaly"), folder)) return installed + 1;
  }
  return installed;
}

}  // namespace tessaly
