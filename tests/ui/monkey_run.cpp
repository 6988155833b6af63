// A seeded random run over the window program: the real main window with the real
// Ui and common dialogs on the offscreen platform, in a scratch home with a few
// photos (one damaged, one not a picture), driven by random clicks, drags, keys and
// typed text on whatever window is in front, message boxes and file dialogs
// included, then closed. It prints its seed; `--seed N` replays a run as closely as
// the event timing allows. A crash or a sanitizer report ends the process; a window
// that answers nothing for kHangSeconds is reported by a watchdog thread, which
// aborts. File dialogs only ever get names inside the scratch folder, and there is
// no print server: the built-in PDF printer prints into the scratch folder.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "colour/colour_profiles.h"
#include "controls/common_dialogs.h"
#include "controls/utils.h"
#include "print/cups/cups_printer_catalogue.h"
#include "settings/settings_file.h"
#include "surface/codec_session.h"
#include "ui/button_on_off.h"
#include "ui/main_window.h"
#include "ui/open_photos_dialog.h"
#include "ui/qt_common_dialogs.h"
#include "ui/qt_ui.h"
#include "workspace/job_session.h"

namespace tessaly {
namespace {

constexpr int kHangSeconds = 10;
constexpr int kDefaultActions = 2000;
constexpr int kMaxActions = 1000000;
// Ticks allowed for closing everything once the actions are done.
constexpr int kClosingTicks = 3000;
// Milliseconds between actions.
constexpr int kTickMs = 4;
// How deep actions may nest inside the loops of modal dialogs and runs.
constexpr int kMaxDepth = 12;
// The last actions printed when the run hangs.
constexpr std::size_t kRecentActions = 25;

std::atomic<long> g_ticks{0};
std::atomic<bool> g_done{false};
std::mutex g_recent_mutex;
std::deque<std::string> g_recent;
unsigned g_seed = 0;

void Note(const std::string& action, bool verbose) {
  if (verbose) std::fprintf(stderr, "monkey: %s\n", action.c_str());
  const std::lock_guard<std::mutex> lock(g_recent_mutex);
  g_recent.push_back(action);
  if (g_recent.size() > kRecentActions) g_recent.pop_front();
}

// Aborts, with the seed and the last actions, when no tick came for kHangSeconds.
void Watchdog() {
  long last = -1;
  auto since = std::chrono::steady_clock::now();
  while (!g_done) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const long now = g_ticks;
    if (now != last) {
      last = now;
      since = std::chrono::steady_clock::now();
      continue;
    }
    if (std::chrono::steady_clock::now() - since < std::chrono::seconds(kHangSeconds)) continue;
    const std::lock_guard<std::mutex> lock(g_recent_mutex);
    std::fprintf(stderr, "monkey: HANG: no event for %d s (seed %u); last actions:\n", kHangSeconds,
                 g_seed);
    for (const std::string& action : g_recent) std::fprintf(stderr, "  %s\n", action.c_str());
    std::abort();
  }
}

bool InsideFileDialog(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget())
    if (qobject_cast<const QFileDialog*>(w)) return true;
  return false;
}

class Monkey : public QObject {
 public:
  Monkey(unsigned seed, int actions, const QString& scratch, MainWindow& window, bool verbose)
      : random_(seed), actions_(actions), scratch_(scratch), window_(window), verbose_(verbose) {}

