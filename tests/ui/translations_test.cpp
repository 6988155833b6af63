// The translators for the system's language: for German, Qt's own button texts and
// the program's texts (command table and a window's tr(), from a test translation)
// are shown translated; for a language the program has no translation of, its
// texts stay English while Qt's are translated.
#include "ui/translations.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QTranslator>

#include "ui/image_info_window.h"
#include "ui/window_actions.h"

namespace tessaly {
namespace {

void RemoveTranslators() {
  for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
}

QString CancelText() {
  QDialogButtonBox box(QDialogButtonBox::Cancel);
  return box.button(QDialogButtonBox::Cancel)->text();
}

TEST(TranslationsTest, TheSystemLanguageTranslatesQtAndTheProgram) {
  const QStringList folders = {QStringLiteral("/nonexistent"),
                               QStringLiteral(TESSALY_TEST_TRANSLATIONS)};
  ASSERT_EQ(InstallTranslators(*qApp, QLocale(QLocale::German, QLocale::Germany), folders), 2);
  {
    QWidget window;
    WindowActions actions(&window);
    QMenuBar bar;
    actions.FillMenuBar(&bar);
    EXPECT_EQ(actions.At(WindowCommand::kAddPhotos)->text(), "Fotos &hinzufügen...");
    EXPECT_EQ(bar.actions().front()->text(), "&Datei");
    EXPECT_EQ(ImageInfoWindow(&window).windowTitle(), "Bildinformationen");
    EXPECT_EQ(CancelText(), "Abbrechen");
  }
  RemoveTranslators();

  ASSERT_EQ(InstallTranslators(*qApp, QLocale(QLocale::French, QLocale::France), folders), 1);
  QWidget window;
  WindowActions actions(&window);
  EXPECT_EQ(actions.At(WindowCommand::kAddPhotos)->text(), "&Add Photos...");
  EXPECT_EQ(CancelText(), "Annuler");
  RemoveTranslators();
}

}  // namespace
}  // namespace tessaly
