// The save dialog over the scripted Ui and common dialogs, with its settings in
// a scratch file and a job of two real PNG photos: a failing check puts the
// focus on its field, the quality presets work both ways, and Save All with a
// browsed folder writes the photos, stores the fields and closes, giving the
// owner back.
#include "ui/save_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "controls/scripted_common_dialogs.h"
#include "controls/scripted_ui.h"
#include "job/add_photo.h"
#include "job/picture_manager.h"
#include "save/save_checks.h"
#include "support/find_control.h"
#include "support/scratch_home.h"

namespace tessaly {
namespace {

using test::FindControl;

class SaveDialogTest : public test::ScratchHomeTest {
 protected:
  SaveDialogTest() {
    for (const QString name : {"first.png", "second.png"}) {
      QImage image(60, 40, QImage::Format_RGB32);
      image.fill(qRgb(30, 120, 200));
      const QString path = dir_.filePath(name);
      EXPECT_TRUE(image.save(path, "PNG"));
      EXPECT_GE(AddPhotoFile(job_, path), 0);
    }
    EXPECT_TRUE(QDir(dir_.path()).mkdir("out"));
  }

  ScriptedCommonDialogs dialogs_;
  ScopedCommonDialogs scoped_dialogs_{dialogs_};
  MyPictureManager job_;
};

// The checks and the presets are the core's; here each refusal focuses its field
// (the checks go in the order of the fields put right one by one), and one preset
// each way.
TEST_F(SaveDialogTest, RefusalsFocusTheirFieldsAndPresetsWorkBothWays) {
  SaveDialog dialog(job_, nullptr, SettingsFile());
  dialog.show();
  auto* folder = FindControl<QLineEdit>(dialog, "txtSaveInFolder");
  auto* quality = FindControl<QLineEdit>(dialog, "txtJPEGQuality");
  auto* name_template = FindControl<QComboBox>(dialog, "cboRenameAs");
  folder->setText("  ");
  quality->setText("101");
  name_template->setEditText("");
  FindControl<QCheckBox>(dialog, "chkInterpolate", 2)->setChecked(true);
  FindControl<QLineEdit>(dialog, "txtInterpolVal", 2)->setText("3001");
  const std::function<void()> put_right[] = {
      [&] { folder->setText(dir_.filePath("out")); }, [&] { quality->setText("90"); },
      [&] { name_template->setEditText("[Filename]"); }, [] {}};
  QWidget* fields[] = {folder, quality, name_template,
                       FindControl<QWidget>(dialog, "txtInterpolVal", 2)};
  for (int i = 0; i < 4; ++i) {
    FindControl<QPushButton>(dialog, "cmdSave")->click();
    EXPECT_EQ(ui_.Messages().size(), i + 1u);
    QWidget* focus = dialog.focusWidget();
    EXPECT_TRUE(focus && (focus == fields[i] || fields[i]->isAncestorOf(focus))) << i;
    put_right[i]();
  }
  EXPECT_EQ(ui_.MessageTexts().back(), "The maximum resolution is invalid!");
  EXPECT_TRUE(dialog.isVisible() && dialog.Canceled());

  auto* presets = FindControl<QComboBox>(dialog, "cboJPEGQuality");
  presets->setCurrentIndex(2);
  QTest::keyClick(presets, Qt::Key_Down);  // the user's choice of the fourth preset
  EXPECT_EQ(quality->text(), "60");
  quality->clear();
  QTest::keyClicks(quality, "7x9");
  EXPECT_EQ(quality->text(), "79");  // the letter never reached the box
  EXPECT_EQ(presets->currentIndex(), 3);

  // Leaving the template box with a character no file name can hold says so at once
  // and gives the focus back to the box.
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  const std::size_t before = ui_.Messages().size();
  name_template->setFocus();
  name_template->setEditText("a:b");
  folder->setFocus();
  ASSERT_EQ(ui_.Messages().size(), before + 1);
  EXPECT_TRUE(ui_.MessageTexts().back().startsWith("A file name cannot contain"));
  EXPECT_TRUE(name_template->hasFocus());
}

// Box 0 is ticked exactly when no limit is; a limit's value box is editable
// only while its box is ticked; the quality controls serve JPEG only.
TEST_F(SaveDialogTest, ResolutionBoxesAndTypeUnlockTheirValueBoxes) {
  SaveDialog dialog(job_, nullptr, SettingsFile());
  QCheckBox* box[3];
  for (int i = 0; i < 3; ++i) box[i] = FindControl<QCheckBox>(dialog, "chkInterpolate", i);
  auto* minimum = FindControl<QLineEdit>(dialog, "txtInterpolVal", 1);
  auto* maximum = FindControl<QLineEdit>(dialog, "txtInterpolVal", 2);
  // {box clicked, boxes ticked after the click}; unticking box 0 alone ticks it again.
  const std::pair<int, const char*> cases[] = {{1, "010"}, {2, "011"}, {1, "001"}, {2, "100"},
                                               {1, "010"}, {0, "100"}, {0, "100"}};
  EXPECT_TRUE(box[0]->isChecked());
  for (const auto& [click, ticked] : cases) {
    box[click]->click();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(box[i]->isChecked(), ticked[i] == '1') << click << i;
    EXPECT_EQ(minimum->isReadOnly(), ticked[1] == '0');
    EXPECT_EQ(maximum->isReadOnly(), ticked[2] == '0');
  }
  auto* type = FindControl<QComboBox>(dialog, "cboSaveAsType");
  for (int index : {1, 0}) {
    type->setCurrentIndex(index);
    EXPECT_EQ(FindControl<QLineEdit>(dialog, "txtJPEGQuality")->isEnabled(), index == 0);
    EXPECT_EQ(FindControl<QComboBox>(dialog, "cboJPEGQuality")->isEnabled(), index == 0);
  }
}

TEST_F(SaveDialogTest, SaveAllWritesThePhotosIntoTheBrowsedFolderStoresTheFieldsAndCloses) {
  QWidget owner;
  QPointer<SaveDialog> dialog = SaveDialog::OpenForm(job_, &owner, SettingsFile());
  EXPECT_FALSE(owner.isEnabled());
  ASSERT_TRUE(dialog->isVisible());
  const QString out = dir_.filePath("out");
  dialogs_.AnswerFolder(out);
  FindControl<QPushButton>(*dialog, "cmdBrowse")->click();
  ASSERT_EQ(dialogs_.Requests().size(), 1u);
  EXPECT_EQ(dialogs_.Requests()[0].title, "Choose Folder:\r(Tip: right click for more options)");
  EXPECT_EQ(FindControl<QLineEdit>(*dialog, "txtSaveInFolder")->text(), out);
  FindControl<QComboBox>(*dialog, "cboRenameAs")->setEditText("[Filename]");
  FindControl<QComboBox>(*dialog, "cboSaveAsType")->setCurrentIndex(2);  // PNG
  FindControl<QPushButton>(*dialog, "cmdSave")->click();

  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_FALSE(ui_.ProgressTexts().empty());
  EXPECT_EQ(ui_.ProgressCounts(), (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}}));
  EXPECT_FALSE(ui_.ProgressShown());
  EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name), (QStringList{"first.png", "second.png"}));
  ASSERT_FALSE(dialog.isNull());
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_FALSE(dialog->Canceled());
  EXPECT_TRUE(owner.isEnabled());
  const SaveDialogFields stored = ReadSaveDialogFields(SettingsFile());
  EXPECT_EQ(stored.folder, out + "/");
  EXPECT_EQ(stored.type_index, 2);
  EXPECT_EQ(stored.name_template, "[Filename]");
}

}  // namespace
}  // namespace tessaly
