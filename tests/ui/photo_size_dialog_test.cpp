// The photo size editor's window: the field a refused size names takes the focus, and
// a contact sheet's margin below the minimum is put back with the focus kept in the
// margins box. The checks themselves are the size editor's.
#include "ui/photo_size_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "controls/scripted_ui.h"
#include "support/find_control.h"

namespace tessaly {
namespace {

using test::FindControl;

TEST(PhotoSizeDialogTest, TheRefusedFieldTakesTheFocus) {
  ScriptedUi ui;
  ScopedUi scoped(ui);
  PhotoSizeDialog dialog(PhotoSizeEditor::ForAdd(SizeUnit::Centimetres, false));
  dialog.show();
  auto* width = FindControl<QLineEdit>(dialog, "txtPhotoWidth");
  auto* margins = FindControl<QLineEdit>(dialog, "txtPhotoMargins");
  QTest::keyClicks(width, "10");
  QTest::keyClicks(FindControl<QLineEdit>(dialog, "txtPhotoHeight"), "15");
  QTest::keyClicks(margins, "6");
  width->setFocus();
  FindControl<QPushButton>(dialog, "cmdOK")->click();
  EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"Margins too large!"});
  EXPECT_EQ(dialog.focusWidget(), margins);
  EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST(PhotoSizeDialogTest, AContactSheetMarginBelowTheMinimumKeepsTheFocus) {
  ScriptedUi ui;
  ScopedUi scoped(ui);
  PhotoSizeDialog dialog(PhotoSizeEditor::ForAdd(SizeUnit::Centimetres, true));
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  auto* margins = FindControl<QLineEdit>(dialog, "txtPhotoMargins");
  margins->setFocus();
  margins->selectAll();
  QTest::keyClicks(margins, "0.1");
  FindControl<QLineEdit>(dialog, "txtPhotoHeight")->setFocus();
  QTest::qWait(10);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(margins->text(), "0.35");
  EXPECT_EQ(dialog.focusWidget(), margins);
}

}  // namespace
}  // namespace tessaly
