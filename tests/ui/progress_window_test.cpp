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
  struct Case {
    QString caption;
    MsgAnswer answer;
    QString window_name;
    QString label_name;
    QString question;
    bool cancelled;
    bool visible;
    bool topmost;
  };
  const std::vector<Case> cases = {
      {"Print", MsgAnswer::Yes, "frmPrintMsg", "lblMsgPrinting", "Cancel print job?", true, false,
       false},
      {"Print", MsgAnswer::No, "frmPrintMsg", "lblMsgPrinting", "Cancel print job?", false, true,
       false},
      {"Saving Files", MsgAnswer::Yes, "frmSaveMsg", "lblMsgSaving", "Stop saving files?", true,
       true, true},
      {"Saving Files", MsgAnswer::No, "frmSaveMsg", "lblMsgSaving", "Stop saving files?", false,
       true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption.toStdString() + (c.cancelled ? " Yes" : " No"));
    ScriptedUi ui;
    ScopedUi scoped(ui);
    ProgressWindow window;
    window.Show(c.caption, "Photo 1/3");
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.objectName(), c.window_name);
    auto* label = window.findChild<QLabel*>(c.label_name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Photo 1/3");
    ui.Answer(c.answer);
    window.findChild<QPushButton*>("cmdCancel")->click();
    ASSERT_EQ(ui.MessageTexts(), std::vector<QString>{c.question});
    EXPECT_EQ(ui.Messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.CancelRequested(), c.cancelled);
    EXPECT_EQ(window.isVisible(), c.visible);
    EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.topmost);
  }
}

}  // namespace
}  // namespace tessaly
