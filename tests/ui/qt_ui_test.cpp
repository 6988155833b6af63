#include "ui/qt_ui.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <vector>

#include "support/find_control.h"

namespace tessaly {
namespace {

struct SeenBox {
  QString text;
  QString title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  Qt::CursorShape cursor = Qt::BlankCursor;
};

// Answers the next modal box by clicking `button`, after noting what it shows.
void ClickWhenShown(QMessageBox::StandardButton button, SeenBox& seen) {
  QTimer::singleShot(0, [button, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen = {
        box->text(), box->windowTitle(), box->icon(), box->standardButtons(),
        QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::BlankCursor};
    if (QAbstractButton* b = box->button(button)) b->click();
  });
}

TEST(QtUi, MessageBoxShowsTextTitleIconAndButtonsAndReturnsTheClickedAnswer) {
  using B = QMessageBox;
  struct Case {
    MsgButtons buttons;
    MsgIcon icon;
    QString title;
    B::StandardButton click;
    B::StandardButtons shown;
    B::Icon shown_icon;
    QString shown_title;
    MsgAnswer answer;
  };
  const std::vector<Case> cases = {
      {MsgButtons::Ok, MsgIcon::Information, "", B::Ok, B::Ok, B::Information, "Tessaly",
       MsgAnswer::Ok},
      {MsgButtons::YesNo, MsgIcon::Question, "Tessaly - Settings", B::Yes, B::Yes | B::No,
       B::Question, "Tessaly - Settings", MsgAnswer::Yes},
      {MsgButtons::AbortRetryIgnore, MsgIcon::Critical, "", B::Ignore,
       B::Abort | B::Retry | B::Ignore, B::Critical, "Tessaly", MsgAnswer::Ignore},
      {MsgButtons::RetryCancel, MsgIcon::Critical, "", B::Retry, B::Retry | B::Cancel, B::Critical,
       "Tessaly", MsgAnswer::Retry},
      {MsgButtons::OkCancel, MsgIcon::Exclamation, "", B::Cancel, B::Ok | B::Cancel, B::Warning,
       "Tessaly", MsgAnswer::Cancel},
      {MsgButtons::YesNoCancel, MsgIcon::None, "", B::No, B::Yes | B::No | B::Cancel, B::NoIcon,
       "Tessaly", MsgAnswer::No},
  };
  QtUi ui;
  ui.SetWaitCursor(true);  // a box asked in the middle of a run
  for (const Case& c : cases) {
    SeenBox seen;
    ClickWhenShown(c.click, seen);
    EXPECT_EQ(ui.MessageBox("Remove all images?", c.buttons, c.icon, c.title), c.answer);
    EXPECT_EQ(seen.text, "Remove all images?");
    EXPECT_EQ(seen.title, c.shown_title);
    EXPECT_EQ(seen.icon, c.shown_icon);
    EXPECT_EQ(seen.buttons, c.shown);
    EXPECT_EQ(seen.cursor, Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  ui.SetWaitCursor(false);

  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->setTextValue(dialog->labelText() + " Holiday");
    dialog->accept();
  });
  QString value = "default";
  EXPECT_TRUE(ui.InputBox("Title:", "Contact sheet", value));
  EXPECT_EQ(value, "Title: Holiday");
}

TEST(QtUi, OnlyTheOutermostWaitCursorPairChangesTheCursor) {
  QtUi ui;
  const auto wait_shown = [] {
    return QApplication::overrideCursor() &&
           QApplication::overrideCursor()->shape() == Qt::WaitCursor;
  };
  ui.SetWaitCursor(false);  // an unmatched off changes nothing
  EXPECT_FALSE(wait_shown());
  ui.SetWaitCursor(true);
  ui.SetWaitCursor(true);
  EXPECT_EQ(ui.WaitCursorDepth(), 2);
  ui.SetWaitCursor(false);
  EXPECT_TRUE(wait_shown());
  ui.SetWaitCursor(false);
  EXPECT_FALSE(wait_shown());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  {
    QtUi left_on;  // a service that goes with its cursor still on gives it back
    left_on.SetWaitCursor(true);
    EXPECT_TRUE(wait_shown());
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtUi, ProgressWindowShowsTheRunAndItsConfirmedCancelSetsTheCancelFlag) {
  QtUi ui;
  ScopedUi scoped(ui);
  ui.ShowProgress("Print", "Printing page 1/2, Photo 1/4");
  QWidget* window = test::ShownWindow("frmPrintMsg");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Print");
  EXPECT_EQ(window->findChild<QLabel*>("lblMsgPrinting")->text(), "Printing page 1/2, Photo 1/4");
  EXPECT_FALSE(ui.CancelRequested());
  auto* cancel = window->findChild<QPushButton*>("cmdCancel");
  SeenBox seen;
  ClickWhenShown(QMessageBox::Yes, seen);
  cancel->click();
  EXPECT_EQ(seen.text, "Cancel print job?");
  EXPECT_TRUE(ui.PollCancel());
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace tessaly