  void Begin() { QTimer::singleShot(0, this, &Monkey::Tick); }
  int Done() const { return done_; }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Pick(100) < percent; }
  QString Name(const QObject* o) const {
    return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                     : o->objectName();
  }
  void Say(const QString& what) {
    Note(QStringLiteral("%1: %2").arg(done_).arg(what).toStdString(), verbose_);
  }

  // Each tick first asks for the next one as a timer of its own: a timer does not
  // fire again while its own handler runs, and an action may open a modal dialog or
  // a long run whose loop the next actions must reach. The pause between actions is
  // longer than a click's own moment of letting messages run, as a person's is, but
  // far shorter than a run.
  void Tick() {
    ++g_ticks;
    if (finished_) return;
    QTimer::singleShot(kTickMs, this, &Monkey::Tick);
    const DepthScope depth(depth_);
    if (done_ >= actions_) {
      Close();
      return;
    }
    // Deep inside nested loops only what unwinds them is done.
    if (depth_ > kMaxDepth) {
      if (QWidget* modal = QApplication::activeModalWidget()) Dismiss(modal);
      return;
    }
    ++done_;
    if (QWidget* popup = QApplication::activePopupWidget()) return ActOnPopup(popup);
    if (QWidget* modal = QApplication::activeModalWidget()) return ActOn(modal);
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->isEnabled()) windows << w;
    if (windows.isEmpty()) {
      QStringList state;
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) state << Name(w) + (w->isEnabled() ? "" : " (disabled)");
      Say("no window to act on: " + state.join(", "));
      return;
    }
    // The main window most of the time: it holds most of the commands.
    QWidget* window = Chance(70) && window_.isEnabled() && window_.isVisible()
                          ? &window_
                          : windows[Pick(static_cast<int>(windows.size()))];
    if (window != &window_ && Chance(5)) {
      Say("close " + Name(window));
      window->close();
      return;
    }
    ActOn(window);
  }

  void ActOnPopup(QWidget* popup) {
    Say("popup " + Name(popup));
    if (Chance(40)) return QTest::keyClick(popup, Qt::Key_Escape);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
  }

  void ActOn(QWidget* window) {
    if (auto* files = qobject_cast<QFileDialog*>(window)) return AnswerFileDialog(files);
    if (auto* box = qobject_cast<QMessageBox*>(window)) {
      const QList<QAbstractButton*> buttons = box->buttons();
      if (buttons.isEmpty()) return;
      QAbstractButton* button = buttons[Pick(static_cast<int>(buttons.size()))];
      Say("box '" + box->text().left(40) + "' -> " + button->text());
      return button->click();
    }
    if (window == &window_ && Chance(10)) return Shortcut();
    if (auto* adding = qobject_cast<OpenPhotosDialog*>(window); adding && Chance(40)) {
      if (auto* files = adding->findChild<QFileDialog*>()) return AnswerFileDialog(files);
    }
    QList<QWidget*> targets;
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (!w->isVisible() || !w->isEnabled() || InsideFileDialog(w)) continue;
      // The exit command would end the run early; screen colour picking grabs the
      // pointer.
      if (w->objectName() == QLatin1String("cmdSair")) continue;
      if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->text().contains("Pick Screen"))
        continue;
      if (qobject_cast<QAbstractButton*>(w) || qobject_cast<ButtonOnOff*>(w) ||
          qobject_cast<QSlider*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
          qobject_cast<QScrollBar*>(w) || w->objectName() == QLatin1String("Picture1") ||
          w->objectName() == QLatin1String("TumbContainer"))
        targets << w;
    }
    if (targets.isEmpty()) {
      if (auto* dialog = qobject_cast<QDialog*>(window)) {
        Say("reject " + Name(dialog));
        dialog->reject();
      }
      return;
    }
    // An empty folder box is filled first most of the time, and a dialog's Cancel or
    // Close is picked less often than the rest, so that runs get started.
    for (QWidget* w : targets) {
      auto* edit = qobject_cast<QLineEdit*>(w);
      if (edit && edit->objectName().contains(QLatin1String("Folder")) && edit->text().isEmpty() &&
          Chance(60))
        return Type(edit);
    }
    QWidget* target = targets[Pick(static_cast<int>(targets.size()))];
    const QString name = target->objectName();
    if ((name == QLatin1String("cmdCancel") || name == QLatin1String("cmdClose")) && Chance(70))
      target = targets[Pick(static_cast<int>(targets.size()))];
    Operate(target);
  }

  void Operate(QWidget* w) {
    const QPoint middle = w->rect().center();
    if (auto* slider = qobject_cast<QSlider*>(w)) {
      const int value = slider->minimum() + Pick(slider->maximum() - slider->minimum() + 1);
      Say(QStringLiteral("slider %1 -> %2").arg(Name(w)).arg(value));
      if (Chance(50)) return slider->setValue(value);
      return Drag(w, Qt::LeftButton);
    }
    if (auto* bar = qobject_cast<QScrollBar*>(w)) {
      Say("scroll " + Name(w));
      return bar->setValue(bar->minimum() + Pick(bar->maximum() - bar->minimum() + 1));
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
      Say("combo " + Name(w));
      if (combo->isEditable() && Chance(30)) return Type(combo->lineEdit());
      return QTest::keyClick(combo, Chance(50) ? Qt::Key_Down : Qt::Key_Up);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return Type(edit);
    if (w->objectName() == QLatin1String("Picture1")) {
      Say("drag on the photo");
      return Drag(w, Chance(85) ? Qt::LeftButton : Qt::RightButton);
    }
    const Qt::MouseButton button = Chance(8) ? Qt::RightButton : Qt::LeftButton;
    Say(QStringLiteral("click %1%2 in %3")
            .arg(Name(w), button == Qt::RightButton ? " (right)" : "", Name(w->window())));
    const QPoint at = w->objectName() == QLatin1String("TumbContainer")
                          ? QPoint(Pick(std::max(1, w->width())), Pick(std::max(1, w->height())))
                          : middle;
    QTest::mouseClick(w, button, {}, at);
  }

  void Drag(QWidget* w, Qt::MouseButton button) {
    const auto point = [this, w] {
      return QPoint(Pick(std::max(1, w->width())), Pick(std::max(1, w->height())));
    };
    QPointer<QWidget> target(w);
    QTest::mousePress(w, button, {}, point());
    for (int i = 0; i < 3 && target; ++i) QTest::mouseMove(w, point());
    if (target) QTest::mouseRelease(w, button, {}, point());
  }

  void Type(QLineEdit* edit) {
    static const char* const kTexts[] = {"3",
                                         "0",
                                         "12",
                                         "9999",
                                         "100000000000",
                                         "-5",
                                         "abc",
                                         "1.5",
                                         "0,5",
                                         "[Filename]",
                                         "[Date-] x",
                                         "a:b",
                                         "family at the lake, summer",
                                         "",
                                         "300",
                                         "1000",
                                         "  7  ",
                                         "\xc3\xa9t\xc3\xa9 \xe2\x80\x94 \xe2\x9c\x93"};
    QString text = QString::fromUtf8(kTexts[Pick(static_cast<int>(std::size(kTexts)))]) +
                   (Chance(10) ? QString(Pick(300), QLatin1Char('W')) : QString());
    // A folder box mostly gets a folder of the scratch tree.
    if (edit->objectName().contains(QLatin1String("Folder")) && Chance(70))
      text = scratch_ + (Chance(80) ? "/out" : "/missing");
    Say("type '" + text.left(40) + "' into " + Name(edit));
    QPointer<QLineEdit> target(edit);
    edit->setFocus();
    if (Chance(70)) QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (Chance(20)) QTest::keyClick(edit, Qt::Key_Delete);
    // Keys for ASCII text; other text arrives as an input method or a paste gives it.
    bool ascii = true;
    for (const QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (target && ascii) QTest::keyClicks(edit, text);
    if (target && !ascii) edit->insert(text);
    if (target && Chance(50)) QTest::keyClick(edit, Chance(50) ? Qt::Key_Tab : Qt::Key_Return);
  }

  void Shortcut() {
    struct Keys {
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
    };
    static const Keys kKeys[] = {
        {Qt::Key_L, Qt::ControlModifier},
        {Qt::Key_R, Qt::ControlModifier},
        {Qt::Key_T, Qt::ControlModifier},
        {Qt::Key_0, Qt::ControlModifier},
        {Qt::Key_Delete, {}},
        {Qt::Key_PageUp, {}},
        {Qt::Key_PageDown, {}},
        {Qt::Key_I, Qt::ControlModifier},
        {Qt::Key_Comma, Qt::ControlModifier},
        {Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_P, Qt::ControlModifier},
        {Qt::Key_S, Qt::ControlModifier},
        {Qt::Key_O, Qt::ControlModifier},
        {Qt::Key_F1, {}},
        {Qt::Key_Escape, {}},
    };
    const Keys& k = kKeys[Pick(static_cast<int>(std::size(kKeys)))];
    Say(QStringLiteral("key %1").arg(QKeySequence(k.key | k.modifiers).toString()));
    if (Chance(15)) {
      // The File menu's commands.
      const QList<QAction*> menu = window_.findChildren<QAction*>(QRegularExpression("^mnu"));
      if (!menu.isEmpty()) return menu[Pick(static_cast<int>(menu.size()))]->trigger();
    }
    QTest::keyClick(&window_, k.key, k.modifiers);
  }

  // File dialogs get names inside the scratch folder only, or are cancelled.
  void AnswerFileDialog(QFileDialog* files) {
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (Chance(25) || name == nullptr) {
      Say("cancel " + Name(files));
      return files->reject();
    }
    const QDir photos(scratch_ + "/photos");
    QString chosen;
    if (files->fileMode() == QFileDialog::Directory) {
      chosen = scratch_ + (Chance(70) ? "/out" : "/missing");
    } else if (files->acceptMode() == QFileDialog::AcceptSave) {
      chosen = scratch_ + QStringLiteral("/jobs/job%1.json").arg(Pick(3));
    } else {
      QStringList all = photos.entryList(QDir::Files, QDir::Name);
      for (const QString& job : QDir(scratch_ + "/jobs").entryList(QDir::Files))
        all << "../jobs/" + job;
      const int count = 1 + Pick(files->fileMode() == QFileDialog::ExistingFiles ? 4 : 1);
      QStringList quoted;
      for (int i = 0; i < count && !all.isEmpty(); ++i)
        quoted << '"' + all[Pick(static_cast<int>(all.size()))] + '"';
      files->setDirectory(photos);
      chosen = quoted.size() == 1 ? photos.filePath(quoted.front().mid(1).chopped(1))
                                  : quoted.join(u' ');
    }
    Say("file dialog " + Name(files) + " <- " + chosen.left(60));
    name->setText(chosen);
    QMetaObject::invokeMethod(files, "accept");
  }

  // Answers what is still open, asks every window to close (cancelling a run) and
  // quits once none is shown.
  void Close() {
    if (++closing_ > kClosingTicks) {
      std::fprintf(stderr, "monkey: the windows did not close (seed %u)\n", g_seed);
      std::abort();
    }
    if (QWidget* popup = QApplication::activePopupWidget()) {
      popup->close();
      return;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) return Dismiss(modal);
    CurrentUi().SetCancelRequested(true);
    bool shown = false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible()) continue;
      shown = true;
      if (w != &window_) w->close();
    }
    if (window_.isVisible()) window_.close();
    if (!shown) {
      finished_ = true;
      QCoreApplication::quit();
    }
  }

  void Dismiss(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    auto* dialog = qobject_cast<QDialog*>(modal);
    Say("dismiss " + Name(modal));
    if (box && !box->buttons().isEmpty()) {
      box->buttons().back()->click();
    } else if (dialog) {
      dialog->reject();
    } else {
      modal->close();
    }
  }

  struct DepthScope {
    explicit DepthScope(int& depth) : depth_(depth) { ++depth_; }
    ~DepthScope() { --depth_; }
    int& depth_;
  };

  std::mt19937 random_;
  const int actions_;
  const QString scratch_;
  MainWindow& window_;
  const bool verbose_;
  int done_ = 0;
  int closing_ = 0;
  int depth_ = 0;
  bool finished_ = false;
};

