// Mouse and keyboard behaviour and the 3-D painting of ButtonOnOff.
#include "ui/button_on_off.h"

#include <QPointer>

#include <qdrawutil.h>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "controls/ui_service.h"

namespace tessaly {
namespace {

constexpr int kFrame = 2;    // width of the 3-D frame, pixels
constexpr int kPadding = 4;  // between frame and content
constexpr int kSpacing = 2;  // between picture and caption

// What assistive technology sees: a push button in command mode, a toggle button
// (checkable, checked when on) otherwise, named by its caption, with the press action.
class ButtonOnOffAccessible : public QAccessibleWidget {
 public:
  explicit ButtonOnOffAccessible(ButtonOnOff* button)
      : QAccessibleWidget(button, QAccessible::Button) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    if (!Button()->CommandButtonMode()) {
      state.checkable = true;
      state.checked = Button()->IsOn();
    }
    return state;
  }
  QStringList actionNames() const override {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == pressAction() && Button()->isEnabled()) {
      Button()->Press();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  ButtonOnOff* Button() const { return static_cast<ButtonOnOff*>(widget()); }
};

QAccessibleInterface* ButtonOnOffAccessibleFactory(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String(ButtonOnOff::staticMetaObject.className()) && object)
    return new ButtonOnOffAccessible(static_cast<ButtonOnOff*>(object));
  return nullptr;
}

}  // namespace

ButtonOnOff::ButtonOnOff(QWidget* parent)
    : QWidget(parent), back_colour_(palette().color(QPalette::Button)) {
  static const bool factory_installed = [] {
    QAccessible::installFactory(ButtonOnOffAccessibleFactory);
    return true;
  }();
  (void)factory_installed;
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ButtonOnOff::SetCaption(const QString& caption) {
  caption_ = caption;
  setAccessibleName(caption);
  updateGeometry();
  update();
}

void ButtonOnOff::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  updateGeometry();
  update();
}

void ButtonOnOff::SetIsOn(bool on) {
  on_ = on;
  update();
}

void ButtonOnOff::SetCommandButtonMode(bool command) {
  command_mode_ = command;
  pressed_ = false;
  click_on_release_ = false;
  update();
}

void ButtonOnOff::SetBackColor(const QColor& colour) {
  back_colour_ = colour;
  update();
}

QSize ButtonOnOff::sizeHint() const {
  QSize content;
  if (!picture_.isNull()) content = picture_.deviceIndependentSize().toSize();
  if (!caption_.isEmpty()) {
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, caption_);
    content.setWidth(std::max(content.width(), text.width()));
    content.setHeight(content.height() + text.height() + (picture_.isNull() ? 0 : kSpacing));
  }
  return content + QSize(2 * (kFrame + kPadding), 2 * (kFrame + kPadding));
}

void ButtonOnOff::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool sunken = on_ || pressed_;
  const QBrush fill(back_colour_);
  // Highlight, 3-D light, button shadow and 3-D dark shadow of the palette, raised
  // or sunken.
  qDrawWinButton(&painter, rect(), palette(), sunken, &fill);

  const QRect inside = rect()
                           .adjusted(kFrame, kFrame, -kFrame, -kFrame)
                           .translated(sunken ? QPoint(1, 1) : QPoint());
  const QSize picture_size =
      picture_.isNull() ? QSize() : picture_.deviceIndependentSize().toSize();
  const int text_height = caption_.isEmpty() ? 0 : fontMetrics().height();
  const int total = picture_size.height() + text_height +
                    (picture_size.isEmpty() || caption_.isEmpty() ? 0 : kSpacing);
  int y = inside.top() + (inside.height() - total) / 2;
  if (!picture_.isNull()) {
    const int x = inside.left() + (inside.width() - picture_size.width()) / 2;
    if (!isEnabled()) painter.setOpacity(0.4);
    painter.drawPixmap(QRect(QPoint(x, y), picture_size), picture_);
    painter.setOpacity(1.0);
    y += picture_size.height() + kSpacing;
  }
  if (!caption_.isEmpty()) {
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(QRect(inside.left(), y, inside.width(), text_height),
                     Qt::AlignCenter | Qt::TextShowMnemonic, caption_);
  }
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = inside.adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

void ButtonOnOff::mousePressEvent(QMouseEvent* event) {
  if (command_mode_) {
    pressed_ = true;
    update();
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (!on_) {
    on_ = true;
    repaint();
    emit Click();
  } else {
    on_ = false;
    click_on_release_ = true;
  }
}

void ButtonOnOff::mouseReleaseEvent(QMouseEvent* event) {
  if (!command_mode_) {
    if (!click_on_release_) return;
    click_on_release_ = false;
    repaint();
    emit Click();
    return;
  }
  if (!pressed_) return;
  pressed_ = false;
  repaint();
  const QPoint at = event->position().toPoint();
  if (!rect().contains(at)) return;
  const Qt::MouseButton button = event->button();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  QPointer<ButtonOnOff> self(this);
  const bool shown = isVisible();
  CurrentUi().LetMessagesRun();
  // A button disabled or hidden meanwhile (a run started by another click) no longer
  // acts: its command would reach a job in use.
  if (!self || !isEnabled() || (shown && !isVisible())) return;
  if (button == Qt::LeftButton) {
    emit Click();
  } else if (button == Qt::RightButton) {
    emit RightButtonUp(button, modifiers, at.x(), at.y());
  }
}

void ButtonOnOff::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!event->isAutoRepeat()) Press();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

// A key press is a whole click: a command raises Click, a toggle changes state
// and raises Click.
void ButtonOnOff::Press() {
  if (!command_mode_) {
    on_ = !on_;
    repaint();
  }
  emit Click();
}

}  // namespace tessaly
