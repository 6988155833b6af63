// Sharper screen copies for an enlarged photo view, made on a worker thread so that
// the window never waits for a decode. One copy is made at a time; a request made
// meanwhile replaces any other waiting one, and a finished copy that is no longer
// the one last asked for is dropped. The taker runs on the window's thread.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <future>

#include "surface/cdib.h"

class QTimer;

namespace tessaly {

class SharpScreenCopy : public QObject {
  Q_OBJECT

 public:
  // `take` receives each copy made for the last request: its file and the copy.
  SharpScreenCopy(std::function<void(const QString& file, cDIB& copy)> take, QObject* parent);
  // Waits for a copy still being made.
  ~SharpScreenCopy() override;

  // Asks for `file`'s screen copy with a longer side of `pixels` device pixels.
  void Request(const QString& file, int pixels);
  // Forgets the requests; a copy being made is dropped.
  void Forget();

 private:
  struct Made {
    QString file;
    int pixels = 0;
    bool ok = false;
    cDIB copy;
  };
  void Start();
  void Look();

  std::function<void(const QString&, cDIB&)> take_;
  QTimer* look_;
  std::future<Made> making_;
  QString wanted_file_;
  int wanted_pixels_ = 0;
  QString started_file_;
  int started_pixels_ = 0;
};

}  // namespace tessaly
