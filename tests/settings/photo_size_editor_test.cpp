// The size editor's fields, filter, contact-sheet rules and Ok checks, with a
// scripted Ui answering its messages.
#include "settings/photo_size_editor.h"

#include <gtest/gtest.h>

#include <tuple>

#include "controls/scripted_ui.h"

namespace tessaly {
namespace {

using Field = PhotoSizeEditor::Field;

TEST(PhotoSizeEditor, FieldsStayConsistentAndTypedCommasBecomePoints) {
  PhotoSizeEditor edit =
      PhotoSizeEditor::ForEdit(PhotoSize{152.4, 101.6, 3}, SizeUnit::Inches, false);
  EXPECT_EQ(edit.Caption(), "Edit Photo Size");
  EXPECT_EQ(edit.Text(Field::kPhotoWidth), "6.00");
  EXPECT_EQ(edit.Text(Field::kMargins), "0.12");
  EXPECT_EQ(edit.Text(Field::kImageWidth), "5.76");
  EXPECT_EQ(edit.Text(Field::kImageHeight), "3.76");
  edit.SetText(Field::kImageHeight, "3.5");
  EXPECT_EQ(edit.Text(Field::kPhotoHeight), "3.74");

  PhotoSizeEditor cm =
      PhotoSizeEditor::ForEdit(PhotoSize{150, 100, 3.5}, SizeUnit::Centimetres, false);
  EXPECT_EQ(cm.Text(Field::kPhotoHeight), "10");
  EXPECT_EQ(cm.Text(Field::kMargins), "0.35");
  EXPECT_EQ(cm.Text(Field::kImageWidth), "14.3");

  QString typed;
  for (QChar key : QString("2,5x-")) {
    if (PhotoSizeEditor::FilterKey(key)) typed += key;
  }
  EXPECT_EQ(typed, "2.5");
}

TEST(PhotoSizeEditor, ContactSheetSizesAreSquareWithTheMinimumMargin) {
  ScriptedUi ui;
  ScopedUi scoped(ui);
  PhotoSizeEditor add = PhotoSizeEditor::ForAdd(SizeUnit::Centimetres, true);
  EXPECT_EQ(add.Caption(), "Add Photo Size");
  EXPECT_TRUE(add.PhotoWidthLocked());
  EXPECT_EQ(add.Text(Field::kMargins), "0.35");
  add.SetText(Field::kPhotoHeight, "5");
  EXPECT_EQ(add.Text(Field::kPhotoWidth), "5");
  EXPECT_EQ(add.Text(Field::kImageWidth), "4.3");
  add.SetText(Field::kMargins, "0.2");
  EXPECT_FALSE(add.LeaveMargins());
  EXPECT_EQ(add.Text(Field::kMargins), "0.35");
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, "In thumbnail mode, margins must be at least 0.35");
  EXPECT_EQ(ui.Messages()[0].icon, MsgIcon::Information);
  EXPECT_TRUE(add.LeaveMargins());

  PhotoSizeEditor inches = PhotoSizeEditor::ForAdd(SizeUnit::Inches, true);
  EXPECT_EQ(inches.Text(Field::kMargins), "0.138");
  EXPECT_TRUE(PhotoSizeEditor::ForAdd(SizeUnit::Inches, false).Text(Field::kMargins).isEmpty());
}

TEST(PhotoSizeEditor, OkChecksInOrderAndStoresMillimetresWidestFirst) {
  // {width, height, margins, message (nullptr: accepted), field focused}
  const std::tuple<const char*, const char*, const char*, const char*, Field> cases[] = {
      {"10", "", "0", "Invalid number", Field::kPhotoHeight},
      {"1.2.3", "15", "0", "Invalid number", Field::kPhotoWidth},
      {"0", "15", "0", "Invalid size!", Field::kPhotoWidth},
      {"10", "15", "5", "Margins too large!", Field::kMargins},  // exactly half the width
      {"10", "0.05", "0", "Photo size must be at least 0.1 cm on each side.", Field::kPhotoWidth},
      // Refused after the sides would be exchanged: they stay as typed.
      {"10", "1000", "0", "Photo size can't be above 999.999 cm on a side.", Field::kPhotoWidth},
      {"10", "15", "0.3", nullptr, Field::kPhotoWidth},
  };
  for (const auto& [width, height, margins, message, field] : cases) {
    SCOPED_TRACE(width + std::string("x") + height + "+" + margins);
    ScriptedUi ui;
    ScopedUi scoped(ui);
    PhotoSizeEditor editor = PhotoSizeEditor::ForAdd(SizeUnit::Centimetres, false);
    editor.SetText(Field::kPhotoWidth, width);
    editor.SetText(Field::kPhotoHeight, height);
    editor.SetText(Field::kMargins, margins);
    PhotoSize size;
    Field focus = Field::kImageWidth;
    const bool accepted = editor.Confirm(editor.Fields(), size, &focus);
    EXPECT_EQ(accepted, message == nullptr);
    if (message) {
      ASSERT_EQ(ui.Messages().size(), 1u);
      EXPECT_EQ(ui.Messages()[0].text, message);
      EXPECT_EQ(focus, field);
      EXPECT_EQ(std::tuple(editor.Text(Field::kPhotoWidth), editor.Text(Field::kPhotoHeight)),
                std::tuple(QString(width), QString(height)));
      continue;
    }
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_DOUBLE_EQ(size.Width, 150);
    EXPECT_DOUBLE_EQ(size.Height, 100);
    EXPECT_DOUBLE_EQ(size.Margins, 3);
    EXPECT_EQ(editor.Text(Field::kPhotoWidth), "15");
  }
  // In inches the limits are worded in inches.
  ScriptedUi ui;
  ScopedUi scoped(ui);
  PhotoSizeEditor inches = PhotoSizeEditor::ForAdd(SizeUnit::Inches, false);
  inches.SetText(Field::kPhotoWidth, "400");
  inches.SetText(Field::kPhotoHeight, "4");
  inches.SetText(Field::kMargins, "0");
  PhotoSize size;
  EXPECT_FALSE(inches.Confirm(inches.Fields(), size, nullptr));
  EXPECT_EQ(ui.MessageTexts(),
            std::vector<QString>{"Photo size can't be above 393.7 in on a side."});
}

}  // namespace
}  // namespace tessaly
