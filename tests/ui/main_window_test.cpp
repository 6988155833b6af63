// The main window's wiring, driven through its real controls on the offscreen
// platform: adding photos through the open-photos dialog, the sliders and the
// sharpening controls writing the record, reset, removing, the label warning, the
// copies box, the information window and the last job kept between runs. Messages go
// to the scripted Ui.
#include "ui/main_window.h"
#include "workspace/job_session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSet>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <tuple>

#include "controls/native_path.h"
#include "controls/scripted_common_dialogs.h"
#include "controls/scripted_ui.h"
#include "controls/units.h"
#include "controls/utils.h"
#include "job/my_picture.h"
#include "print/pdf_printer.h"
#include "settings/settings_file.h"
#include "support/find_control.h"
#include "support/photo_tools.h"
#include "support/scratch_home.h"
#include "support/test_surfaces.h"
#include "ui/button_on_off.h"
#include "ui/elided_label.h"
#include "ui/image_info_window.h"
#include "ui/open_photos_dialog.h"
#include "ui/photo_view.h"
#include "ui/qt_ui.h"
#include "ui/thumbnail_strip.h"
#include "workspace/last_job.h"
#include "workspace/main_window_rules.h"

namespace tessaly {
namespace {

class MainWindowTest : public test::ScratchHomeTest {
 protected:
  void SetUp() override {
    NewWindow();
    window_->SetInitPath(dir_.path());
  }
  // A window over a new session with the built-in PDF printer alone.
  void NewWindow() {
    window_.reset();
    session_ = std::make_unique<JobSession>(nullptr);
    window_ = std::make_unique<MainWindow>(*session_);
  }

  // Writes a small PNG photo named `name` in the scratch folder.
  QString Photo(const QString& name, int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(120, 90, 60));
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
  }
  // Adds `files` as one Open of the open-photos dialog, then closes the dialog.
  void AddThroughDialog(const QStringList& files) {
    Click("cmdAdd");
    OpenPhotosDialog* dialog = window_->PhotosDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->AddChosenFiles(files);
    dialog->reject();
    QCoreApplication::processEvents();
  }
  template <typename T>
  T* Find(const char* name, int index = -1) {
    return test::FindControl<T>(*window_, name, index);
  }
  void Click(const char* name, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(Find<ButtonOnOff>(name), button, {}, QPoint(5, 5));
  }
  MyPicture& Record() { return window_->Job().At(window_->CurrentPosition()); }
  // A new window started as the program starts it, every start-up dialog declined.
  void Restart() {
    NewWindow();
    window_->Start({});
  }

