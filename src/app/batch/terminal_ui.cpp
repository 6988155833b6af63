// Messages, answers, progress lines and Ctrl-C (and SIGTERM, SIGHUP) for the batch
// command.
#include "app/batch/terminal_ui.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <csignal>
#include <cstdio>

namespace tessaly::batch {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) {
  g_interrupted = 1;
}

// Width of the bar's track in characters, and the width assumed when the terminal
// does not say.
constexpr int kBarTrack = 24;
constexpr int kDefaultColumns = 80;

int TerminalColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return kDefaultColumns;
}

void Print(const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stderr);
  std::fflush(stderr);
}

// A message or progress text as terminal lines: CR LF and lone CR become LF.
QString TerminalText(const QString& text) {
  QString lines = text;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lines.replace(u'\r', u'\n');
  return lines;
}

}  // namespace

TerminalUi::TerminalUi(bool ignore_errors, bool progress_bar)
    : ignore_errors_(ignore_errors), progress_bar_(progress_bar) {}

void TerminalUi::CatchInterrupt() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // The handler is removed when it runs, so a second Ctrl-C ends a stuck process.
  action.sa_flags = SA_RESETHAND;
  // A stop asked by a service manager or a closed terminal ends the run as cleanly.
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

MsgAnswer TerminalUi::MessageBox(const QString& text, MsgButtons buttons, MsgIcon, const QString&) {
  ClearBar();
  Print(TerminalText(text) + u'\n');
  if (buttons == MsgButtons::AbortRetryIgnore && ignore_errors_) return MsgAnswer::Ignore;
  return NeverLoopingAnswer(buttons);
}

bool TerminalUi::InputBox(const QString&, const QString&, QString&) {
  return false;
}

void TerminalUi::LetMessagesRun() {
  QCoreApplication::processEvents();
  if (g_interrupted) SetCancelRequested(true);
}

void TerminalUi::ShowProgress(RunKind, const QString& text) {
  // Progress texts hold their own line breaks ("Saving file 2 of 5.", two breaks,
  // the step); on one line they read as one sentence.
  QString line = TerminalText(text);
  static const QRegularExpression breaks(QStringLiteral("\n+"));
  line.replace(breaks, QStringLiteral(" "));
  // An empty text only opens the progress window; there is nothing to show yet.
  if (line.isEmpty()) {
    LetMessagesRun();
    return;
  }
  if (!progress_bar_) {
    Print(line + u'\n');
  } else {
    // "n of m" in the text gives the bar's fill: the photos finished before this one.
    static const QRegularExpression counter(QStringLiteral("(\\d+) of (\\d+)"));
    const QRegularExpressionMatch match = counter.match(line);
    QString bar;
    if (match.hasMatch() && match.captured(2).toInt() > 0) {
      const int done = std::clamp(match.captured(1).toInt() - 1, 0, match.captured(2).toInt());
      const int filled = done * kBarTrack / match.captured(2).toInt();
      bar = u'[' + QString(filled, u'#') + QString(kBarTrack - filled, u'.') + QStringLiteral("] ");
    }
    const QString shown = (bar + line).left(TerminalColumns() - 1);
    Print(QStringLiteral("\r\033[K") + shown);
    bar_shown_ = true;
  }
  LetMessagesRun();
}

void TerminalUi::HideProgress() {
  if (bar_shown_) Print(QStringLiteral("\n"));
  bar_shown_ = false;
}

void TerminalUi::ClearBar() {
  if (bar_shown_) Print(QStringLiteral("\r\033[K"));
  bar_shown_ = false;
}

}  // namespace tessaly::batch
