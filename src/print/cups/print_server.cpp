// The check is a CUPS-Get-Default request on a connection of its own with a timeout
// callback that gives up; any IPP answer counts ("no default printer" included).
#include "print/cups/print_server.h"

#include <optional>

namespace tessaly {
namespace {

using Clock = std::chrono::steady_clock;

struct KeptCheck {
  Clock::time_point when;
  bool answers = false;
};
std::optional<KeptCheck> g_kept;

// Gives up once the deadline `data` points at has passed.
int WithinDeadline(http_t*, void* data) {
  return Clock::now() < *static_cast<Clock::time_point*>(data) ? 1 : 0;
}

bool AskServer() {
  const auto deadline = Clock::now() + std::chrono::milliseconds(kServerAnswerMs);
  http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              kServerAnswerMs, nullptr);
  if (http == nullptr) return false;
  auto until = deadline;
  httpSetTimeout(http, kServerAnswerMs / 1000.0, WithinDeadline, &until);
  ipp_t* response = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
  const bool answered = response != nullptr;
  ippDelete(response);
  httpClose(http);
  return answered;
}

}  // namespace

bool PrintServerAnswers() {
  const Clock::time_point now = Clock::now();
  if (!g_kept || now - g_kept->when > std::chrono::seconds(kServerCheckSeconds))
    g_kept = KeptCheck{now, AskServer()};
  return g_kept->answers;
}

void ForgetPrintServerCheck() {
  g_kept.reset();
}

DeadlineConnection::DeadlineConnection(int seconds)
    : deadline_(Clock::now() + std::chrono::seconds(seconds)) {
  http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                       seconds * 1000, nullptr);
  // The callback is asked each second that a wait goes on.
  if (http_ != nullptr) httpSetTimeout(http_, 1.0, WithinDeadline, &deadline_);
}

DeadlineConnection::~DeadlineConnection() {
  if (http_ != nullptr) httpClose(http_);
}

}  // namespace tessaly
