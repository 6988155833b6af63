// The Cancel question of both progress windows, answered Yes and No.
#include "workspace/progress_cancel.h"

#include <gtest/gtest.h>

#include "controls/scripted_ui.h"
#include "print/print_window.h"
#include "save/save_pipeline.h"

namespace tessaly {
namespace {

TEST(ProgressCancel, EachWindowAsksItsQuestionAndReactsToTheAnswer) {
  struct Case {
    const char* caption;
    MsgAnswer answer;
    const char* question;
    ProgressCancelOutcome expected;
  };
  const Case cases[] = {
      {kPrintProgressCaption, MsgAnswer::Yes, "Cancel print job?", {true, true, false}},
      {kPrintProgressCaption, MsgAnswer::No, "Cancel print job?", {false, false, false}},
      {kSaveProgressCaption, MsgAnswer::Yes, "Stop saving files?", {true, false, true}},
      {kSaveProgressCaption, MsgAnswer::No, "Stop saving files?", {false, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.caption) + (c.answer == MsgAnswer::Yes ? " yes" : " no"));
    ScriptedUi ui;
    ScopedUi scoped(ui);
    ui.Answer(c.answer);
    const ProgressCancelOutcome outcome = AskToCancelRun(QString::fromLatin1(c.caption));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, c.question);
    EXPECT_EQ(ui.Messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.Messages()[0].icon, MsgIcon::Question);
    EXPECT_EQ(ui.CancelRequested(), c.expected.cancelled);
    EXPECT_EQ(outcome.cancelled, c.expected.cancelled);
    EXPECT_EQ(outcome.close_window, c.expected.close_window);
    EXPECT_EQ(outcome.topmost_again, c.expected.topmost_again);
  }
}

}  // namespace
}  // namespace tessaly
