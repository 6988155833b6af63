// Caption, last photo folder and the shutdown of the main window.
#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>

#include "controls/ui_service.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"

namespace tessaly {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Tessaly"));
  setCentralWidget(new QWidget(this));
  resize(800, 600);
  init_path_ = ReadTextSetting(kOptionsSection, QStringLiteral("InitPath"));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  WriteIniValue(kOptionsSection, QStringLiteral("InitPath"), init_path_);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window == this || !window->isVisible()) continue;
    window->close();
    CurrentUi().LetMessagesRun();
  }
  event->accept();
}

}  // namespace tessaly