void WritePhotos(const QString& folder) {
  const struct {
    const char* name;
    int width;
    int height;
  } kPhotos[] = {{"beach.jpg", 320, 240}, {"portrait.jpg", 180, 300}, {"square.png", 200, 200},
                 {"wide.png", 400, 120},  {"tiny.bmp", 8, 5},         {"tall.tif", 90, 260}};
  int hue = 0;
  for (const auto& p : kPhotos) {
    QImage image(p.width, p.height, QImage::Format_RGB32);
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x)
        image.setPixelColor(x, y, QColor::fromHsv((hue + x) % 360, 200, 55 + (200 * y) / p.height));
    hue += 60;
    image.save(folder + "/" + p.name);
  }
  // A JPEG cut short, and a file that is no picture at all.
  QFile whole(folder + "/beach.jpg");
  whole.open(QIODevice::ReadOnly);
  QFile cut(folder + "/damaged.jpg");
  cut.open(QIODevice::WriteOnly);
  cut.write(whole.read(whole.size() / 2));
  QFile text(folder + "/notes.jpg");
  text.open(QIODevice::WriteOnly);
  text.write("not a picture\n");
}

}  // namespace
}  // namespace tessaly

int main(int argc, char** argv) {
  using namespace tessaly;
  std::random_device entropy;
  unsigned seed = entropy();
  int actions = kDefaultActions;
  bool verbose = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--seed" && i + 1 < argc) {
      seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    } else if (arg == "--actions" && i + 1 < argc) {
      actions = std::atoi(argv[++i]);
    } else if (arg == "--verbose") {
      verbose = true;
    } else {
      std::fprintf(stderr, "usage: %s [--seed N] [--actions 1..%d] [--verbose]\n", argv[0],
                   kMaxActions);
      return 2;
    }
  }
  if (actions < 1 || actions > kMaxActions) {
    std::fprintf(stderr, "monkey: --actions must be 1 to %d\n", kMaxActions);
    return 2;
  }
  g_seed = seed;
  std::fprintf(stderr, "monkey: seed %u, %d actions (replay with --seed %u)\n", seed, actions,
               seed);

  QTemporaryDir scratch;
  if (!scratch.isValid()) return 1;
  const QString root = scratch.path();
  for (const char* folder :
       {"home", "config", "data", "cache", "run", "photos", "jobs", "out", "pdf"})
    QDir(root).mkpath(QString::fromLatin1(folder));
  QFile::setPermissions(root + "/run",
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("HOME", QFile::encodeName(root + "/home"));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + "/config"));
  qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/data"));
  qputenv("XDG_CACHE_HOME", QFile::encodeName(root + "/cache"));
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root + "/run"));
  // No print server: only the built-in PDF printer, which prints into the scratch folder.
  qputenv("CUPS_SERVER", QFile::encodeName(root + "/no-print-server.sock"));
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessaly"));
  WritePhotos(root + "/photos");
  SetSettingsFilePath(root + "/config/tessaly/Tesly.ini");
  WriteIniValue(QStringLiteral("Options"), QStringLiteral("PdfFolder"), root + "/pdf");
  WriteIniValue(QStringLiteral("Options"), QStringLiteral("InitPath"), root + "/photos");

  QtUi ui;
  ScopedUi installed_ui(ui);
  QtCommonDialogs dialogs;
  ScopedCommonDialogs installed_dialogs(dialogs);
  SetUrlOpener([](const QUrl&) { return true; });
  IgnoreColourErrors();
  if (!StartCodecSession()) return 1;

  std::thread watchdog(Watchdog);
  int done = 0;
  {
    CupsPrinterCatalogue printers;
    JobSession session(&printers);
    MainWindow window(session);
    dialogs.SetOwner(&window);
    window.show();
    Monkey monkey(seed, actions, root, window, verbose);
    QTimer::singleShot(0, &window, [&window] { window.Start({}); });
    monkey.Begin();
    QApplication::exec();
    done = monkey.Done();
  }
  g_done = true;
  watchdog.join();
  ShutdownCodecSession();
  const auto count = [&root](const char* folder) {
    return QDir(root + "/" + folder).entryList(QDir::Files).size();
  };
  std::fprintf(stderr,
               "monkey: seed %u: %d actions, %lld pages printed, %lld photos saved, no crash, no "
               "hang\n",
               seed, done, static_cast<long long>(count("pdf")),
               static_cast<long long>(count("out")));
  return done == actions ? 0 : 1;
}
