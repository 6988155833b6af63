// Self-pipe from the signal handlers to a socket notifier in the event loop.
#include "ui/close_on_signal.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>

namespace tessaly {
namespace {

int g_pipe[2] = {-1, -1};

void WriteWakeByte(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
}

}  // namespace

bool CloseWindowsOnSignals() {
  if (g_pipe[0] >= 0) return true;
  if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    QApplication::closeAllWindows();
  });
  struct sigaction action = {};
  action.sa_handler = WriteWakeByte;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  bool ok = true;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP})
    ok = ::sigaction(signal, &action, nullptr) == 0 && ok;
  return ok;
}

}  // namespace tessaly
