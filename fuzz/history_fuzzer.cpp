// Fuzz target: arbitrary bytes as one line of an edit-history file. A line that
// parses must format to a line that parses back to the same record.
#include <cstdint>
#include <cstdlib>

#include "job/history_store.h"

namespace {

bool SameRecord(const tessaly::HistoryLine& a, const tessaly::HistoryLine& b) {
  const tessaly::HistoryEdits& x = a.edits;
  const tessaly::HistoryEdits& y = b.edits;
  return a.key.day == b.key.day && a.key.time == b.key.time &&
         tessaly::HistoryText(a.name) == b.name && tessaly::HistoryText(x.label) == y.label &&
         x.bright == y.bright && x.contrast == y.contrast && x.gamma100 == y.gamma100 &&
         x.red == y.red && x.green == y.green && x.blue == y.blue && x.saturation == y.saturation &&
         x.unsharp == y.unsharp && x.x0 == y.x0 && x.y0 == y.y0 && x.x1 == y.x1 && x.y1 == y.y1 &&
         x.angle == y.angle && a.printed_day == b.printed_day;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  tessaly::HistoryLine line;
  if (!tessaly::ParseHistoryLine(bytes, line)) return 0;
  tessaly::HistoryLine again;
  if (!tessaly::ParseHistoryLine(tessaly::FormatHistoryLine(line), again)) std::abort();
  if (!SameRecord(line, again)) std::abort();
  return 0;
}
