// The window program's translators for the system's language: Qt's own texts
// (standard buttons, the file and font dialogs) from Qt's translation folder, and
// the program's texts ("tessaly_<language>.qm") from the first of the program's
// translation folders that holds them. A language without a translation keeps the
// program's English texts.
#pragma once

#include <QStringList>

class QCoreApplication;
class QLocale;

namespace tessaly {

// The folders tried for the program's translations: "translations" beside the
// program, then the installed "share/tessaly/translations" next to its "bin".
QStringList TranslationFolders();

// Installs on `app` the translators found for `locale`, Qt's first, each a child
// of `app`. Returns how many were installed (0 to 2).
int InstallTranslators(QCoreApplication& app, const QLocale& locale, const QStringList& folders);

}  // namespace tessaly
