// The print window over an image printer (4 pixels per mm, a 100 × 150 mm sheet with
// 5 mm margins) and real PNG photos: slots and pages, where each photo lands and which
// way it is turned, cut marks shared by neighbours, frame and label, the preview from
// the screen pictures, the contact sheet's title and resolution write-back, the
// spooler pause driven by a test clock, cancel, unreadable files and the history.
#include "print/print_window.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <optional>
#include <tuple>

#include "controls/scripted_ui.h"
#include "edits/output_rules.h"
#include "job/add_photo.h"
#include "job/history_store.h"
#include "print/job_layout.h"
#include "support/image_printer_job.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kGreen = qRgb(0, 255, 0);

bool Near(QRgb a, QRgb b, int tolerance = 12) {
  return test::NearColour(a, b, tolerance);
}

// The brightness in the photo's history record; none when it has no record.
std::optional<int> RecordedBright(const MyPicture& photo, const QString& name) {
  HistoryEdits edits;
  double printed = 0;
  if (!GetEdits(photo.FileDate(), name, edits, printed)) return std::nullopt;
  return edits.bright;
}

class PrintWindowTest : public test::ImagePrinterJobTest {
 protected:
  explicit PrintWindowTest(double margin_mm = 5) : ImagePrinterJobTest(margin_mm) {
    job_.Settings().ICM = 1;
  }

  // A new window over the job as laid out now.
  PrintWindow& NewWindow() {
    Layout();
    return window_.emplace(job_, printers_, layout_);
  }

  // A clock that moves only when the pause sleeps, and cancels at a chosen sleep.
  PauseClock TestClock() {
    return {[this] { return now_; },
            [this](int ms) {
              now_ += ms / 1000.0;
              if (++sleeps_ == cancel_at_sleep_) ui_.SetCancelRequested(true);
            }};
  }

  std::optional<PrintWindow> window_;
  double now_ = 0;
  int sleeps_ = 0;
  int cancel_at_sleep_ = 0;
};

// Default sharpening picks its radius and amount from the resolution factor; the
// photo's own value wins even with the default off.
TEST(OutputRules, DefaultSharpeningFollowsTheFactor) {
  int radius = 0, amount = 0;
  ASSERT_TRUE(SharpenParameters(15080, false, 0.5, radius, amount));
  EXPECT_EQ(radius * 1000 + amount, 15080);
  ASSERT_TRUE(SharpenParameters(0, true, 1.2, radius, amount));
  EXPECT_EQ(radius * 1000 + amount, 10100);
  ASSERT_TRUE(SharpenParameters(0, true, 1.26, radius, amount));
  EXPECT_EQ(radius * 1000 + amount, 15100);
}

TEST_F(PrintWindowTest, SlotsAndPagesOfCopies) {
  EXPECT_EQ((std::vector<int>{PageCountOf(7, 4), PageCountOf(8, 4), PageCountOf(9, 4),
                              PageCountOf(0, 4), PageCountOf(5, 0)}),
            (std::vector<int>{2, 2, 3, 0, 0}));
  EXPECT_TRUE(BuildPrintSlots(job_, 2).empty());
  Add(Photo("a.png", 300, 200, kRed, kBlue), 3);
  Add(Photo("b.png", 200, 300, kGreen, kGreen), 4);
  const std::vector<PrintSlot> table = BuildPrintSlots(job_, 2);
  ASSERT_EQ(table.size(), 7u);
  // Two slots a page: the three copies of photo 0, then the four of photo 1.
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(std::tuple(table[k].SlotNo, table[k].Page, table[k].PhotoIndex),
              std::tuple(k + 1, k / 2 + 1, k < 3 ? 0 : 1))
        << k;
  }
  job_.Settings().ThumbMode = true;  // a contact sheet shows every photo once
  EXPECT_EQ(BuildPrintSlots(job_, 4).size(), 2u);
}

