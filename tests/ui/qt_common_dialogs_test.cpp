#include "ui/qt_common_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <set>

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

}  // namespace
}  // namespace tessaly
