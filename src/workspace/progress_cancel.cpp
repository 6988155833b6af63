// The Cancel question of a progress window and the window's reaction.
#include "workspace/progress_cancel.h"

#include "controls/ui_service.h"
#include "print/print_window.h"

namespace tessaly {

ProgressCancelOutcome AskToCancelRun(const QString& caption) {
  const bool printing = caption == QLatin1String(kPrintProgressCaption);
  Ui& ui = CurrentUi();
  const QString question =
      QString::fromLatin1(printing ? kCancelPrintQuestion : kStopSavingQuestion);
  ProgressCancelOutcome outcome;
  outcome.cancelled =
      ui.MessageBox(question, MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes;
  if (outcome.cancelled) ui.SetCancelRequested(true);
  outcome.close_window = printing && outcome.cancelled;
  outcome.topmost_again = !printing;
  return outcome;
}

}  // namespace tessaly
