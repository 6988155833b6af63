// Message boxes, the input box, the event loop, the nested wait cursor and the
// progress window behind the Ui seam.
#include "ui/qt_ui.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

#include "ui/progress_window.h"
#include "ui/window_lifetime.h"

namespace tessaly {
namespace {

constexpr char kProgramCaption[] = "Tessaly";

QMessageBox::StandardButtons BoxButtons(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok:
      return QMessageBox::Ok;
    case MsgButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::AbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MsgButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon BoxIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::None:
      return QMessageBox::NoIcon;
    case MsgIcon::Critical:
      return QMessageBox::Critical;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::Exclamation:
      return QMessageBox::Warning;
    case MsgIcon::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

// A box closed without a button (Escape, the window's close box) gives the answer
// that never loops.
MsgAnswer AnswerOf(int clicked, MsgButtons buttons) {
  switch (clicked) {
    case QMessageBox::Ok:
      return MsgAnswer::Ok;
    case QMessageBox::Cancel:
      return MsgAnswer::Cancel;
    case QMessageBox::Abort:
      return MsgAnswer::Abort;
    case QMessageBox::Retry:
      return MsgAnswer::Retry;
    case QMessageBox::Ignore:
      return MsgAnswer::Ignore;
    case QMessageBox::Yes:
      return MsgAnswer::Yes;
    case QMessageBox::No:
      return MsgAnswer::No;
    default:
      return NeverLoopingAnswer(buttons);
  }
}

// While a box waits for an answer the pointer is an arrow, even inside a long run
// that shows the wait cursor.
class ArrowWhileAsking {
 public:
  ArrowWhileAsking() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~ArrowWhileAsking() { QApplication::restoreOverrideCursor(); }
  ArrowWhileAsking(const ArrowWhileAsking&) = delete;
  ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;
};

// The caption of a box: `title`, or the program's name when it is empty.
QString BoxTitle(const QString& title) {
  return title.isEmpty() ? QString::fromLatin1(kProgramCaption) : title;
}

}  // namespace

QtUi::QtUi() = default;

QtUi::~QtUi() {
  delete progress_.data();
  delete notice_.data();
  while (wait_depth_ > 0) SetWaitCursor(false);
}

MsgAnswer QtUi::MessageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                           const QString& title) {
  QMessageBox box(BoxIcon(icon), BoxTitle(title), text, BoxButtons(buttons),
                  QApplication::activeWindow());
  box.setObjectName(QStringLiteral("messageBox"));
  // Confirmations come to the front so that they are not missed behind the window.
  if (buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel) {
    QTimer::singleShot(0, &box, [&box] {
      box.raise();
      box.activateWindow();
    });
  }
  const ArrowWhileAsking arrow;
  return AnswerOf(box.exec(), buttons);
}

void QtUi::Notice(const QString& text, MsgIcon icon) {
  if (!notice_) {
    notice_ = new QMessageBox(QApplication::activeWindow());
    notice_->setObjectName(QStringLiteral("noticeBox"));
    notice_->setWindowModality(Qt::NonModal);
    notice_->setAttribute(Qt::WA_ShowWithoutActivating);
    notice_->setAttribute(Qt::WA_DeleteOnClose, false);
    notice_->setStandardButtons(QMessageBox::Ok);
    notice_->setWindowTitle(BoxTitle(QString()));
  }
  notice_->setIcon(BoxIcon(icon));
  notice_->setText(text);
  notice_->show();
}

bool QtUi::InputBox(const QString& prompt, const QString& title, QString& value) {
  const ArrowWhileAsking arrow;
  bool ok = false;
  const QString answer = QInputDialog::getText(QApplication::activeWindow(), BoxTitle(title),
                                               prompt, QLineEdit::Normal, value, &ok);
  if (ok) value = answer;
  return ok;
}

void QtUi::LetMessagesRun() {
  const YieldScope yielding;
  QCoreApplication::processEvents();
}

void QtUi::SetWaitCursor(bool on) {
  if (on) {
    if (wait_depth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    return;
  }
  if (wait_depth_ == 0) return;
  if (--wait_depth_ == 0) QApplication::restoreOverrideCursor();
}

void QtUi::ShowProgress(RunKind run, const QString& text) {
  if (!progress_) progress_ = new ProgressWindow;
  progress_->Show(run, text, main_window_);
  LetMessagesRun();
}

void QtUi::ShowProgressCount(int done, int total) {
  if (progress_) progress_->ShowCount(done, total);
}

void QtUi::HideProgress() {
  if (progress_) progress_->hide();
}

bool QtUi::RunDialog(QObject& dialog) {
  auto* shown = qobject_cast<QDialog*>(&dialog);
  return shown && shown->exec() == QDialog::Accepted;
}

}  // namespace tessaly
