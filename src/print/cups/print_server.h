// Whether the print server answers, so that a server that accepts connections but
// never answers (a network print server that hangs) cannot hold up the window: the
// catalogue asks the server nothing else until a short IPP request of its own came
// back, and a page is handed over on a connection whose every wait has a deadline.
// A result is kept for kServerCheckSeconds, so that one listing asks once; no server
// at all (refused, no socket) is known at once.
#pragma once

#include <cups/cups.h>

#include <chrono>

namespace tessaly {

// How long the server may take to answer the check (it then takes about a second
// more to give up), and how long a result stands.
inline constexpr int kServerAnswerMs = 1000;
inline constexpr int kServerCheckSeconds = 10;
// The longest a page's hand-over may wait on the server, connecting included.
inline constexpr int kHandOverSeconds = 25;

// True when the print server answered its check within kServerAnswerMs.
bool PrintServerAnswers();

// Forgets the kept result (tests and a server chosen anew).
void ForgetPrintServerCheck();

// A connection to the print server on which no wait lasts beyond `seconds` from its
// making; Http() is null when none could be made in that time.
class DeadlineConnection {
 public:
  explicit DeadlineConnection(int seconds);
  ~DeadlineConnection();
  DeadlineConnection(const DeadlineConnection&) = delete;
  DeadlineConnection& operator=(const DeadlineConnection&) = delete;

  http_t* Http() const { return http_; }

 private:
  std::chrono::steady_clock::time_point deadline_;
  http_t* http_ = nullptr;
};

}  // namespace tessaly
