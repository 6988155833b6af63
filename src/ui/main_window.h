// The program's main window, frmMain, as far as start-up and shutdown need it: its
// caption, the last photo folder (InitPath of section Options), read when the
// window is made and written back when it closes, and the closing of every other
// window of the program before it goes.
#pragma once

#include <QMainWindow>

namespace tessaly {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  // The folder photos were last added from.
  const QString& InitPath() const { return init_path_; }
  void SetInitPath(const QString& folder) { init_path_ = folder; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QString init_path_;
};

}  // namespace tessaly
