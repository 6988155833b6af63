// The preview window over a three-page job on an image printer (100 × 150 mm sheet,
// four 60 × 40 mm cells a page, nine copies of a real PNG): its title, page text
// and keys, a step asked for while a page is drawn, and Print closing the window
// before its hook runs.
#include "ui/preview_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QTest>

#include "print/print_window.h"
#include "support/image_printer_job.h"
#include "ui/button_on_off.h"

namespace tessaly {
namespace {

class PreviewWindowTest : public test::ImagePrinterJobTest {
 protected:
  PreviewWindowTest() {
    const QRgb red = qRgb(200, 40, 40);
    Add(Photo("red.png", 300, 200, red, red), 9);
    Layout();
  }

  // Opens the preview through the print window's hook, as the main window does.
  PreviewWindow* Open(std::function<void()> on_print = nullptr) {
    PreviewWindow* opened = nullptr;
    print_window_.SetPreviewHook([&](PrintWindow& w) {
      opened = PreviewWindow::Open(w, std::move(on_print), [this] { ++closed_; });
    });
    print_window_.PrintIt(true);
    return opened;
  }

  PrintWindow print_window_{job_, printers_, layout_};
  int closed_ = 0;
};

// The stepping rules are the core's and the whole-job test steps the buttons; here
// the window's own text, paper and keys.
TEST_F(PreviewWindowTest, OpensOnPageOneAndTheKeysStep) {
  QPointer<PreviewWindow> window = Open();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Tessaly - Print Preview");
  EXPECT_EQ(window->findChild<ButtonOnOff*>("cmdClose")->Caption(), "  Close");
  auto* pages = window->findChild<QLabel*>("lblPages");
  EXPECT_EQ(pages->text(), "Page 1/3");
  EXPECT_FALSE(window->findChild<QLabel*>("picPaper")->pixmap().isNull());
  QTest::keyClick(window, Qt::Key_End);
  EXPECT_EQ(pages->text(), "Page 3/3");
  EXPECT_FALSE(window->findChild<ButtonOnOff*>("cmdLast")->isEnabled());
  EXPECT_FALSE(ui_.WaitCursor());
  QTest::keyClick(window, Qt::Key_Escape);
  EXPECT_EQ(closed_, 1);
}

// The events that run while page 2 is drawn bring another Next: it is refused, so the
// window ends on page 2, drawn once, with the wait cursor and disabled buttons seen
// during the drawing. Print then closes the window before its hook runs.
TEST_F(PreviewWindowTest, AStepAskedForWhileAPageIsDrawnIsRefusedAndPrintClosesFirst) {
  bool visible_at_print = true;
  QPointer<PreviewWindow> window;
  window = Open([&] { visible_at_print = window && window->isVisible(); });
  ASSERT_NE(window, nullptr);
  auto* next = window->findChild<ButtonOnOff*>("cmdNext");
  auto* last = window->findChild<ButtonOnOff*>("cmdLast");
  bool asked = false;
  bool wait_cursor = false;
  bool next_enabled = true;
  ui_.OnPoll([&](int) {
    if (!window->Drawing() || asked) return;
    asked = true;
    wait_cursor = ui_.WaitCursor();
    next_enabled = next->isEnabled() || last->isEnabled();
    emit next->Click();
  });
  QTest::mouseClick(next, Qt::LeftButton);
  ui_.OnPoll(nullptr);
  EXPECT_TRUE(wait_cursor);  // seen while page 2 was drawn
  EXPECT_FALSE(next_enabled);
  EXPECT_EQ(window->Page(), 2);
  EXPECT_EQ(window->findChild<QLabel*>("lblPages")->text(), "Page 2/3");
  EXPECT_FALSE(window->findChild<QLabel*>("picPaper")->pixmap().isNull());
  QTest::mouseClick(window->findChild<ButtonOnOff*>("cmdPrint"), Qt::LeftButton);
  EXPECT_FALSE(visible_at_print);
  EXPECT_EQ(closed_, 1);
}

}  // namespace
}  // namespace tessaly
