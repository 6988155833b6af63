// The about box: the product name, the version of this build, the libraries the
// program is built on with their licences, and a link to the help pages. Modal; OK
// closes it.
#pragma once

#include <QDialog>

namespace tessaly {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);

  // Shows the box modally over `parent`.
  static void ShowAbout(QWidget* parent);
};

// The version of this build, as the project declares it.
QString ProgramVersion();

}  // namespace tessaly
