// The window program: installs the Qt services and the translators, starts the
// image codecs, reads the settings, refuses a second instance and shows the main
// window. The codec session ends after the window has closed.
#include <QApplication>
#include <QDesktopServices>
#include <QLocale>
#include <QTimer>

#include "colour/colour_profiles.h"
#include "controls/instance_lock.h"
#include "controls/native_path.h"
#include "controls/utils.h"
#include "print/cups/cups_printer_catalogue.h"
#include "surface/codec_session.h"
#include "ui/close_on_signal.h"
#include "ui/main_window.h"
#include "ui/qt_common_dialogs.h"
#include "ui/qt_ui.h"
#include "ui/translations.h"
#include "workspace/job_session.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessaly"));
  tessaly::InstallTranslators(app, QLocale::system(), tessaly::TranslationFolders());

  tessaly::QtUi ui;
  tessaly::ScopedUi installed_ui(ui);
  tessaly::QtCommonDialogs dialogs;
  tessaly::ScopedCommonDialogs installed_dialogs(dialogs);
  tessaly::SetUrlOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); });

  tessaly::IgnoreColourErrors();
  if (!tessaly::StartCodecSession()) return 1;
  tessaly::InstanceLock lock;
  if (!lock.Acquire()) {
    tessaly::ShutdownCodecSession();
    return 1;
  }

  int result = 0;
  {
    tessaly::CupsPrinterCatalogue printers;
    tessaly::JobSession session(&printers);
    tessaly::MainWindow window(session);
    dialogs.SetOwner(&window);
    ui.SetMainWindow(&window);
    tessaly::CloseWindowsOnSignals();
    window.show();
    // Start-up runs inside the event loop, so that a quit asked for during its
    // dialogs ends the loop instead of being lost before it runs.
    const QStringList files = tessaly::NativeArguments(argc, argv).mid(1);
    QTimer::singleShot(0, &window, [&window, &files] { window.Start(files); });
    result = QApplication::exec();
  }
  tessaly::ShutdownCodecSession();
  return result;
}
