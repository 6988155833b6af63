// The save dialog over the scripted Ui and common dialogs, with its settings in a
// scratch file and a job of two real PNG photos: a failing check puts the focus on
// its field, the quality presets work both ways, and Save All with a browsed folder
// writes the photos, stores the fields and closes, giving the owner back.
#include "ui/save_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "controls/scripted_common_dialogs.h"
#include "controls/scripted_ui.h"
#include "job/add_photo.h"
#include "job/picture_manager.h"
#include "save/save_checks.h"
#include "support/scoped_state.h"

namespace tessaly {
namespace {

class SaveDialogTest : public testing::Test {
 protected:
  SaveDialogTest() : history_(dir_.filePath("history")) {
    for (const QString name : {"first.png", "second.png"}) {
      QImage image(60, 40, QImage::Format_RGB32);
      image.fill(qRgb(30, 120, 200));
      const QString path = dir_.filePath(name);
      EXPECT_TRUE(image.save(path, "PNG"));
      EXPECT_GE(AddPhotoFile(job_, path), 0);
    }
    EXPECT_TRUE(QDir(dir_.path()).mkdir("out"));
  }

  QString Settings() const { return dir_.filePath("Tesly.ini"); }

  template <typename T>
  static T* Child(QWidget& parent, const char* name, int index = -1) {
    for (T* child : parent.findChildren<T*>(QLatin1String(name)))
      if (index < 0 || child->property("index").toInt() == index) return child;
    ADD_FAILURE() << name << " " << index;
    return nullptr;
  }

  QTemporaryDir dir_;
  test::ScopedHistoryRoot history_;
  ScriptedUi ui_;
  ScopedUi scoped_ui_{ui_};
  ScriptedCommonDialogs dialogs_;
  ScopedCommonDialogs scoped_dialogs_{dialogs_};
  MyPictureManager job_;
};

TEST_F(SaveDialogTest, AFailingCheckShowsItsMessageAndFocusesItsField) {
  struct Case {
    std::function<void(SaveDialog&)> enter;
    QString message;
    const char* field;
    int index;
  };
  const QString out = dir_.filePath("out");
  const std::vector<Case> cases = {
      {[](SaveDialog& d) { Child<QLineEdit>(d, "txtSaveInFolder")->setText("  "); },
       "Please enter the destiny folder!", "txtSaveInFolder", -1},
      {[&](SaveDialog& d) {
         Child<QLineEdit>(d, "txtSaveInFolder")->setText(out);
         Child<QLineEdit>(d, "txtJPEGQuality")->setText("101");
       },
       "JPEG quality must be between 0 and 100!", "txtJPEGQuality", -1},
      {[&](SaveDialog& d) {
         Child<QLineEdit>(d, "txtSaveInFolder")->setText(out);
         Child<QComboBox>(d, "cboRenameAs")->setEditText("");
       },
       "Please enter a template for the files names.", "cboRenameAs", -1},
      {[&](SaveDialog& d) {
         Child<QLineEdit>(d, "txtSaveInFolder")->setText(out);
         Child<QCheckBox>(d, "chkInterpolate", 2)->setChecked(true);
         Child<QLineEdit>(d, "txtInterpolVal", 2)->setText("3001");
       },
       "The maximum resolution is invalid!", "txtInterpolVal", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message.toStdString());
    ScriptedUi ui;
    ScopedUi scoped(ui);
    SaveDialog dialog(job_, nullptr, Settings());
    Child<QComboBox>(dialog, "cboRenameAs")->setEditText("[Filename]");
    dialog.show();
    c.enter(dialog);
    Child<QPushButton>(dialog, "cmdSave")->click();
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{c.message});
    QWidget* field = Child<QWidget>(dialog, c.field, c.index);
    QWidget* focus = dialog.focusWidget();
    EXPECT_TRUE(focus && (focus == field || field->isAncestorOf(focus)));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Canceled());
  }
}

