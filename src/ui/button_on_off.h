// ButtonOnOff: the program's own button, a picture and/or a caption centred in a
// 3-D frame, working as a push button (command mode) or as a toggle that stays
// pressed. Command mode: a press shows the sunken look, and a release inside the
// control lets pending messages run and then raises Click (left button) or
// RightButtonUp (right button); a release outside raises nothing. Toggle mode: a
// press on a button that is off turns it on and raises Click at once; a press on
// a button that is on turns it off, and Click follows on the release. Space and
// Enter press it from the keyboard. Its accessible name is its caption.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace tessaly {

class ButtonOnOff : public QWidget {
  Q_OBJECT

 public:
  explicit ButtonOnOff(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  QPixmap picture() const { return picture_; }
  void SetPicture(const QPixmap& picture);
  bool IsOn() const { return on_; }
  void SetIsOn(bool on);
  bool CommandButtonMode() const { return command_mode_; }
  void SetCommandButtonMode(bool command);
  QColor BackColor() const { return back_colour_; }
  void SetBackColor(const QColor& colour);
  // Write-only: the tool tip of the control.
  void SetToolTipTextObj(const QString& text) { setToolTip(text); }

  QSize sizeHint() const override;

 signals:
  void Click();
  // A right-button release inside the control in command mode, in its coordinates.
  void RightButtonUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Press();

  QString caption_;
  QPixmap picture_;
  QColor back_colour_;
  bool on_ = false;
  bool command_mode_ = true;
  bool pressed_ = false;           // command mode: held down
  bool click_on_release_ = false;  // toggle mode: turned off, Click on the release
};

}  // namespace tessaly