TEST_F(PrintWindowTest, PhotosLandTurnedInTheirCellsWithSharedCutMarks) {
  job_.Settings().DrawCropMarks = true;
  Add(Photo("wide.png", 300, 200, kRed, kBlue), 3);
  Add(Photo("tall.png", 200, 300, kGreen, kBlue), 2);
  PrintWindow& window = NewWindow();
  window.PrintIt(false);
  EXPECT_EQ(window.PageCount(), 2);
  ASSERT_EQ(Printer().pages.size(), 2u);
  EXPECT_EQ(window.PagesEnded(), 2);
  const QImage& page = Printer().pages[0];
  ASSERT_EQ(page.size(), QSize(360, 560));

  // Cell 1 is (0,0)-(40,60) mm: the photo fills (8,8) 144 × 224 pixels. The wide photo
  // was turned a quarter counter-clockwise, so its left (red) half is at the bottom.
  EXPECT_TRUE(Near(page.pixel(80, 60), kBlue));
  EXPECT_TRUE(Near(page.pixel(80, 200), kRed));
  EXPECT_TRUE(Near(page.pixel(7, 100), qRgb(255, 255, 255)));
  EXPECT_TRUE(Near(page.pixel(80, 232), qRgb(255, 255, 255)));
  // Cell 4 holds the tall photo, already upright: green stays on the left.
  EXPECT_TRUE(Near(page.pixel(160 + 30, 240 + 100), kGreen));
  EXPECT_TRUE(Near(page.pixel(160 + 130, 240 + 100), kBlue));

  // Cut marks: cell 1 ends at 158 (2 px inside 160) and cell 2's left edge joins it,
  // so no second line at 160; cell 2's right edge ends at 318.
  const QRgb grey = qRgb(180, 180, 180);
  EXPECT_EQ(page.pixel(158, 100), grey);
  EXPECT_NE(page.pixel(160, 100), grey);
  EXPECT_EQ(page.pixel(318, 100), grey);

  // Page 2 holds the last tall copy in cell 1 only.
  const QImage& second = Printer().pages[1];
  EXPECT_TRUE(Near(second.pixel(30, 100), kGreen));
  EXPECT_TRUE(Near(second.pixel(240, 100), qRgb(255, 255, 255)));
  EXPECT_TRUE(ui_.Messages().empty());
  const std::vector<QString>& texts = ui_.ProgressTexts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Printing page 2/2, Photo 5/5"), texts.end());
}

TEST_F(PrintWindowTest, FrameAndLabelInAWideMarginThenASquarePhotoTurned) {
  job_.Settings().Size = PhotoSize{60, 40, 4};
  job_.Settings().PhotoDrawFrame = true;
  MyPicture& photo = Add(Photo("tall.png", 200, 300, kBlue, kBlue));
  photo.SetPhotoLabel(QStringLiteral("WWWW"));
  NewWindow().PrintIt(false);
  ASSERT_EQ(Printer().pages.size(), 1u);
  const QImage& page = Printer().pages[0];
  // The photo fills (16,16) 128 × 208; the 1-pixel frame runs from nearest(16 − 1.6)
  // = 14 to nearest(16 + 208 + 1.2) = 225.
  EXPECT_TRUE(Near(page.pixel(80, 100), kBlue));
  EXPECT_TRUE(Near(page.pixel(14, 100), qRgb(90, 90, 90), 30));
  EXPECT_TRUE(Near(page.pixel(80, 225), qRgb(90, 90, 90), 30));
  EXPECT_TRUE(Near(page.pixel(12, 100), qRgb(255, 255, 255)));
  // The label ends at the photo's right edge (x = 144), its top 2 px below the frame's
  // bottom (y = 224 + 2): dark pixels there, none to the right of it.
  int dark_left = 0, dark_right = 0;
  for (int y = 226; y < 226 + 16; ++y) {
    for (int x = 100; x < 144; ++x) dark_left += qGray(page.pixel(x, y)) < 100;
    for (int x = 146; x < 170; ++x) dark_right += qGray(page.pixel(x, y)) < 100;
  }
  EXPECT_GT(dark_left, 20);
  EXPECT_EQ(dark_right, 0);

  // A square photo is always turned a quarter counter-clockwise: the left (green) half
  // ends at the bottom.
  job_.Remove(0);
  job_.Settings().Size = PhotoSize{50, 50, 2};
  job_.Settings().PhotoDrawFrame = false;
  Add(Photo("square.png", 200, 200, kGreen, kBlue));
  NewWindow().PrintIt(false);
  ASSERT_EQ(Printer().pages.size(), 2u);
  EXPECT_TRUE(Near(Printer().pages[1].pixel(100, 40), kBlue));
  EXPECT_TRUE(Near(Printer().pages[1].pixel(100, 160), kGreen));
}

