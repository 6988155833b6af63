#include "ui/button_on_off.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include "controls/scripted_ui.h"

namespace tessaly {
namespace {

TEST(ButtonOnOff, CommandModeClicksOnReleaseInsideOnly) {
  ButtonOnOff button;
  button.SetCaption("Help");
  button.resize(60, 24);
  QSignalSpy clicks(&button, &ButtonOnOff::Click);
  QSignalSpy right(&button, &ButtonOnOff::RightButtonUp);
  const QPoint inside(10, 10);

  QTest::mousePress(&button, Qt::LeftButton, {}, inside);
  EXPECT_EQ(clicks.count(), 0);  // a command acts on the release
  QTest::mouseRelease(&button, Qt::LeftButton, {}, inside);
  EXPECT_EQ(clicks.count(), 1);

  QTest::mousePress(&button, Qt::LeftButton, {}, inside);
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(60, 10));  // just past the edge
  EXPECT_EQ(clicks.count(), 1);

  QTest::mousePress(&button, Qt::RightButton, {}, inside);
  QTest::mouseRelease(&button, Qt::RightButton, Qt::ShiftModifier, QPoint(12, 7));
  EXPECT_EQ(clicks.count(), 1);
  ASSERT_EQ(right.count(), 1);
  EXPECT_EQ(right[0][0].value<Qt::MouseButton>(), Qt::RightButton);
  EXPECT_EQ(right[0][1].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
  EXPECT_EQ(right[0][2].toInt(), 12);
  EXPECT_EQ(right[0][3].toInt(), 7);
  EXPECT_FALSE(button.IsOn());

  // The release lets messages run before acting: a button disabled in that moment (a
  // run started by another click) does not act.
  ScriptedUi ui;
  ScopedUi scoped(ui);
  ui.OnPoll([&button](int) { button.setEnabled(false); });
  QTest::mousePress(&button, Qt::LeftButton, {}, inside);
  QTest::mouseRelease(&button, Qt::LeftButton, {}, inside);
  ui.OnPoll(nullptr);
  EXPECT_EQ(clicks.count(), 1);
  button.setEnabled(true);

  QTest::keyClick(&button, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 2);
  EXPECT_EQ(button.accessibleName(), "Help");
}

TEST(ButtonOnOff, ToggleTurnsOnWithClickAtPressAndOffWithClickAtRelease) {
  ButtonOnOff button;
  button.SetCommandButtonMode(false);
  button.resize(40, 40);
  QSignalSpy clicks(&button, &ButtonOnOff::Click);
  const QPoint inside(20, 20);

  QTest::mousePress(&button, Qt::LeftButton, {}, inside);
  EXPECT_TRUE(button.IsOn());
  EXPECT_EQ(clicks.count(), 1);  // at once, before the release
  QTest::mouseRelease(&button, Qt::LeftButton, {}, inside);
  EXPECT_EQ(clicks.count(), 1);

  QTest::mousePress(&button, Qt::LeftButton, {}, inside);
  EXPECT_FALSE(button.IsOn());
  EXPECT_EQ(clicks.count(), 1);
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(90, 90));
  EXPECT_EQ(clicks.count(), 2);  // the release that follows, wherever it is

  QTest::keyClick(&button, Qt::Key_Return);
  EXPECT_TRUE(button.IsOn());
  EXPECT_EQ(clicks.count(), 3);

  // A screen reader sees a checked button it can press.
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&button);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::Button);
  EXPECT_TRUE(accessible->state().checkable);
  EXPECT_TRUE(accessible->state().checked);
  accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_FALSE(button.IsOn());
  EXPECT_EQ(clicks.count(), 4);
}

}  // namespace
}  // namespace tessaly
