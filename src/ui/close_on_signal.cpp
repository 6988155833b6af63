// Self-pipe from the signal handlers to a socket notifier in the event loop, and a
// second pipe that wakes the watchdog thread.
#include "ui/close_on_signal.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <thread>

#include "controls/ui_service.h"

namespace tessaly {
namespace {

// How often the program looks whether every window has closed after a signal.
constexpr int kQuitCheckMs = 50;

int g_pipe[2] = {-1, -1};
int g_watchdog_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_signal = 0;

void OnSignal(int signal) {
  if (g_signal != 0) _exit(128 + signal);
  g_signal = signal;
  const char byte = 1;
  [[maybe_unused]] ssize_t written = ::write(g_pipe[1], &byte, 1);
  written = ::write(g_watchdog_pipe[1], &byte, 1);
}

bool AnyWindowShown() {
  for (const QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) return true;
  return false;
}

// Quits as soon as every window has gone: a main window that waits for its run
// closes when the cancelled run has stopped.
void QuitOnceClosed() {
  if (!AnyWindowShown()) {
    QCoreApplication::quit();
    return;
  }
  QTimer::singleShot(kQuitCheckMs, qApp, QuitOnceClosed);
}

void EndInEventLoop() {
  char bytes[16];
  while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
  }
  CurrentUi().SetCancelRequested(true);
  QApplication::closeAllWindows();
  QuitOnceClosed();
}

// Runs with the three signals blocked, so that they reach the main thread and no
// handler cuts its wait short.
void Watchdog() {
  char byte = 0;
  while (::read(g_watchdog_pipe[0], &byte, 1) < 0 && errno == EINTR) {
  }
  timespec left = {kGraceSeconds, 0};
  while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
  _exit(128 + g_signal);
}

}  // namespace

bool EndRequested() {
  return g_signal != 0;
}

bool CloseWindowsOnSignals() {
  if (g_pipe[0] >= 0) return true;
  if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  if (::pipe2(g_watchdog_pipe, O_CLOEXEC) != 0) return false;
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, EndInEventLoop);
  sigset_t ending, previous;
  sigemptyset(&ending);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&ending, signal);
  ::pthread_sigmask(SIG_BLOCK, &ending, &previous);
  std::thread(Watchdog).detach();
  ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  bool ok = true;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP})
    ok = ::sigaction(signal, &action, nullptr) == 0 && ok;
  return ok;
}

}  // namespace tessaly