TEST_F(PrintWindowTest, PreviewDrawsTheScreenPicturesOnTheWholeSheet) {
  Add(Photo("wide.png", 300, 200, kRed, kBlue));
  PrintWindow& window = NewWindow();
  std::vector<QImage> previews;
  window.SetPreviewHook([&](PrintWindow& w) {
    for (int p = 1; p <= w.PageCount(); ++p) previews.push_back(w.PreviewPage(p, 600));
  });
  window.PrintIt(true);
  EXPECT_TRUE(Printer().pages.empty());
  ASSERT_EQ(previews.size(), 1u);
  const QImage& paper = previews[0];
  ASSERT_EQ(paper.size(), QSize(400, 600));
  // Shifted by the 5 mm sheet offset: the photo fills (28,28) 144 × 224.
  EXPECT_TRUE(Near(paper.pixel(100, 80), kBlue));
  EXPECT_TRUE(Near(paper.pixel(100, 220), kRed));
  EXPECT_TRUE(Near(paper.pixel(27, 100), qRgb(255, 255, 255)));
  EXPECT_TRUE(window.PreviewPage(2, 600).isNull());
  // A preview records no history.
  EXPECT_EQ(RecordedBright(job_.At(0), "wide.png"), std::nullopt);
}

// A preview request made by the events that run while a page is drawn is refused;
// the page in hand still gets its photo and its contact-sheet title.
TEST_F(PrintWindowTest, PreviewRequestDuringADrawingIsRefused) {
  job_.Settings().ThumbMode = true;
  Add(Photo("wide.png", 300, 200, kRed, kBlue));
  PrintWindow& window = NewWindow();
  ui_.AnswerInput(QStringLiteral("Holiday"));
  QImage page;
  std::vector<bool> nested_null;
  bool asked = false;
  window.SetPreviewHook([&](PrintWindow& w) {
    ui_.OnPoll([&](int) {
      if (asked) return;
      asked = true;
      nested_null.push_back(w.PreviewPage(1, 600).isNull());
    });
    page = w.PreviewPage(1, 600);
    ui_.OnPoll(nullptr);
  });
  window.PrintIt(true);
  EXPECT_EQ(nested_null, std::vector<bool>{true});
  ASSERT_EQ(page.size(), QSize(400, 600));
  // The thumbnail's red half, and the title's dark text in the top 10 mm.
  int red = 0, dark_on_top = 0;
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) {
      red += Near(page.pixel(x, y), kRed) ? 1 : 0;
      dark_on_top += y < 40 && qGray(page.pixel(x, y)) < 64 ? 1 : 0;
    }
  }
  EXPECT_GT(red, 100);
  EXPECT_GT(dark_on_top, 0);
}

