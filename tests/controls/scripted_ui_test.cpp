#include "controls/scripted_ui.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(ScriptedUi, AnswersFromScriptThenNeverLoopsCancelsOnTheChosenPollAndInstallsScoped) {
  ScriptedUi ui;
  ui.Answer(MsgAnswer::Retry);
  EXPECT_EQ(ui.MessageBox("a", MsgButtons::AbortRetryIgnore, MsgIcon::Critical), MsgAnswer::Retry);
  EXPECT_EQ(ui.MessageBox("b", MsgButtons::AbortRetryIgnore, MsgIcon::Critical), MsgAnswer::Abort);
  EXPECT_EQ(ui.MessageBox("c", MsgButtons::RetryCancel, MsgIcon::Critical), MsgAnswer::Cancel);
  EXPECT_EQ(ui.MessageBox("d", MsgButtons::YesNo, MsgIcon::Question), MsgAnswer::No);
  EXPECT_EQ(ui.MessageBox("e", MsgButtons::Ok, MsgIcon::Information), MsgAnswer::Ok);
  EXPECT_EQ(ui.MessageTexts(), (std::vector<QString>{"a", "b", "c", "d", "e"}));

  QString value = "default";
  EXPECT_FALSE(ui.InputBox("Title?", "t", value));
  EXPECT_EQ(value, "default");
  ui.AnswerInput("Holiday");
  EXPECT_TRUE(ui.InputBox("Title?", "t", value));
  EXPECT_EQ(value, "Holiday");

  // Cancel is raised on the chosen poll; the scoped install restores the previous Ui.
  {
    ScopedUi scope(ui);
    EXPECT_EQ(&CurrentUi(), &ui);
    ui.CancelAfterPolls(3);
    EXPECT_FALSE(CurrentUi().PollCancel());
    // Showing a progress text lets messages run, so it counts as a poll.
    CurrentUi().ShowProgress(RunKind::kSave, "Processing...");
    EXPECT_FALSE(CurrentUi().CancelRequested());
    EXPECT_TRUE(CurrentUi().PollCancel());
    EXPECT_EQ(ui.Polls(), 3);
    EXPECT_EQ(ui.ProgressTexts(), std::vector<QString>{"Processing..."});
    EXPECT_TRUE(ui.ProgressShown());
    CurrentUi().HideProgress();
    EXPECT_FALSE(ui.ProgressShown());
  }
  EXPECT_NE(&CurrentUi(), &ui);

  // With nothing installed, a message reaches standard error instead of vanishing.
  testing::internal::CaptureStderr();
  EXPECT_EQ(CurrentUi().MessageBox("No printer!", MsgButtons::YesNo, MsgIcon::Critical),
            MsgAnswer::No);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "No printer!\n");
}

}  // namespace
}  // namespace tessaly