  std::unique_ptr<JobSession> session_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, AddedPhotosAreSortedSelectedAndEditedThroughThePanel) {
  EXPECT_FALSE(Find<QWidget>("frameEdit")->isEnabled());
  AddThroughDialog({Photo("b.png", 60, 40), Photo("A.png", 40, 60)});
  ASSERT_EQ(window_->Job().Count(), 2);
  EXPECT_EQ(window_->Job().At(0).Filename(), dir_.filePath("A.png"));
  // Each added photo becomes the active one; a thumbnail click chooses another.
  EXPECT_EQ(window_->CurrentPosition(), 1);
  EXPECT_EQ(window_->findChild<ThumbnailStrip*>("MyTumbs1")->NumberImages(), 2);
  window_->SelectPhoto(0);
  EXPECT_TRUE(Find<QWidget>("frameEdit")->isEnabled());
  EXPECT_TRUE(Find<ElidedLabel>("lblFileInfo")->FullText().contains("A.png"));

  using Field = int (MyPicture::*)() const;
  const std::tuple<const char*, int, Field> cases[] = {
      {"hsBright", 12, &MyPicture::Bright},         {"hsContrast", -7, &MyPicture::Contrast},
      {"hsSaturation", 30, &MyPicture::Saturation}, {"hsRed", -51, &MyPicture::RedAdjust},
      {"hsGreen", 4, &MyPicture::GreenAdjust},      {"hsBlue", 51, &MyPicture::BlueAdjust},
  };
  for (const auto& [slider, value, field] : cases) {
    Find<QSlider>(slider)->setValue(value);
    EXPECT_EQ((Record().*field)(), value) << slider;
  }
  // A drag writes the record at every step, so the photo follows the slider.
  auto* gamma = Find<QSlider>("hsGamma");
  const QImage before = Record().picture().picture;
  gamma->setSliderDown(true);
  gamma->setValue(-51);
  EXPECT_EQ(Find<QLabel>("lblGamma")->text(), "0.50");
  EXPECT_EQ(Record().gamma(), 0.5);
  EXPECT_NE(Record().picture().picture, before);
  gamma->setSliderDown(false);

  Find<QCheckBox>("chkUnsharpMask")->setChecked(true);
  Find<QRadioButton>("optRadius", 1)->setChecked(true);
  Find<QComboBox>("cboAmount")->setCurrentText("50");
  EXPECT_EQ(Record().UnsharpMask(), 15050);

  // The second photo fills the panel from its own, unedited record.
  window_->SelectPhoto(1);
  EXPECT_EQ(Find<QSlider>("hsBright")->value(), 0);
  EXPECT_FALSE(Find<QComboBox>("cboAmount")->isEnabled());
  window_->SelectPhoto(0);
  EXPECT_EQ(Find<QSlider>("hsBright")->value(), 12);
  EXPECT_TRUE(Find<QRadioButton>("optRadius", 1)->isChecked());

  Click("cmdReset");
  EXPECT_EQ(Record().Bright(), 0);
  EXPECT_EQ(Record().gamma(), 1.0);
  EXPECT_EQ(Find<QLabel>("lblGamma")->text(), "1.00");
  EXPECT_TRUE(ui_.Messages().empty());
}

// A full job takes no more photos, whichever way they come (given, chosen in the
// dialog, from a job file), and says so once each time.
TEST_F(MainWindowTest, AFullJobRefusesMorePhotosWithOneMessage) {
  std::vector<QString> expected;
  const auto full_at = [&](int capacity) {
    window_->Job().SetCapacity(capacity);
    expected.push_back(JobFullText(window_->Job()));
  };
  full_at(2);
  window_->AddFiles({Photo("a.png", 30, 20), Photo("b.png", 30, 20), Photo("c.png", 30, 20)});
  EXPECT_EQ(window_->Job().Count(), 2);
  full_at(3);
  AddThroughDialog({Photo("d.png", 30, 20), Photo("e.png", 30, 20)});
  EXPECT_EQ(window_->Job().Count(), 3);
  ScriptedCommonDialogs dialogs;
  ScopedCommonDialogs scoped_dialogs(dialogs);
  const QString saved = dir_.filePath("saved.json");
  dialogs.AnswerFiles({saved});
  Find<QAction>("mnuSaveJob")->trigger();
  full_at(4);
  dialogs.AnswerFiles({saved});
  Find<QAction>("mnuOpenJob")->trigger();
  EXPECT_EQ(window_->Job().Count(), 4);
  EXPECT_EQ(ui_.MessageTexts(), expected);
  EXPECT_EQ(expected.front(),
            "The job holds 2 photos, the most it can: the other photos were not added.");
}

// A photo with a very long name leaves the window as wide as it was: the name is
// shortened with "…" in the information line, which keeps the whole text for
// assistive tools, and the window stays within the screen.
TEST_F(MainWindowTest, ALongFileNameIsElidedAndNeverWidensTheWindow) {
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  QCoreApplication::processEvents();
  const int width = window_->width();
  const QString name = QString(200, QLatin1Char('n')) + ".png";
  window_->AddFiles({Photo(name, 60, 40)});
  QCoreApplication::processEvents();
  auto* info = Find<ElidedLabel>("lblFileInfo");
  EXPECT_EQ(window_->width(), width);
  EXPECT_LE(window_->frameGeometry().width(), window_->screen()->availableGeometry().width());
  EXPECT_TRUE(info->FullText().contains(name));
  EXPECT_TRUE(info->accessibleName().contains(name));
  EXPECT_FALSE(info->text().contains(name));
  EXPECT_TRUE(info->text().contains(QChar(0x2026)));
  EXPECT_LE(info->fontMetrics().horizontalAdvance(info->text().section(u'\n', 1, 1)),
            info->contentsRect().width());
}

// The screen's pixel ratio reaches the job, and a photo's screen copy is decoded at
// it. ctest also runs this case on a doubly dense screen (QT_SCALE_FACTOR=2).
TEST_F(MainWindowTest, ScreenCopyFollowsTheScreenPixelRatio) {
  const double ratio = window_->devicePixelRatioF();
  EXPECT_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
  EXPECT_EQ(window_->Job().Settings().ScreenPixelRatio, ratio);
  AddThroughDialog({Photo("a.png", 1600, 1200)});
  const QImage& copy = Record().picture().picture;
  EXPECT_EQ(copy.devicePixelRatio(), ratio);
  EXPECT_EQ(copy.width(), ScreenCopyPixels(window_->Job().Settings().ScreenPhotoSize, ratio));
}

// A portrait stored sideways with its orientation tag (set by exiftool) is shown
// upright in the view: the stored picture's left column is the view's top row.
TEST_F(MainWindowTest, ATurnedPhotoIsShownUpright) {
  QImage image(160, 96, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 80; ++x) image.setPixel(x, y, qRgb(255, 0, 0));
  const QString path = dir_.filePath("turned.jpg");
  ASSERT_TRUE(image.save(path, "JPEG", 95));
  ASSERT_TRUE(
      test::RunTool("exiftool", {"-q", "-overwrite_original", "-n", "-Orientation=6", path}));
  AddThroughDialog({path});
  const QImage shown = Record().picture().picture;
  ASSERT_GT(shown.height(), shown.width());
  // Turned a quarter clockwise, the red top-left quadrant is now the top right.
  EXPECT_TRUE(test::NearColour(shown.pixel(3 * shown.width() / 4, shown.height() / 4),
                               qRgb(255, 0, 0), 24));
  EXPECT_TRUE(test::NearColour(shown.pixel(shown.width() / 4, shown.height() / 4),
                               qRgb(255, 255, 255), 24));
}

TEST_F(MainWindowTest, OpenPhotosDialogPreviewsAddsAndStopsOnEscape) {
  Click("cmdAdd");
  OpenPhotosDialog* dialog = window_->PhotosDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), "Tessaly - Select Photos");
  auto* files = dialog->findChild<QFileDialog*>("fileDialog");
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(files->directory().absolutePath(), dir_.path());
  EXPECT_EQ(files->nameFilters().size(), 6);

  // A previewed file is shown and then added from its preview.
  const QString shown = Photo("shown.png", 30, 20);
  emit files->currentChanged(shown);
  EXPECT_FALSE(dialog->findChild<QLabel*>("PicPreview")->pixmap().isNull());
  EXPECT_TRUE(dialog->findChild<QWidget*>("cmdView")->isEnabled());
  dialog->AddChosenFiles({shown});
  ASSERT_EQ(window_->Job().Count(), 1);
  // A file that is not a picture says so, and cannot be viewed.
  const QString text_file = dir_.filePath("notes.jpg");
  test::PutFile(text_file, "not a picture");
  emit files->currentChanged(text_file);
  EXPECT_EQ(dialog->findChild<QLabel*>("lblWait")->text(), "Invalid Picture Format");
  EXPECT_TRUE(dialog->findChild<QLabel*>("PicPreview")->pixmap().isNull());
  EXPECT_FALSE(dialog->findChild<QWidget*>("cmdView")->isEnabled());

  ui_.OnPoll([dialog](int) { QTest::keyClick(dialog, Qt::Key_Escape); });
  dialog->AddChosenFiles({Photo("a.png", 30, 20), Photo("b.png", 30, 20), Photo("c.png", 30, 20)});
  ui_.OnPoll(nullptr);
  EXPECT_EQ(window_->Job().Count(), 2);
  EXPECT_TRUE(dialog->isVisible());  // the escape stopped the loading, not the dialog
  dialog->reject();
}

