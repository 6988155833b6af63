// The Qt Ui service over real message boxes, input box and progress windows: the
// buttons, icon and title each message shows and the answer clicked, the wait
// cursor kept through nested pairs, and each run's Cancel question and its effect.
#include "ui/qt_ui.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <tuple>
#include <vector>

#include "controls/scripted_ui.h"
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
  // {buttons, icon, title asked, button clicked, buttons, icon and title shown, answer}
  const std::tuple<MsgButtons, MsgIcon, QString, B::StandardButton, B::StandardButtons, B::Icon,
                   QString, MsgAnswer>
      cases[] = {
          {MsgButtons::Ok, MsgIcon::Information, "", B::Ok, B::Ok, B::Information, "Tessaly",
           MsgAnswer::Ok},
          {MsgButtons::YesNo, MsgIcon::Question, "Tessaly - Settings", B::Yes, B::Yes | B::No,
           B::Question, "Tessaly - Settings", MsgAnswer::Yes},
          {MsgButtons::AbortRetryIgnore, MsgIcon::Critical, "", B::Ignore,
           B::Abort | B::Retry | B::Ignore, B::Critical, "Tessaly", MsgAnswer::Ignore},
          {MsgButtons::RetryCancel, MsgIcon::Critical, "", B::Retry, B::Retry | B::Cancel,
           B::Critical, "Tessaly", MsgAnswer::Retry},
          {MsgButtons::OkCancel, MsgIcon::Exclamation, "", B::Cancel, B::Ok | B::Cancel, B::Warning,
           "Tessaly", MsgAnswer::Cancel},
          {MsgButtons::YesNoCancel, MsgIcon::None, "", B::No, B::Yes | B::No | B::Cancel, B::NoIcon,
           "Tessaly", MsgAnswer::No},
      };
  QtUi ui;
  ui.SetWaitCursor(true);  // a box asked in the middle of a run
  for (const auto& [buttons, icon, title, click, shown, shown_icon, shown_title, answer] : cases) {
    SeenBox seen;
    ClickWhenShown(click, seen);
    EXPECT_EQ(ui.MessageBox("Remove all images?", buttons, icon, title), answer);
    EXPECT_EQ(seen.text, "Remove all images?");
    EXPECT_EQ(seen.title, shown_title);
    EXPECT_EQ(seen.icon, shown_icon);
    EXPECT_EQ(seen.buttons, shown);
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

// The progress window the service shows, with its Cancel answered through the
// scripted Ui: the question of each run, the cancel flag and whether the window
// stays shown and on top.
TEST(QtUi, ProgressWindowCancelAsksTheRunsQuestionAndActsOnTheAnswer) {
  // A print run's window goes on a Yes; a save run's window stays shown, on top.
  // {run, caption, window, label, question, whether it is a save run}
  const std::tuple<RunKind, QString, const char*, const char*, QString, bool> cases[] = {
      {RunKind::kPrint, "Print", "frmPrintMsg", "lblMsgPrinting", "Cancel print job?", false},
      {RunKind::kSave, "Saving Files", "frmSaveMsg", "lblMsgSaving", "Stop saving files?", true},
  };
  for (const auto& [run, caption, window_name, label_name, question, save] : cases) {
    for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
      const bool yes = answer == MsgAnswer::Yes;
      SCOPED_TRACE(caption.toStdString() + (yes ? " Yes" : " No"));
      QtUi shown;
      ScriptedUi ui;
      ScopedUi scoped(ui);
      // Shown near the main window's corner, captioned for its run.
      QWidget main_window;
      main_window.setGeometry(200, 150, 300, 200);
      shown.SetMainWindow(&main_window);
      shown.ShowProgress(run, "Photo 1/3");
      QWidget* window = test::ShownWindow(window_name);
      ASSERT_NE(window, nullptr);
      EXPECT_EQ(window->windowTitle(), caption);
      EXPECT_EQ(window->pos(), QPoint(210, 202));
      auto* label = window->findChild<QLabel*>(label_name);
      EXPECT_EQ(label->accessibleName(), "Photo 1/3");
      // The bar shows once the run counts its photos.
      auto* bar = window->findChild<QProgressBar*>("progressBar");
      EXPECT_FALSE(bar->isVisible());
      shown.ShowProgressCount(1, 3);
      EXPECT_TRUE(bar->isVisible());
      EXPECT_EQ(std::pair(bar->value(), bar->maximum()), std::pair(1, 3));
      // Two lines, and a path far wider than the window, all shown within it.
      const QString path = "/home/" + QString(30, u'p') + "/" + QString(30, u'q') + "/photo.jpg";
      shown.ShowProgress(run, "Saving file 1 of 3.\r\rSaving as '" + path + "'...");
      EXPECT_GE(label->text().count(u'\n'), 2);
      const QRect needed = label->fontMetrics().boundingRect(
          label->contentsRect(), Qt::TextWordWrap | Qt::AlignLeft, label->text());
      EXPECT_LE(needed.width(), label->contentsRect().width());
      EXPECT_LE(needed.height(), label->height());
      EXPECT_LE(window->width(), window->screen()->availableGeometry().width());
      ui.Answer(answer);
      window->findChild<QPushButton*>("cmdCancel")->click();
      ASSERT_EQ(ui.MessageTexts(), std::vector<QString>{question});
      EXPECT_EQ(ui.Messages()[0].buttons, MsgButtons::YesNo);
      EXPECT_EQ(ui.CancelRequested(), yes);
      EXPECT_EQ(window->isVisible(), save || !yes);
      EXPECT_EQ(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), save);
      shown.HideProgress();
      EXPECT_FALSE(window->isVisible());
    }
  }
}

}  // namespace
}  // namespace tessaly
