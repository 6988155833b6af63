// The Cancel question of both progress windows, answered Yes and No.
#include "workspace/progress_cancel.h"

#include <gtest/gtest.h>

#include <tuple>

#include "controls/scripted_ui.h"

namespace tessaly {
namespace {

TEST(ProgressCancel, EachWindowAsksItsQuestionAndReactsToTheAnswer) {
  // {run, answer, question, outcome}
  const std::tuple<RunKind, MsgAnswer, const char*, ProgressCancelOutcome> cases[] = {
      {RunKind::kPrint, MsgAnswer::Yes, "Cancel print job?", {true, true, false}},
      {RunKind::kPrint, MsgAnswer::No, "Cancel print job?", {false, false, false}},
      {RunKind::kSave, MsgAnswer::Yes, "Stop saving files?", {true, false, true}},
      {RunKind::kSave, MsgAnswer::No, "Stop saving files?", {false, false, true}},
  };
  for (const auto& [run, answer, question, e] : cases) {
    SCOPED_TRACE(RunCaption(run).toStdString() + (answer == MsgAnswer::Yes ? " yes" : " no"));
    ScriptedUi ui;
    ScopedUi scoped(ui);
    ui.Answer(answer);
    const ProgressCancelOutcome outcome = AskToCancelRun(run);
    ASSERT_EQ(ui.Messages().size(), 1u);
    const RecordedMessage& m = ui.Messages()[0];
    EXPECT_EQ(std::tuple(m.text, m.buttons, m.icon),
              std::tuple(QString(question), MsgButtons::YesNo, MsgIcon::Question));
    EXPECT_EQ(std::tuple(ui.CancelRequested(), outcome.cancelled, outcome.close_window,
                         outcome.topmost_again),
              std::tuple(e.cancelled, e.cancelled, e.close_window, e.topmost_again));
  }
}

}  // namespace
}  // namespace tessaly
