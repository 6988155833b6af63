// Caption, text, progress bar and Cancel button of the progress window.
#include "ui/progress_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "controls/units.h"
#include "workspace/progress_cancel.h"

namespace tessaly {
namespace {

// The message's width in pixels: wide enough for a step's text on one line; a
// longer text (a folder's path) wraps and the window grows to show all of it.
constexpr int kMessageWidth = 480;
// Offset of a newly shown progress window from the main window's corner, in twips.
constexpr double kOffsetLeft = 150;
constexpr double kOffsetTop = 775;

// The run's text as shown: its carriage returns break lines, and a long path may
// break after any folder separator instead of running past the window's edge.
QString ShownText(const QString& text) {
  QString shown = text;
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  shown.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
  return shown;
}

}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("frmPrintMsg"));
  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("lblMsgPrinting"));
  message_->setFixedWidth(kMessageWidth);
  message_->setWordWrap(true);
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("progressBar"));
  bar_->hide();
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(cancel, &QPushButton::clicked, this, &ProgressWindow::AskToCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(bar_);
  layout->addWidget(cancel, 0, Qt::AlignHCenter);
  // The window takes the size its text needs, growing and shrinking with it.
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ProgressWindow::Show(RunKind run, const QString& text, const QWidget* anchor) {
  run_ = run;
  const bool saving = run == RunKind::kSave;
  setObjectName(saving ? QStringLiteral("frmSaveMsg") : QStringLiteral("frmPrintMsg"));
  message_->setObjectName(saving ? QStringLiteral("lblMsgSaving")
                                 : QStringLiteral("lblMsgPrinting"));
  setWindowTitle(RunCaption(run));
  message_->setText(ShownText(text));
  message_->setAccessibleName(text);
  if (isVisible()) return;
  bar_->hide();
  if (anchor) {
    const QPoint corner = anchor->geometry().topLeft();
    move(corner.x() + static_cast<int>(std::lround(kOffsetLeft / kTwipsPerPixel)),
         corner.y() + static_cast<int>(std::lround(kOffsetTop / kTwipsPerPixel)));
  }
  SetTopmost(true);
}

void ProgressWindow::ShowCount(int done, int total) {
  bar_->setVisible(total > 0);
  bar_->setRange(0, total);
  bar_->setValue(done);
}

void ProgressWindow::SetTopmost(bool on) {
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  show();  // changing a window's flags hides it
  if (on) raise();
}

void ProgressWindow::AskToCancel() {
  SetTopmost(false);
  const ProgressCancelOutcome outcome = AskToCancelRun(run_);
  if (outcome.close_window) {
    hide();
    return;
  }
  if (outcome.topmost_again) SetTopmost(true);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  AskToCancel();
}

}  // namespace tessaly
