// The image-information window: layout, showing and hiding.
#include "ui/image_info_window.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tessaly {

ImageInfoWindow::ImageInfoWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("frmImageInfo"));
  setWindowTitle(tr("Image Information"));
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("txtMsg"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setAccessibleName(tr("Image information"));
  close_ = new QPushButton(tr("Close"), this);
  close_->setObjectName(QStringLiteral("cmdClose"));
  connect(close_, &QPushButton::clicked, this, &QWidget::hide);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addWidget(close_, 0, Qt::AlignRight);
  resize(460, 380);
}

void ImageInfoWindow::ShowInfo(const QString& report) {
  // The report ends its lines in CR LF and keeps one lone CR after the print
  // size; the text box breaks lines at LF only, so the CRs are dropped.
  QString shown = report;
  shown.remove(QLatin1Char('\r'));
  text_->setPlainText(shown);
  if (isVisible()) return;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
}

}  // namespace tessaly