TEST_F(MainWindowTest, FilesGivenOrDroppedAreAddedAndAnUnreadableOneIsNamed) {
  const QString broken = dir_.filePath("broken.jpg");
  test::PutFile(broken, "not a photo");
  window_->AddFiles({Photo("b.png", 30, 20), broken, Photo("a.png", 30, 20)});
  ASSERT_EQ(window_->Job().Count(), 2);
  EXPECT_EQ(window_->Job().At(0).Filename(), dir_.filePath("b.png"));
  EXPECT_EQ(window_->CurrentPosition(), 1);
  EXPECT_TRUE(Find<QWidget>("frameEdit")->isEnabled());
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_TRUE(ui_.MessageTexts()[0].contains(broken));

  // Dropped on the window: added after the others.
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(Photo("c.png", 30, 20))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(window_.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(window_.get(), &drop);
  ASSERT_EQ(window_->Job().Count(), 3);
  EXPECT_EQ(window_->Job().At(2).Filename(), dir_.filePath("c.png"));

  // Names that are not UTF-8: dropped (the URL keeps the byte), and as the file dialog
  // hands them out (the byte replaced), each opens the file by its own name.
  const QByteArray folder = QFile::encodeName(dir_.path());
  ASSERT_EQ(::rename(QFile::encodeName(Photo("d.png", 30, 20)), folder + "/d\xe9.png"), 0);
  ASSERT_EQ(::rename(QFile::encodeName(Photo("e.png", 30, 20)), folder + "/e\xe9.png"), 0);
  dropped.setUrls({QUrl("file://" + dir_.path() + "/d%E9.png")});
  QDragEnterEvent enter_latin1(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(window_.get(), &enter_latin1);
  QDropEvent drop_latin1(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(window_.get(), &drop_latin1);
  window_->AddFiles({QString::fromUtf8(folder + "/e\xe9.png")});
  ASSERT_EQ(window_->Job().Count(), 5);
  EXPECT_EQ(NativePath(window_->Job().At(3).Filename()), folder + "/d\xe9.png");
  EXPECT_EQ(NativePath(window_->Job().At(4).Filename()), folder + "/e\xe9.png");
  EXPECT_EQ(ui_.Messages().size(), 1u);
  for (const char* name : {"/d\xe9.png", "/e\xe9.png"})  // Qt cannot remove them
    EXPECT_EQ(::unlink(folder + name), 0);
}

TEST_F(MainWindowTest, RemoveInTheMiddleTheLastAndAll) {
  // In contact-sheet mode the notice stands over the photos while there are any.
  window_->Job().Settings().ThumbMode = true;
  auto* notice = Find<QWidget>("txtThumbMode");
  EXPECT_TRUE(notice->isHidden());
  AddThroughDialog({Photo("a.png", 30, 20), Photo("b.png", 30, 20), Photo("c.png", 30, 20),
                    Photo("d.png", 30, 20)});
  ASSERT_EQ(window_->Job().Count(), 4);
  EXPECT_FALSE(notice->isHidden());
  // The strip's choice of the next photo is tested with the core; here the removal
  // reaches the job and the panel shows the photo the strip chose.
  window_->SelectPhoto(1);
  Click("cmdRemove");
  ASSERT_EQ(window_->Job().Count(), 3);
  EXPECT_EQ(Record().Filename(), dir_.filePath("c.png"));

  // All: a No keeps the job, a Yes empties it and clears the panel.
  ui_.Answer(MsgAnswer::No);
  Click("cmdRemove", Qt::RightButton);
  EXPECT_EQ(window_->Job().Count(), 3);
  ui_.Answer(MsgAnswer::Yes);
  Click("cmdRemove", Qt::RightButton);
  EXPECT_EQ(window_->Job().Count(), 0);
  ASSERT_EQ(ui_.MessageTexts().size(), 2u);
  EXPECT_EQ(ui_.MessageTexts()[1], "Remove all images?");
  EXPECT_EQ(ui_.Messages()[1].buttons, MsgButtons::YesNo);
  EXPECT_FALSE(Find<QWidget>("frameEdit")->isEnabled());
  EXPECT_TRUE(Find<ElidedLabel>("lblFileInfo")->FullText().isEmpty());
  EXPECT_TRUE(notice->isHidden());
  EXPECT_TRUE(Find<QLineEdit>("txtCopies")->text().isEmpty());
  // An empty job asks nothing.
  Click("cmdRemove", Qt::RightButton);
  EXPECT_EQ(ui_.Messages().size(), 2u);
}

// Menus, keys, tool tips and the commands' states, read as assistive technology
// reads them.
TEST_F(MainWindowTest, MenusKeysTipsAndStatesThroughTheAccessibilityTree) {
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  const auto entries = [](QObject* object) {
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(object);
    QStringList texts;
    for (int i = 0; menu && i < menu->childCount(); ++i) {
      const QAccessibleInterface* item = menu->child(i);
      if (item->role() == QAccessible::Separator) continue;
      texts << item->text(QAccessible::Name) + u'|' + item->text(QAccessible::Accelerator) +
                   (item->state().disabled ? "|off" : "");
    }
    return texts;
  };
  EXPECT_EQ(entries(window_->menuBar()),
            (QStringList{"File|Alt+F", "Photo|Alt+P", "Job|Alt+J", "Help|Alt+H"}));
  EXPECT_EQ(entries(Find<QMenu>("mnuFile")),
            (QStringList{"Add Photos...|Ctrl+O", "Open Job...|Ctrl+Shift+O",
                         "Save Job...|Ctrl+Shift+S|off", "Exit|Ctrl+Q"}));
  EXPECT_EQ(entries(Find<QMenu>("mnuJob")),
            (QStringList{"Settings...|Ctrl+,", "Preview|Ctrl+Shift+P|off", "Print...|Ctrl+P|off",
                         "Save Photos...|Ctrl+S|off"}));
  EXPECT_EQ(entries(Find<QMenu>("mnuHelp")),
            (QStringList{"Help|F1", "Keyboard Shortcuts|Ctrl+F1", "About|Alt+A"}));

  // Every control says what it does, the buttons with their keys.
  for (QWidget* control : window_->findChildren<QWidget*>()) {
    if (control->focusPolicy() == Qt::NoFocus || !control->isVisible()) continue;
    const QString tip =
        QAccessible::queryAccessibleInterface(control)->text(QAccessible::Description);
    EXPECT_FALSE(tip.isEmpty()) << control->metaObject()->className() << " "
                                << control->objectName().toStdString();
  }
  EXPECT_EQ(Find<ButtonOnOff>("cmdRotateLeft")->toolTip(),
            "Turn the photo a quarter turn counter-clockwise (Ctrl+L)");

  // A photo enables the photo commands; a contact-sheet job leaves its edits locked.
  AddThroughDialog({Photo("a.png", 60, 40)});
  EXPECT_EQ(entries(Find<QMenu>("mnuPhoto")),
            (QStringList{"Rotate Left|Ctrl+L", "Rotate Right|Ctrl+R", "Rotate Crop|Ctrl+T",
                         "White Balance|Ctrl+B", "Reset Edits|Ctrl+0", "Information|Ctrl+I",
                         "Remove|Del", "Remove All|Shift+Del"}));
  EXPECT_TRUE(Find<ButtonOnOff>("cmdPrint")->isEnabled());
  // The keys reach the commands: Ctrl+R turns the landscape photo upright.
  QApplication::setActiveWindow(window_.get());
  QTest::keyClick(window_.get(), Qt::Key_R, Qt::ControlModifier);
  const QSize turned = Record().picture().picture.size();
  EXPECT_LT(turned.width(), turned.height());
  Find<QAction>("btWhiteBalance")->trigger();
  EXPECT_TRUE(Find<ButtonOnOff>("btWhiteBalance")->IsOn());

  Find<QAction>("mnuShortcuts")->trigger();
  ASSERT_EQ(ui_.MessageTexts().size(), 1u);
  EXPECT_TRUE(ui_.MessageTexts()[0].contains("\nRotate Right: Ctrl+R\n"));
  EXPECT_TRUE(ui_.MessageTexts()[0].contains("\nRemove All: Shift+Del\n"));
}

TEST_F(MainWindowTest, PhotosThatPrintSoftAreMarkedInTheStripAndTheInformationLine) {
  AddThroughDialog({Photo("big.png", 2400, 1600), Photo("small.png", 60, 40)});
  auto* strip = Find<ThumbnailStrip>("MyTumbs1");
  const auto info = [this] { return Find<ElidedLabel>("lblFileInfo")->FullText(); };
  EXPECT_FALSE(strip->Marked(0));
  EXPECT_TRUE(strip->Marked(1));
  EXPECT_TRUE(info().endsWith(" ppi. Low: under 150 ppi.")) << info().toStdString();
  EXPECT_TRUE(strip->accessibleDescription().endsWith(", prints soft"));
  window_->SelectPhoto(0);
  EXPECT_FALSE(info().contains("Low"));
  EXPECT_EQ(strip->accessibleDescription(), "Photo 1 of 2");
}

// The view fills a larger window and the shown photo is decoded anew for it in the
// background; a photo no longer shown keeps only the pixels it was added with.
TEST_F(MainWindowTest, TheViewGrowsWithTheWindowAndItsPhotoIsDecodedForIt) {
  AddThroughDialog({Photo("a.png", 2400, 1600), Photo("b.png", 2400, 1600)});
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  const double loaded = Record().PixelRatio();
  const QSize small = Record().picture().picture.size();
  window_->resize(window_->size() + QSize(500, 500));
  auto* view = Find<PhotoView>("PhotoView");
  QTRY_VERIFY(view->Zoom() > 1.5);
  QTRY_VERIFY_WITH_TIMEOUT(Record().PixelRatio() > loaded * 1.5, 5000);
  EXPECT_GT(Record().picture().picture.width(), small.width() * 3 / 2);
  const PictureBox& box = Record().picture();
  EXPECT_EQ(Find<QWidget>("Picture1")->width(), qRound(box.width / kTwipsPerPixel * view->Zoom()));
  MyPicture& first = Record();
  window_->SelectPhoto(0);
  EXPECT_DOUBLE_EQ(first.PixelRatio(), loaded);
  QTRY_VERIFY_WITH_TIMEOUT(Record().PixelRatio() > loaded * 1.5, 5000);
}

TEST_F(MainWindowTest, CopiesLabelAndInformation) {
  AddThroughDialog({Photo("a.png", 60, 40), Photo("b.png", 40, 60)});
  ASSERT_EQ(window_->Job().Count(), 2);
  window_->SelectPhoto(0);
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));

  auto* copies = Find<QLineEdit>("txtCopies");
  copies->setFocus();
  copies->selectAll();
  QTest::keyClicks(copies, "1x2-");
  EXPECT_EQ(copies->text(), "12");
  // Editing keys work as in any box: select all, then a digit replaces the text;
  // Delete removes the character after the cursor.
  QTest::keyClick(copies, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(copies, "3");
  EXPECT_EQ(copies->text(), "3");
  QTest::keyClick(copies, Qt::Key_Home);
  QTest::keyClick(copies, Qt::Key_Delete);
  QTest::keyClicks(copies, "12");
  EXPECT_EQ(copies->text(), "12");
  QTest::keyClick(copies, Qt::Key_Return);
  EXPECT_EQ(Record().Copies(), 12);
  copies->setText("0");  // the box shows the value the photo takes
  QTest::keyClick(copies, Qt::Key_Return);
  EXPECT_EQ(copies->text(), "1");

  // Far wider than the photo: one warning however long the typing goes on, and the
  // trimmed text is kept.
  auto* label = Find<QLineEdit>("txtLabel");
  label->setFocus();
  label->clear();
  QTest::keyClicks(label, QString(70, QLatin1Char('W')) + "  ");
  QTest::keyClick(label, Qt::Key_Return);
  ASSERT_EQ(ui_.MessageTexts().size(), 1u);
  EXPECT_EQ(ui_.MessageTexts()[0], "Warning: Text label too big!");
  EXPECT_EQ(Record().PhotoLabel(), QString(70, QLatin1Char('W')));
  {
    // With the real Ui the warning is a notice beside the window that leaves the
    // keyboard to the box: every typed character arrives and no modal box waits.
    QtUi qt_ui;
    ScopedUi real_ui(qt_ui);
    bool modal_shown = false;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&modal_shown] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        modal_shown = true;
        modal->close();
      }
    });
    guard.start(20);
    copies->setFocus();
    label->setFocus();  // entering the box allows the warning again
    label->clear();
    const QString typed = "family at the lake " + QString(60, QLatin1Char('W'));
    QTest::keyClicks(label, typed);
    EXPECT_EQ(label->text(), typed);
    EXPECT_EQ(QApplication::focusWidget(), label);
    EXPECT_FALSE(modal_shown);
    auto* notice = qobject_cast<QMessageBox*>(test::ShownWindow("noticeBox"));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->text(), "Warning: Text label too big!");
  }

  // The white-balance pick: a press on the picture sets the colour sliders from the
  // record and switches the button off.
  Click("btWhiteBalance");
  EXPECT_TRUE(Record().WhiteBalanceMode());
  QWidget* picture = window_->findChild<QWidget*>("Picture1");
  ASSERT_NE(picture, nullptr);
  QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
  EXPECT_FALSE(Find<ButtonOnOff>("btWhiteBalance")->IsOn());
  EXPECT_NE(Record().RedAdjust(), 0);
  EXPECT_EQ(Find<QSlider>("hsRed")->value(), Record().RedAdjust());
  EXPECT_EQ(Find<QSlider>("hsBlue")->value(), Record().BlueAdjust());

  // A label typed and not yet left still goes to its photo when the next one is
  // chosen from the keyboard.
  label->setFocus();
  label->clear();
  QTest::keyClicks(label, "Beach");
  window_->findChild<QAction*>("actNextPhoto")->trigger();
  EXPECT_EQ(window_->CurrentPosition(), 1);
  EXPECT_EQ(window_->Job().At(0).PhotoLabel(), "Beach");
  window_->SelectPhoto(0);
  EXPECT_EQ(copies->text(), "1");

  Click("cmdInfo");
  auto* info = window_->findChild<ImageInfoWindow*>();
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->isVisible());
  auto* text = info->findChild<QPlainTextEdit*>("txtMsg");
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_TRUE(text->toPlainText().contains(dir_.filePath("a.png")));
  // Another photo refreshes the one window that is open.
  window_->SelectPhoto(1);
  EXPECT_EQ(window_->findChildren<ImageInfoWindow*>().size(), 1);
  EXPECT_TRUE(text->toPlainText().contains(dir_.filePath("b.png")));
  QTest::mouseClick(info->findChild<QWidget*>("cmdClose"), Qt::LeftButton);
  EXPECT_FALSE(info->isVisible());
}

