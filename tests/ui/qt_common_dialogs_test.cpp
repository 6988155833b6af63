#include "ui/qt_common_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <set>
#include <tuple>

namespace tessaly {
namespace {

using Names = std::set<QString>;

// Chooses `name` as a user typing it does, and never leaves the dialog waiting: a
// dialog that did not take the choice is cancelled.
void TypeNameAndAccept(QFileDialog* dialog, const QString& name) {
  if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit")) {
    edit->setText(name);
    QMetaObject::invokeMethod(dialog, "accept");
  }
  if (dialog->isVisible()) dialog->reject();
}

// Notes the names the open dialog lists in `folder` once they equal `expected` or
// after a bounded number of looks (the folder is read in the background).
void WatchListing(const QString& folder, const Names& expected, Names& seen, int looks_left) {
  auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
  auto* model = dialog ? dialog->findChild<QFileSystemModel*>() : nullptr;
  if (!model) {
    if (looks_left > 0)
      QTimer::singleShot(10, [=, &seen] { WatchListing(folder, expected, seen, looks_left - 1); });
    return;
  }
  seen.clear();
  const QModelIndex parent = model->index(folder);
  for (int row = 0; row < model->rowCount(parent); ++row)
    seen.insert(model->fileName(model->index(row, 0, parent)));
  if (seen != expected && looks_left > 0) {
    QTimer::singleShot(10, [=, &seen] { WatchListing(folder, expected, seen, looks_left - 1); });
    return;
  }
  TypeNameAndAccept(dialog, "Y.JPG");
}

TEST(QtCommonDialogs, OpenDialogFiltersNamesInEitherCaseAndReturnsTheChoice) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const char* name : {"x.jpg", "Y.JPG", "z.Jpeg", "notes.txt", "w.png"}) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  const QString folder = QDir(dir.path()).canonicalPath();
  const Names expected{"x.jpg", "Y.JPG", "z.Jpeg"};
  Names seen;
  QTimer::singleShot(0, [&] { WatchListing(folder, expected, seen, 500); });

  QtCommonDialogs dialogs;
  OpenFileRequest request{"Tessaly - Select Photos",
                          "Image files |*.PNG|JPEG (*.JPG; *.JPEG)|*.JPG;*.JPEG|", 2, folder, true};
  QStringList files;
  EXPECT_TRUE(dialogs.OpenFiles(request, files));
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(files, QStringList{folder + "/Y.JPG"});
  EXPECT_EQ(request.filter_index, 2);
}

// A name typed without a type is saved with the chosen filter's type.
TEST(QtCommonDialogs, SaveDialogGivesATypedNameTheFilterType) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString folder = QDir(dir.path()).canonicalPath();
  QTimer::singleShot(0, [] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
      TypeNameAndAccept(dialog, "holiday");
  });
  QtCommonDialogs dialogs;
  OpenFileRequest request{"Save Job", "Job files|*.json", 1, folder};
  QString file;
  EXPECT_TRUE(dialogs.SaveFile(request, file));
  EXPECT_EQ(file.toStdString(), (folder + "/holiday.json").toStdString());
}

// Font and colour in one dialog: a colour dialog cancelled keeps the font chosen and
// the colour there was; a colour picked goes with the font; Cancel changes nothing.
TEST(QtCommonDialogs, FontDialogTakesTheFontItsEffectsAndTheColourInOneStep) {
  QtCommonDialogs dialogs;
  FontChoice font{"Liberation Sans", 10.0};
  std::uint32_t colour = 0x102030;
  // Chooses a bold 14-point serif, answers the colour dialog with `picked` (invalid:
  // cancelled) and ends with `button`.
  const auto drive = [](const QColor& picked, QDialogButtonBox::StandardButton button) {
    QTimer::singleShot(0, [picked, button] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_TRUE(dialog && dialog->objectName() == "fontDialog");
      QFont serif("Liberation Serif", 14);
      serif.setBold(true);
      serif.setUnderline(true);
      dialog->findChild<QFontDialog*>("fontChoice")->setCurrentFont(serif);
      QTimer::singleShot(0, [picked] {
        auto* colours = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(colours, nullptr);
        if (!picked.isValid()) return colours->reject();
        colours->setCurrentColor(picked);
        colours->accept();
      });
      dialog->findChild<QPushButton*>("cmdColor")->click();
      dialog->findChild<QDialogButtonBox*>()->button(button)->click();
    });
  };
  drive(QColor(), QDialogButtonBox::Ok);
  ASSERT_TRUE(dialogs.ChooseFont(font, colour, 1, 70));
  EXPECT_EQ(std::tuple(font.name, font.size, font.bold, font.underline, colour),
            std::tuple(QString("Liberation Serif"), 14.0, true, true, std::uint32_t{0x102030}));

  drive(QColor(0x40, 0x50, 0x60), QDialogButtonBox::Ok);
  ASSERT_TRUE(dialogs.ChooseFont(font, colour, 1, 70));
  EXPECT_EQ(colour, 0x605040u);  // blue, green, red

  font = FontChoice{"Liberation Sans", 9.0};
  drive(QColor(0x70, 0x70, 0x70), QDialogButtonBox::Cancel);
  EXPECT_FALSE(dialogs.ChooseFont(font, colour, 1, 70));
  EXPECT_EQ(std::tuple(font.name, font.size, colour),
            std::tuple(QString("Liberation Sans"), 9.0, std::uint32_t{0x605040}));
}

}  // namespace
}  // namespace tessaly
