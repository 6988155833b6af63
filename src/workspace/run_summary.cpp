// The run-end messages' texts and icons.
#include "workspace/run_summary.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include "controls/ui_text.h"

namespace tessaly {
namespace {

constexpr char kCancelledLine[] = QT_TRANSLATE_NOOP("Tessaly", "The run was cancelled.");
constexpr char kHistoryLine[] =
    QT_TRANSLATE_NOOP("Tessaly",
                      "The edits could not be kept for the next time these photos are "
                      "added.");

MsgIcon IconFor(bool complete) {
  return complete ? MsgIcon::Information : MsgIcon::Exclamation;
}

}  // namespace

QString SaveSummaryText(const SaveRunReport& report, int total, const QString& folder) {
  QStringList lines{QCoreApplication::translate("Tessaly", "Saved %1 of %2 photos in %3.")
                        .arg(report.saved)
                        .arg(total)
                        .arg(QDir::toNativeSeparators(QDir::cleanPath(folder)))};
  if (report.skipped == 1) lines << QStringLiteral("1 photo skipped.");
  if (report.skipped > 1)
    lines << QCoreApplication::translate("Tessaly", "%1 photos skipped.").arg(report.skipped);
  if (report.cancelled) lines << UiText(kCancelledLine);
  if (report.aborted) lines << QStringLiteral("The run was stopped.");
  if (report.history_failed) lines << UiText(kHistoryLine);
  return lines.join(u'\n');
}

MsgIcon SaveSummaryIcon(const SaveRunReport& report, int total) {
  return IconFor(report.saved == total && !report.history_failed);
}

QString PrintSummaryText(int done, int pages, const QString& printer, bool cancelled,
                         bool history_failed) {
  QStringList lines{QCoreApplication::translate("Tessaly", "Printed %1 of %2 pages on %3.")
                        .arg(done)
                        .arg(pages)
                        .arg(printer)};
  if (cancelled) lines << UiText(kCancelledLine);
  if (history_failed) lines << UiText(kHistoryLine);
  return lines.join(u'\n');
}

MsgIcon PrintSummaryIcon(int done, int pages, bool cancelled, bool history_failed) {
  return IconFor(done == pages && !cancelled && !history_failed);
}

}  // namespace tessaly
