// The Cancel question of both progress windows, answered Yes and No.
#include "workspace/progress_cancel.h"

#include <gtest/gtest.h>

#include <tuple>

#include "controls/scripted_ui.h"
#include "print/print_window.h"
#include "save/save_pipeline.h"

namespace tessaly {
namespace {

TEST(ProgressCancel, EachWindowAsksItsQuestionAndReactsToTheAnswer) {
  // {caption, answer, question, outcome}
  const std::tuple<const char*, MsgAnswer, const char*, ProgressCancelOutcome> cases[] = {
      {kPrintProgressCaption, MsgAnswer::Yes, "Cancel print job?", {true, true, false}},
      {kPrintProgressCaption, MsgAnswer::No, "Cancel print job?", {false, false, false}},
      {kSaveProgressCaption, MsgAnswer::Yes, "Stop saving files?", {true, false, true}},
      {kSaveProgressCaption, MsgAnswer::No, "Stop saving files?", {false, false, true}},
  };
  for (const auto& [caption, answer, question, e] : cases) {
    SCOPED_TRACE(std::string(caption) + (answer == MsgAnswer::Yes ? " yes" : " no"));
    ScriptedUi ui;
    ScopedUi scoped(ui);
    ui.Answer(answer);
    const ProgressCancelOutcome outcome = AskToCancelRun(QString::fromLatin1(caption));
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
