// The Cancel question of a progress window and the window's reaction.
#include "workspace/progress_cancel.h"

#include "controls/ui_service.h"
#include "controls/ui_text.h"

namespace tessaly {

ProgressCancelOutcome AskToCancelRun(RunKind run) {
  const bool printing = run == RunKind::kPrint;
  Ui& ui = CurrentUi();
  const QString question = UiText(printing ? kCancelPrintQuestion : kStopSavingQuestion);
  ProgressCancelOutcome outcome;
  outcome.cancelled =
      ui.MessageBox(question, MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes;
  if (outcome.cancelled) ui.SetCancelRequested(true);
  outcome.close_window = printing && outcome.cancelled;
  outcome.topmost_again = !printing;
  return outcome;
}

}  // namespace tessaly
