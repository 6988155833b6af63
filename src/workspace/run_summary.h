// The message that ends a print or save run in the window: what was done and where,
// then on lines of their own what stopped or failed. A run that did all it was
// asked ends with an information icon, any other with an exclamation.
#pragma once

#include <QString>

#include "controls/ui_service.h"
#include "save/save_pipeline.h"

namespace tessaly {

// "Saved S of T photos in FOLDER." then "N photo(s) skipped.", "The run was
// cancelled." or "The run was stopped." (Abort), and "The edits could not be kept
// for the next time these photos are added." when the history failed.
QString SaveSummaryText(const SaveRunReport& report, int total, const QString& folder);
MsgIcon SaveSummaryIcon(const SaveRunReport& report, int total);

// "Printed D of P pages on PRINTER." then "The run was cancelled." when it was, and
// the history line as above.
QString PrintSummaryText(int done, int pages, const QString& printer, bool cancelled,
                         bool history_failed);
MsgIcon PrintSummaryIcon(int done, int pages, bool cancelled, bool history_failed);

}  // namespace tessaly