TEST_F(PrintWindowTest, ContactSheetTitleAndResolutionCap) {
  job_.Settings().ThumbMode = true;
  job_.Settings().FontUnderline = true;
  Add(Photo("a.png", 300, 200, kRed, kBlue), 5);
  Add(Photo("b.png", 200, 300, kGreen, kGreen));
  PrintWindow& window = NewWindow();
  window.SetTitle(QStringLiteral("Old"));
  ui_.AnswerInput(QStringLiteral("Holiday"));
  window.PrintIt(false);
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].text, "Enter a title for the contact sheet pages (optional):");
  EXPECT_EQ(ui_.Messages()[0].title, "Tessaly");
  EXPECT_EQ(window.Title(), "Holiday");
  EXPECT_EQ(window.SlotCount(), 2);
  EXPECT_EQ(job_.Settings().MaxResolution, 360);
  ASSERT_EQ(Printer().titles.size(), 1u);
  // 5 mm below the sheet's top edge, less the 5 mm unprintable offset.
  EXPECT_DOUBLE_EQ(Printer().titles[0].y_mm, 0.0);
  const double text_width = Printer().TextWidthMm("Holiday", PrintFont{"Arial", 10});
  EXPECT_DOUBLE_EQ(Printer().titles[0].x_mm, std::nearbyint((90 + text_width) / 2.2));
  EXPECT_FALSE(Printer().titles[0].underline);
  // No history for a contact sheet.
  EXPECT_EQ(RecordedBright(job_.At(0), "a.png"), std::nullopt);

  // A cancelled title box prints no title.
  window.PrintIt(false);
  EXPECT_EQ(window.Title(), "");
  EXPECT_EQ(Printer().titles.size(), 1u);
}

// The title's top is 5 mm below the sheet's top edge: 3 mm into the printable area
// of a printer whose margins are 2 mm.
class NarrowMarginPrinterTest : public PrintWindowTest {
 protected:
  NarrowMarginPrinterTest() : PrintWindowTest(2) {}
};

TEST_F(NarrowMarginPrinterTest, ContactSheetTitleStandsFiveMillimetresBelowTheSheetTop) {
  job_.Settings().ThumbMode = true;
  Add(Photo("a.png", 30, 20, kRed, kRed));
  ui_.AnswerInput(QStringLiteral("Holiday"));
  NewWindow().PrintIt(false);
  ASSERT_EQ(Printer().titles.size(), 1u);
  EXPECT_NEAR(Printer().titles[0].y_mm, 3.0, 1e-9);
}

TEST_F(PrintWindowTest, NothingFitsAndEmptyJob) {
  Add(Photo("a.png", 300, 200, kRed, kBlue));
  job_.Settings().Size = PhotoSize{400, 300, 0};
  PrintWindow& window = NewWindow();
  window.PrintIt(false);
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].text,
            "Photos don't fit on page. Please, change the paper size or the photo sizes.");
  EXPECT_EQ(ui_.Messages()[0].icon, MsgIcon::Exclamation);
  EXPECT_TRUE(Printer().pages.empty());

  job_.Remove(0);
  job_.Settings().Size = PhotoSize{60, 40, 2};
  Layout();
  std::vector<bool> main_window;
  window.SetMainWindowHook([&](bool enabled) { main_window.push_back(enabled); });
  window.PrintIt(false);
  EXPECT_TRUE(Printer().pages.empty());
  EXPECT_EQ(main_window, (std::vector<bool>{false, true}));
}

TEST_F(PrintWindowTest, SpoolerPauseCountsDownAndACancelInItAbortsAndStillRecords) {
  job_.Settings().SpoolWait = 1.0;
  MyPicture& photo = Add(Photo("a.png", 300, 200, kRed, kBlue), 9);
  PrintWindow& window = NewWindow();
  window.SetClock(TestClock());
  window.PrintIt(false);
  EXPECT_EQ(Printer().pages.size(), 3u);
  std::vector<QString> waits;
  for (const QString& text : ui_.ProgressTexts())
    if (text.startsWith("Waiting")) waits.push_back(text);
  ASSERT_EQ(waits.size(), 120u);
  EXPECT_EQ(waits[0], "Waiting 1m 0s");
  EXPECT_EQ(waits[1], "Waiting 0m 59s");
  EXPECT_EQ(waits[60], "Waiting 1m 0s");
  EXPECT_EQ(sleeps_, 120);

  // Page 2's half-minute pause takes 30 steps; cancel 5 steps into page 3's.
  job_.Settings().SpoolWait = 0.5;
  photo.SetBright(12);
  sleeps_ = 0;
  cancel_at_sleep_ = 35;
  window.PrintIt(false);
  EXPECT_EQ(window.PagesEnded(), 2);
  EXPECT_EQ(Printer().pages.size(), 5u);
  EXPECT_EQ(Printer().discarded, 0);
  EXPECT_FALSE(window.Printing());
  EXPECT_FALSE(ui_.ProgressShown());
  EXPECT_EQ(RecordedBright(photo, "a.png"), 12);

  // A cancel while page 1 is drawn discards its open document.
  job_.Settings().SpoolWait = 0;
  ui_.CancelAfterPolls(6);
  window.PrintIt(false);
  EXPECT_EQ(window.PagesEnded(), 0);
  EXPECT_EQ(Printer().pages.size(), 5u);
  EXPECT_EQ(Printer().discarded, 1);
}