// Cancel clicked while the dialog adds photos, with the real Ui letting messages run
// inside the adding loop: the adding stops, the window takes the photos added so far,
// and the dialog is deleted only after its own loop has returned.
TEST_F(MainWindowTest, CancelWhileAddingStopsAndDeletesTheDialogAfterItsLoop) {
  QStringList files;
  for (int i = 0; i < 12; ++i)
    files << Photo(QStringLiteral("p%1.png").arg(i, 2, 10, QChar(u'0')), 40, 30);
  QtUi qt_ui;
  ScopedUi real_ui(qt_ui);
  Click("cmdAdd");
  QPointer<OpenPhotosDialog> dialog = window_->PhotosDialog();
  ASSERT_NE(dialog, nullptr);
  QPushButton* cancel = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
  ASSERT_NE(cancel, nullptr);

  QEventLoop loop;
  bool clicked = false, deleted_inside_loop = false;
  QTimer clicker;
  QObject::connect(&clicker, &QTimer::timeout, [&] {
    if (clicked || window_->Job().Count() < 3) return;
    clicked = true;
    QTest::mouseClick(cancel, Qt::LeftButton);
  });
  clicker.start(0);
  QTimer::singleShot(0, [&] {
    dialog->AddChosenFiles(files);
    deleted_inside_loop = dialog.isNull();
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
  });
  loop.exec();

  EXPECT_TRUE(clicked);
  EXPECT_FALSE(deleted_inside_loop);
  EXPECT_TRUE(dialog.isNull());
  EXPECT_EQ(window_->PhotosDialog(), nullptr);
  EXPECT_GE(window_->Job().Count(), 3);
  EXPECT_LT(window_->Job().Count(), 12);
  EXPECT_TRUE(Find<QWidget>("frameEdit")->isEnabled());
}

