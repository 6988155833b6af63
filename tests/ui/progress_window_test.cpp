// The progress windows' Cancel button over the scripted Ui: the question of each run,
// the cancel flag and whether the window stays shown and on top.
#include "ui/progress_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "controls/scripted_ui.h"

namespace tessaly {
namespace {

TEST(ProgressWindow, CancelAsksTheRunsQuestionAndActsOnTheAnswer) {
  // A print run's window goes on a Yes; a save run's window stays shown, on top.
  struct Case {
    QString caption, window_name, label_name, question;
    bool save;
  } cases[] = {
      {"Print", "frmPrintMsg", "lblMsgPrinting", "Cancel print job?", false},
      {"Saving Files", "frmSaveMsg", "lblMsgSaving", "Stop saving files?", true},
  };
  for (const Case& c : cases) {
    for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
      const bool yes = answer == MsgAnswer::Yes;
      SCOPED_TRACE(c.caption.toStdString() + (yes ? " Yes" : " No"));
      ScriptedUi ui;
      ScopedUi scoped(ui);
      ProgressWindow window;
      window.Show(c.caption, "Photo 1/3");
      ASSERT_TRUE(window.isVisible());
      EXPECT_EQ(window.objectName(), c.window_name);
      EXPECT_EQ(window.findChild<QLabel*>(c.label_name)->text(), "Photo 1/3");
      ui.Answer(answer);
      window.findChild<QPushButton*>("cmdCancel")->click();
      ASSERT_EQ(ui.MessageTexts(), std::vector<QString>{c.question});
      EXPECT_EQ(ui.Messages()[0].buttons, MsgButtons::YesNo);
      EXPECT_EQ(ui.CancelRequested(), yes);
      EXPECT_EQ(window.isVisible(), c.save || !yes);
      EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.save);
    }
  }
}

}  // namespace
}  // namespace tessaly
