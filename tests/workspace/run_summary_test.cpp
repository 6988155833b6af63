#include "workspace/run_summary.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(RunSummary, SaysWhatWasDoneWhereAndWhatStopped) {
  SaveRunReport report;
  report.saved = 20;
  EXPECT_EQ(SaveSummaryText(report, 20, "/photos/out/").toStdString(),
            "Saved 20 of 20 photos in /photos/out.");
  EXPECT_EQ(SaveSummaryIcon(report, 20), MsgIcon::Information);
  report.saved = 17;
  report.skipped = 1;
  report.cancelled = true;
  EXPECT_EQ(SaveSummaryText(report, 20, "/o").toStdString(),
            "Saved 17 of 20 photos in /o.\n1 photo skipped.\nThe run was cancelled.");
  EXPECT_EQ(SaveSummaryIcon(report, 20), MsgIcon::Exclamation);
  report = SaveRunReport{};
  report.saved = 2;
  report.skipped = 2;
  report.aborted = true;
  report.history_failed = true;
  EXPECT_EQ(SaveSummaryText(report, 5, "/o").toStdString(),
            "Saved 2 of 5 photos in /o.\n2 photos skipped.\nThe run was stopped.\nThe edits "
            "could not be kept for the next time these photos are added.");
  // Everything saved but the history is still worth an exclamation.
  report = SaveRunReport{};
  report.saved = 5;
  report.history_failed = true;
  EXPECT_EQ(SaveSummaryIcon(report, 5), MsgIcon::Exclamation);

  EXPECT_EQ(PrintSummaryText(4, 4, "Photo Printer", false, false).toStdString(),
            "Printed 4 of 4 pages on Photo Printer.");
  EXPECT_EQ(PrintSummaryIcon(4, 4, false, false), MsgIcon::Information);
  EXPECT_EQ(PrintSummaryText(1, 4, "P", true, false).toStdString(),
            "Printed 1 of 4 pages on P.\nThe run was cancelled.");
  EXPECT_EQ(PrintSummaryIcon(3, 4, false, false), MsgIcon::Exclamation);
  EXPECT_EQ(PrintSummaryIcon(4, 4, false, true), MsgIcon::Exclamation);
}

}  // namespace
}  // namespace tessaly
