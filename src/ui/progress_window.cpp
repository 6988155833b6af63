// Caption, message line and Cancel button of the progress window.
#include "ui/progress_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaly {

ProgressWindow::ProgressWindow(std::function<void()> on_cancel, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), on_cancel_(std::move(on_cancel)) {
  setObjectName(QStringLiteral("frmProgress"));
  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("lblMsgPrinting"));
  message_->setMinimumWidth(280);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(cancel, &QPushButton::clicked, this, [this] { on_cancel_(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message_);
  layout->addWidget(cancel, 0, Qt::AlignHCenter);
}

void ProgressWindow::Show(const QString& caption, const QString& text) {
  setWindowTitle(caption);
  message_->setText(text);
  if (!isVisible()) show();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  on_cancel_();
  event->accept();
}

}  // namespace tessaly