// Start-up asks for the job settings before the photos; Help opens the edit page;
// Save says why it cannot save a contact sheet. The preview is opened by the
// whole-job test.
TEST_F(MainWindowTest, JobCommandsOpenTheirWindows) {
  window_->Start({});
  EXPECT_EQ(ui_.DialogsRun(), std::vector<QString>{"frmJobSetup"});
  OpenPhotosDialog* dialog = window_->PhotosDialog();
  ASSERT_NE(dialog, nullptr);  // then the photos
  dialog->AddChosenFiles({Photo("a.png", 60, 40)});
  dialog->reject();
  QCoreApplication::processEvents();

  QUrl opened;
  const UrlOpener previous = SetUrlOpener([&opened](const QUrl& url) {
    opened = url;
    return true;
  });
  Click("cmdHelp");
  SetUrlOpener(previous);
  // The help start page's copy, sent to the edit page (the copy's form is the help
  // page tests').
  QFile help(opened.toLocalFile());
  EXPECT_TRUE(help.open(QIODevice::ReadOnly) && help.readAll().contains("Edit.htm"));

  window_->Job().Settings().ThumbMode = true;
  Click("cmdSave");
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].text, "Can't save in contact sheet mode");
  EXPECT_EQ(test::ShownWindow("frmSavePhotos"), nullptr);
}