// After the last page the run waits for the printer's say: a page it failed is named
// with its reason and not counted, one it still holds is named as perhaps still
// printing. A cancel during the wait ends only the wait.
TEST_F(PrintWindowTest, PagesThePrinterFailedOrStillHoldsAreNamed) {
  Add(Photo("a.png", 300, 200, kRed, kBlue), 9);
  PrintWindow& window = NewWindow();
  window.SetClock(TestClock());
  using Outcome = DocumentFate::Outcome;
  Printer().fates = {
      {Outcome::kPrinted, {}}, {Outcome::kFailed, "Out of paper."}, {Outcome::kStillHeld, {}}};
  Printer().follow_looks = 5;
  cancel_at_sleep_ = 2;
  window.PrintIt(false);
  EXPECT_EQ(sleeps_, 2);
  EXPECT_EQ(window.PagesEnded(), 2);
  EXPECT_TRUE(window.PrinterFailedAPage());
  EXPECT_FALSE(ui_.CancelRequested());
  EXPECT_EQ(ui_.ProgressTexts().back(), "Waiting for the printer...");
  ASSERT_EQ(ui_.MessageTexts().size(), 1u);
  EXPECT_EQ(ui_.MessageTexts()[0],
            "Page 2 of 3 was not printed: Out of paper.\rPage 3 of 3 was still at the printer "
            "when Tessaly stopped waiting; it may still print.");
}

TEST_F(PrintWindowTest, APhotoThatCannotBeReadEndsItsPageUncounted) {
  // A file gone after it was added (Retry, then Cancel), and one spoilt in place.
  const std::tuple<const char*, bool, std::vector<MsgAnswer>> cases[] = {
      {"gone.png", true, {MsgAnswer::Retry, MsgAnswer::Cancel}},
      {"spoilt.png", false, {MsgAnswer::Cancel}}};
  for (const auto& [name, remove, answers] : cases) {
    SCOPED_TRACE(name);
    while (job_.Count() > 0) job_.Remove(0);
    const QString path = Photo(name, 300, 200, kRed, kBlue);
    Add(path, 2);
    if (remove) {
      ASSERT_TRUE(QFile::remove(path));
    } else {
      test::PutFile(path, "not a picture");
    }
    for (const MsgAnswer answer : answers) ui_.Answer(answer);
    const std::size_t pages_before = Printer().pages.size();
    const std::size_t first = ui_.Messages().size();
    PrintWindow& window = NewWindow();
    window.PrintIt(false);
    ASSERT_EQ(ui_.Messages().size(), first + answers.size());
    const RecordedMessage& message = ui_.Messages()[first];
    EXPECT_EQ(message.text,
              OpeningErrorText(path, QFile::exists(path) ? ImageReadStatus::kNotPhoto
                                                         : ImageReadStatus::kCannotRead));
    EXPECT_EQ(message.buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(message.icon, MsgIcon::Critical);
    // The page is still ended, blank, but not counted as printed.
    ASSERT_EQ(Printer().pages.size(), pages_before + 1);
    EXPECT_EQ(Printer().pages.back().pixel(80, 100), qRgb(255, 255, 255));
    EXPECT_EQ(window.PageCount(), 1);
    EXPECT_EQ(window.PagesEnded(), 0);
    EXPECT_FALSE(window.EndFailed());
  }
}

}  // namespace
}  // namespace tessaly