TEST_F(SaveDialogTest, PickingAPresetWritesItsNumberAndTypingANumberSelectsItsPreset) {
  SaveDialog dialog(job_, nullptr, Settings());
  auto* presets = Child<QComboBox>(dialog, "cboJPEGQuality");
  auto* quality = Child<QLineEdit>(dialog, "txtJPEGQuality");
  EXPECT_EQ(quality->text(), "90");  // nothing stored yet
  EXPECT_EQ(presets->currentText(), "High");
  struct Picked {
    int index;
    QString written;
  };
  for (const Picked& p : std::vector<Picked>{{0, "100"}, {3, "60"}, {2, "80"}}) {
    presets->setCurrentIndex(p.index);
    emit presets->activated(p.index);
    EXPECT_EQ(quality->text(), p.written);
  }
  struct Typed {
    QString keys;
    int selected;
  };
  for (const Typed& t : std::vector<Typed>{{"100", 0}, {"85", 2}, {"101", -1}, {"7x9", 3}}) {
    quality->clear();
    QTest::keyClicks(quality, t.keys);
    EXPECT_EQ(presets->currentIndex(), t.selected) << t.keys.toStdString();
  }
  EXPECT_EQ(quality->text(), "79");  // the letter never reached the box
}

// Box 0 is ticked exactly when no limit is; a limit's value box is editable only while
// its box is ticked; the quality controls serve JPEG only.
TEST_F(SaveDialogTest, ResolutionBoxesAndTypeUnlockTheirValueBoxes) {
  SaveDialog dialog(job_, nullptr, Settings());
  QCheckBox* box[3];
  for (int i = 0; i < 3; ++i) box[i] = Child<QCheckBox>(dialog, "chkInterpolate", i);
  auto* minimum = Child<QLineEdit>(dialog, "txtInterpolVal", 1);
  auto* maximum = Child<QLineEdit>(dialog, "txtInterpolVal", 2);
  struct Case {
    int click;
    bool ticked[3];
  };
  const std::vector<Case> cases = {
      {1, {false, true, false}}, {2, {false, true, true}},  {1, {false, false, true}},
      {2, {true, false, false}}, {1, {false, true, false}}, {0, {true, false, false}},
      {0, {true, false, false}},  // unticking box 0 alone ticks it again
  };
  EXPECT_TRUE(box[0]->isChecked());
  for (const Case& c : cases) {
    box[c.click]->click();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(box[i]->isChecked(), c.ticked[i]) << c.click << i;
    EXPECT_EQ(minimum->isReadOnly(), !c.ticked[1]);
    EXPECT_EQ(maximum->isReadOnly(), !c.ticked[2]);
  }
  auto* type = Child<QComboBox>(dialog, "cboSaveAsType");
  for (int index : {1, 0}) {
    type->setCurrentIndex(index);
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtJPEGQuality")->isEnabled(), index == 0);
    EXPECT_EQ(Child<QComboBox>(dialog, "cboJPEGQuality")->isEnabled(), index == 0);
  }
}

TEST_F(SaveDialogTest, SaveAllWritesThePhotosIntoTheBrowsedFolderStoresTheFieldsAndCloses) {
  QWidget owner;
  QPointer<SaveDialog> dialog = SaveDialog::OpenForm(job_, &owner, Settings());
  EXPECT_FALSE(owner.isEnabled());
  ASSERT_TRUE(dialog->isVisible());
  const QString out = dir_.filePath("out");
  dialogs_.AnswerFolder(out);
  Child<QPushButton>(*dialog, "cmdBrowse")->click();
  ASSERT_EQ(dialogs_.Requests().size(), 1u);
  EXPECT_EQ(dialogs_.Requests()[0].title, "Choose Folder:\r(Tip: right click for more options)");
  EXPECT_EQ(Child<QLineEdit>(*dialog, "txtSaveInFolder")->text(), out);
  Child<QComboBox>(*dialog, "cboRenameAs")->setEditText("[Filename]");
  Child<QComboBox>(*dialog, "cboSaveAsType")->setCurrentIndex(2);  // PNG
  Child<QPushButton>(*dialog, "cmdSave")->click();

  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_FALSE(ui_.ProgressTexts().empty());
  EXPECT_FALSE(ui_.ProgressShown());
  EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name), (QStringList{"first.png", "second.png"}));
  ASSERT_FALSE(dialog.isNull());
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_FALSE(dialog->Canceled());
  EXPECT_TRUE(owner.isEnabled());
  const SaveDialogFields stored = ReadSaveDialogFields(Settings());
  EXPECT_EQ(stored.folder, out + "/");
  EXPECT_EQ(stored.type_index, 2);
  EXPECT_EQ(stored.name_template, "[Filename]");
}

}  // namespace
}  // namespace tessaly