// Closing with photos keeps the job; the next start offers it, and Yes brings the
// photos back with their edits and names the one that has gone, instead of asking
// for photos. The File menu saves and opens job files.
TEST_F(MainWindowTest, LastJobIsKeptOnCloseAndOfferedAtTheNextStart) {
  window_->AddFiles({Photo("a.png", 60, 40), Photo("b.png", 40, 60)});
  window_->SelectPhoto(0);
  Find<QSlider>("hsBright")->setValue(12);
  auto* copies = Find<QLineEdit>("txtCopies");
  copies->selectAll();
  QTest::keyClicks(copies, "3");  // typed, not yet left
  window_->close();
  ASSERT_TRUE(QFile::remove(dir_.filePath("b.png")));

  window_.reset();
  ui_.Answer(MsgAnswer::Yes);
  Restart();
  ASSERT_EQ(window_->Job().Count(), 1);
  EXPECT_EQ(window_->Job().At(0).Filename(), dir_.filePath("a.png"));
  EXPECT_EQ(window_->Job().At(0).Copies(), 3);
  EXPECT_EQ(Find<QSlider>("hsBright")->value(), 12);
  EXPECT_EQ(window_->PhotosDialog(), nullptr);
  ASSERT_EQ(ui_.Messages().size(), 2u);
  EXPECT_EQ(ui_.Messages()[0].text, "Open the last job?");
  EXPECT_EQ(ui_.Messages()[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(ui_.Messages()[0].icon, MsgIcon::Question);
  EXPECT_TRUE(ui_.MessageTexts()[1].contains(dir_.filePath("b.png")));

  // File, Save Job... writes the job under the name the save dialog gives, and
  // Open Job... adds that file's photos with their edits.
  ScriptedCommonDialogs dialogs;
  ScopedCommonDialogs scoped_dialogs(dialogs);
  const QString saved = dir_.filePath("saved.json");
  dialogs.AnswerFiles({saved});
  Find<QAction>("mnuSaveJob")->trigger();
  ASSERT_TRUE(QFileInfo::exists(saved));
  dialogs.AnswerFiles({saved});
  Find<QAction>("mnuOpenJob")->trigger();
  ASSERT_EQ(window_->Job().Count(), 2);
  EXPECT_EQ(window_->Job().At(1).Bright(), 12);
  ASSERT_EQ(dialogs.Requests().size(), 2u);
  EXPECT_EQ(dialogs.Requests()[0].kind, DialogKind::SaveFile);
  EXPECT_EQ(dialogs.Requests()[0].filter, "Job files|*.json");
  EXPECT_EQ(dialogs.Requests()[1].kind, DialogKind::OpenFiles);
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// On a full disk the window still closes, naming the files it could not write and
// why in one message, and keeps both files' old bytes; the next start then offers no
// job rather than the older one. A damaged last job is named instead of skipped.
TEST_F(MainWindowTest, FilesNotWrittenAtCloseAreNamedAndNoOlderJobIsOffered) {
  window_->AddFiles({Photo("a.png", 60, 40)});
  window_->close();
  const QByteArray older = FileBytes(LastJobPath());
  const QByteArray settings = FileBytes(SettingsFile());
  ASSERT_FALSE(older.isEmpty());

  NewWindow();
  window_->AddFiles({Photo("b.png", 60, 40), Photo("c.png", 60, 40)});
  {
    test::ScopedFileSizeLimit full_disk(8);
    ASSERT_TRUE(full_disk.Active());
    window_->close();
  }
  EXPECT_FALSE(window_->isVisible());
  ASSERT_EQ(ui_.Messages().size(), 1u);
  const QString text = ui_.MessageTexts()[0];
  EXPECT_TRUE(text.contains(SettingsFile()) && text.contains(LastJobPath())) << text.toStdString();
  EXPECT_TRUE(text.contains(QString::fromLocal8Bit(std::strerror(EFBIG))));
  EXPECT_EQ(FileBytes(LastJobPath()), older);
  EXPECT_EQ(FileBytes(SettingsFile()), settings);

  // The settings could not note it either: the next close that can write does, and a
  // damaged last job is then named at the start instead of being offered.
  ASSERT_TRUE(WriteIniValue("Options", "LastJobKept", "False"));
  Restart();
  EXPECT_EQ(ui_.Messages().size(), 1u);  // no question: the last close kept nothing
  if (auto* adding = window_->PhotosDialog()) adding->reject();
  ASSERT_TRUE(WriteIniValue("Options", "LastJobKept", "True"));
  test::PutFile(LastJobPath(), "{ \"version\": 1, \"photos\": [");
  Restart();
  ASSERT_EQ(ui_.Messages().size(), 2u);
  EXPECT_TRUE(ui_.MessageTexts()[1].startsWith("The last job could not be opened:"));
  EXPECT_TRUE(ui_.MessageTexts()[1].contains("last_job.json"));
  if (auto* adding = window_->PhotosDialog()) adding->reject();
}

// A close asked for while a print or a save run is going waits for the run's end:
// every page and file is written, then the window closes and keeps the job. A
// second print, preview or save asked for meanwhile opens nothing.
TEST_F(MainWindowTest, ACloseDuringARunWaitsForItsEnd) {
  ASSERT_TRUE(WriteIniValue("Options", "PdfFolder", dir_.filePath("pdf")));
  window_->AddFiles({Photo("a.png", 60, 40), Photo("b.png", 40, 60)});
  const auto print = [this] {
    test::AnswerDialog(ui_, "frmPrintDialog", [](QDialog& dialog) {
      auto* printers = dialog.findChild<QComboBox*>("cboPrinters");
      printers->setCurrentIndex(printers->findText(kPdfPrinterName));
      dialog.findChild<QLineEdit*>("txtSpoolWait")->setText("0");
      dialog.findChild<QPushButton*>("cmdPrint")->click();
    });
    Click("cmdPrint");
  };
  const auto save = [this] {
    Click("cmdSave");
    QWidget* dialog = test::ShownWindow("frmSavePhotos");
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit*>("txtSaveInFolder")->setText(dir_.filePath("out"));
    dialog->findChild<QComboBox*>("cboRenameAs")->setEditText("[Filename]");
    dialog->findChild<QPushButton*>("cmdSave")->click();
  };
  // Folder, files written, whether the information window stays open through the run.
  const std::tuple<std::function<void()>, QString, int, bool> cases[] = {
      {print, dir_.filePath("pdf"), 1, false}, {save, dir_.filePath("out"), 2, true}};
  ASSERT_TRUE(QDir().mkpath(dir_.filePath("out")));
  for (const auto& [run, folder, files, info_stays] : cases) {
    SCOPED_TRACE(folder.toStdString());
    window_->show();
    Click("cmdInfo");
    auto* info = window_->findChild<ImageInfoWindow*>();
    bool asked = false;
    bool open_after_close = false;
    QStringList nested;
    ui_.OnPoll([&](int) {
      if (asked || !ui_.ProgressShown()) return;
      asked = true;
      window_->close();
      open_after_close = window_->isVisible();
      // A nested print options dialog would be run through the Ui: note it.
      const std::size_t dialogs_run = ui_.DialogsRun().size();
      const auto shown = [] {
        QSet<QWidget*> windows;
        for (QWidget* widget : QApplication::topLevelWidgets())
          if (widget->isVisible()) windows.insert(widget);
        return windows;
      };
      const QSet<QWidget*> before = shown();
      for (const char* name : {"cmdPrint", "cmdPrintPreview", "cmdSave"})
        window_->findChild<QAction*>(name)->trigger();
      for (QWidget* widget : shown() - before) nested << widget->objectName();
      for (std::size_t i = dialogs_run; i < ui_.DialogsRun().size(); ++i)
        nested << ui_.DialogsRun()[i];
    });
    run();
    ui_.OnPoll(nullptr);
    EXPECT_EQ(info->isVisible(), info_stays);
    EXPECT_TRUE(open_after_close);  // the close was asked for during the run
    EXPECT_TRUE(nested.isEmpty()) << nested.join(u' ').toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), files);
    QFile::remove(LastJobPath());  // the waiting close keeps the job again
    ASSERT_FALSE(QFileInfo::exists(LastJobPath()));
    QCoreApplication::processEvents();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_TRUE(QFileInfo::exists(LastJobPath()));
  }
  // The only message: the print run's end, naming the file it wrote.
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_TRUE(ui_.MessageTexts()[0].startsWith("The pages were written to "));
}

// Every control of the program's dialogs says what it does, for the tool tip and for
// assistive tools, as the main window's do.
TEST_F(MainWindowTest, EveryDialogControlExplainsItself) {
  const auto in_file_dialog = [](const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget())
      if (qobject_cast<const QFileDialog*>(widget)) return true;
    return false;
  };
  const auto untipped = [&in_file_dialog](QWidget& dialog) {
    QStringList names;
    for (QWidget* control : dialog.findChildren<QWidget*>()) {
      // Qt's own file dialog and the line of an editable list explain themselves.
      if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(&dialog) ||
          qobject_cast<QComboBox*>(control->parentWidget()) || in_file_dialog(control))
        continue;
      const QString tip =
          QAccessible::queryAccessibleInterface(control)->text(QAccessible::Description);
      if (tip.isEmpty())
        names << QString::fromLatin1(control->metaObject()->className()) + u':' +
                     control->objectName();
    }
    return names;
  };
  QStringList missing;
  const auto check = [&](QDialog& dialog) { missing << untipped(dialog); };
  window_->AddFiles({Photo("a.png", 60, 40)});
  test::AnswerDialog(ui_, "frmJobSetup", [&](QDialog& settings) {
    check(settings);
    test::AnswerDialog(ui_, "frmPreferences", check);
    settings.findChild<QPushButton*>("cmdPreferences")->click();
    test::AnswerDialog(ui_, "frmUserSize", check);
    settings.findChild<QPushButton*>("cmdNewUserSize")->click();
  });
  Find<QAction>("cmdJobSetup")->trigger();
  test::AnswerDialog(ui_, "frmPrintDialog", check);
  Find<QAction>("cmdPrint")->trigger();
  Click("cmdSave");
  QWidget* save = test::ShownWindow("frmSavePhotos");
  ASSERT_NE(save, nullptr);
  check(*static_cast<QDialog*>(save));
  save->close();
  Click("cmdAdd");
  ASSERT_NE(window_->PhotosDialog(), nullptr);
  check(*window_->PhotosDialog());
  window_->PhotosDialog()->reject();
  EXPECT_EQ(ui_.DialogsRun(), (std::vector<QString>{"frmJobSetup", "frmPreferences", "frmUserSize",
                                                    "frmPrintDialog"}));
  EXPECT_TRUE(missing.isEmpty()) << missing.join(u' ').toStdString();
}

}  // namespace
}  // namespace tessaly
