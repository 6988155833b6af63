// Layout, page drawing and button wiring of the print preview window.
#include "ui/preview_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <cmath>
#include <utility>

#include "controls/ui_service.h"
#include "controls/units.h"
#include "print/print_window.h"
#include "ui/button_on_off.h"
#include "ui/container_3d.h"
#include "ui/window_lifetime.h"

namespace tessaly {
namespace {

constexpr int kIconSize = 24;  // pixels of the step buttons' pictures

int Pixels(double twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

}  // namespace

PreviewWindow::PreviewWindow(PrintWindow& print_window, QWidget* parent)
    : QWidget(parent, Qt::Window),
      print_window_(print_window),
      navigation_(print_window.PageCount()) {
  setObjectName(QStringLiteral("frmPreview"));
  setWindowTitle(tr("Tessaly - Print Preview"));
  setAutoFillBackground(true);
  QPalette shade = palette();
  shade.setColor(QPalette::Window, shade.color(QPalette::Dark));
  setPalette(shade);

  // The sheet's size in millimetres, from a paper one pixel high.
  const PreviewPaper sample = print_window_.MakePreviewPaper(1);
  if (sample.pxX > 0 && sample.pxY > 0) {
    paper_width_mm_ = sample.image.width() / sample.pxX;
    paper_height_mm_ = sample.image.height() / sample.pxY;
  }

  BuildButtonBar();
  paper_ = new QLabel(this);
  paper_->setObjectName(QStringLiteral("picPaper"));
  paper_->setScaledContents(true);
  paper_->setAutoFillBackground(true);
  QPalette sheet = paper_->palette();
  sheet.setColor(QPalette::Window, Qt::white);
  paper_->setPalette(sheet);

  UpdateButtons();
}

void PreviewWindow::BuildButtonBar() {
  bar_ = new Container3D(this);
  bar_->setObjectName(QStringLiteral("Container3D1"));
  auto* row = new QHBoxLayout(bar_);
  row->setContentsMargins(12, 6, 12, 4);
  first_ = AddButton("cmdFirst", tr("First page"));
  previous_ = AddButton("cmdPrevious", tr("Previous page"));
  next_ = AddButton("cmdNext", tr("Next page"));
  last_ = AddButton("cmdLast", tr("Last page"));
  print_ = AddButton("cmdPrint", tr("Print"));
  close_ = AddButton("cmdClose", QString());
  first_->SetPicture(style()->standardIcon(QStyle::SP_MediaSkipBackward).pixmap(kIconSize));
  previous_->SetPicture(style()->standardIcon(QStyle::SP_MediaSeekBackward).pixmap(kIconSize));
  next_->SetPicture(style()->standardIcon(QStyle::SP_MediaSeekForward).pixmap(kIconSize));
  last_->SetPicture(style()->standardIcon(QStyle::SP_MediaSkipForward).pixmap(kIconSize));
  const QIcon printer = QIcon::fromTheme(QStringLiteral("document-print"));
  if (printer.isNull())
    print_->SetCaption(tr("Print"));
  else
    print_->SetPicture(printer.pixmap(kIconSize));
  close_->SetCaption(QStringLiteral("  Close"));
  pages_ = new QLabel(bar_);
  pages_->setObjectName(QStringLiteral("lblPages"));
  pages_->setMinimumWidth(100);
  for (ButtonOnOff* button : {first_, previous_, next_, last_}) row->addWidget(button);
  row->addSpacing(12);
  row->addWidget(pages_);
  row->addStretch();
  row->addWidget(print_);
  row->addWidget(close_);

  connect(first_, &ButtonOnOff::Click, this, [this] { Step(&PreviewNavigation::First); });
  connect(previous_, &ButtonOnOff::Click, this, [this] { Step(&PreviewNavigation::Previous); });
  connect(next_, &ButtonOnOff::Click, this, [this] { Step(&PreviewNavigation::Next); });
  connect(last_, &ButtonOnOff::Click, this, [this] { Step(&PreviewNavigation::Last); });
  connect(print_, &ButtonOnOff::Click, this, &PreviewWindow::Print);
  connect(close_, &ButtonOnOff::Click, this, &QWidget::close);
}

PreviewWindow* PreviewWindow::Open(PrintWindow& print_window, std::function<void()> on_print,
                                   std::function<void()> on_closed) {
  // One preview at a time: the one still open is closed first.
  static QPointer<PreviewWindow> shown;
  if (shown) shown->close();
  auto* window = new PreviewWindow(print_window);
  shown = window;
  window->SetPrintHook(std::move(on_print));
  window->SetClosedHook(std::move(on_closed));
  window->ShowPreview();
  return window;
}

ButtonOnOff* PreviewWindow::AddButton(const char* name, const QString& tip) {
  auto* button = new ButtonOnOff(bar_);
  button->setObjectName(QLatin1String(name));
  button->SetCommandButtonMode(true);
  button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  if (!tip.isEmpty()) button->SetToolTipTextObj(tip);
  return button;
}

void PreviewWindow::ShowPreview() {
  pages_->clear();
  // The screen's size at once, so that the first page is drawn at its final size
  // even before the window system confirms the maximised state.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    setGeometry(screen->availableGeometry());
  showMaximized();
  Place();
  CurrentUi().LetMessagesRun();
  Step(&PreviewNavigation::Next);
}

void PreviewWindow::Place() {
  const int bar_height = bar_->sizeHint().height();
  const PreviewWindowPlacement placement =
      PlacePreviewWindow(width() * kTwipsPerPixel, height() * kTwipsPerPixel,
                         bar_height * kTwipsPerPixel, paper_width_mm_, paper_height_mm_);
  const TwipsRect& bar = placement.button_bar;
  bar_->setGeometry(Pixels(bar.left), Pixels(bar.top), Pixels(bar.width), bar_height);
  const TwipsRect& paper = placement.paper;
  paper_->setGeometry(Pixels(paper.left), Pixels(paper.top), std::max(1, Pixels(paper.width)),
                      std::max(1, Pixels(paper.height)));
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Place();
}

void PreviewWindow::Step(PreviewStep (PreviewNavigation::*command)()) {
  if (drawing_) return;
  const PreviewStep step = (navigation_.*command)();
  if (step.page == 0) return;
  drawing_ = true;
  UpdateButtons();
  Ui& ui = CurrentUi();
  ui.SetWaitCursor(true);
  paper_->clear();
  if (step.text_before_drawing) pages_->setText(navigation_.PagesText());
  // The old page goes before the new one is drawn, so that only one is ever held.
  const qreal ratio = devicePixelRatioF();
  QImage page =
      print_window_.PreviewPage(step.page, static_cast<int>(std::lround(paper_->height() * ratio)));
  page.setDevicePixelRatio(ratio);
  paper_->setPixmap(QPixmap::fromImage(std::move(page)));
  if (!step.text_before_drawing) pages_->setText(navigation_.PagesText());
  ui.SetWaitCursor(false);
  drawing_ = false;
  UpdateButtons();
  if (close_pending_) close();
}

void PreviewWindow::UpdateButtons() {
  first_->setEnabled(!drawing_ && navigation_.PreviousEnabled());
  previous_->setEnabled(!drawing_ && navigation_.PreviousEnabled());
  next_->setEnabled(!drawing_ && navigation_.NextEnabled());
  last_->setEnabled(!drawing_ && navigation_.NextEnabled());
  print_->setEnabled(!drawing_);
  close_->setEnabled(!drawing_);
}

void PreviewWindow::Print() {
  // The window is closed without giving the main window back: the print options and
  // the run come first, so that nothing else starts in the moment between.
  const std::function<void()> on_print = on_print_;
  const std::function<void()> on_closed = std::exchange(on_closed_, nullptr);
  if (drawing_ || !close()) {
    on_closed_ = on_closed;
    return;
  }
  CurrentUi().LetMessagesRun();
  if (on_print) on_print();
  if (on_closed) on_closed();
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Home:
      Step(&PreviewNavigation::First);
      return;
    case Qt::Key_PageUp:
      Step(&PreviewNavigation::Previous);
      return;
    case Qt::Key_PageDown:
      Step(&PreviewNavigation::Next);
      return;
    case Qt::Key_End:
      Step(&PreviewNavigation::Last);
      return;
    case Qt::Key_Escape:
      close();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
  if (drawing_) {
    close_pending_ = true;
    event->ignore();
    return;
  }
  paper_->clear();
  event->accept();
  if (on_closed_) on_closed_();
  DeleteWhenIdle(this);
}

}  // namespace tessaly
