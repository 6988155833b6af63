// A Get-Job-Attributes request for the state, the state reasons and the printer's
// message of one job.
#include "print/cups/job_state.h"

#include <QStringList>
#include <algorithm>

namespace tessaly {
namespace {

// Bounds on the words of an answer.
constexpr int kMaxReasons = 20;
constexpr int kMaxReasonChars = 500;

}  // namespace

bool AskJobState(http_t* http, int job, JobState& state) {
  if (http == nullptr || job <= 0) return false;
  ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                   "/jobs/%d", job);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  static const char* const kWanted[] = {"job-state", "job-state-reasons",
                                        "job-printer-state-message"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr,
                kWanted);
  ipp_t* response = cupsDoRequest(http, request, "/");
  ipp_attribute_t* found =
      response != nullptr ? ippFindAttribute(response, "job-state", IPP_TAG_ENUM) : nullptr;
  if (found == nullptr) {
    ippDelete(response);
    return false;
  }
  state.state = static_cast<ipp_jstate_t>(ippGetInteger(found, 0));
  QStringList reasons;
  bool queue_stopped = false;
  if (ipp_attribute_t* list = ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD)) {
    for (int i = 0; i < std::min(ippGetCount(list), kMaxReasons); ++i) {
      const QString reason = QString::fromUtf8(ippGetString(list, i, nullptr));
      if (reason == QLatin1String("printer-stopped")) queue_stopped = true;
      if (reason != QLatin1String("none") && !reason.isEmpty()) reasons << reason;
    }
  }
  QString message;
  if (ipp_attribute_t* text = ippFindAttribute(response, "job-printer-state-message", IPP_TAG_TEXT))
    message = QString::fromUtf8(ippGetString(text, 0, nullptr)).left(kMaxReasonChars).trimmed();
  state.reason = !message.isEmpty() ? message : reasons.join(QStringLiteral(", "));
  if (queue_stopped && state.state < IPP_JSTATE_STOPPED) state.state = IPP_JSTATE_STOPPED;
  ippDelete(response);
  return true;
}

}  // namespace tessaly
