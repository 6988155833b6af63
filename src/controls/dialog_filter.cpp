// Classic "description|patterns" filter text to case-insensitive Qt name filters.
#include "controls/dialog_filter.h"

namespace tessaly {
namespace {

// Every letter outside a [...] set becomes the set of its two cases.
QString EitherCase(const QString& pattern) {
  QString out;
  bool in_set = false;
  for (const QChar c : pattern) {
    if (c == u'[') in_set = true;
    if (c == u']') in_set = false;
    const QChar lower = c.toLower();
    const QChar upper = c.toUpper();
    if (in_set || lower == upper) {
      out += c;
    } else {
      out += u'[';
      out += lower;
      out += upper;
      out += u']';
    }
  }
  return out;
}

}  // namespace

QStringList QtNameFilters(const QString& classic_filter) {
  const QStringList parts = classic_filter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
      const QString trimmed = p.trimmed();
      if (!trimmed.isEmpty()) patterns << EitherCase(trimmed);
    }
    if (patterns.isEmpty()) continue;
    filters << parts[i].trimmed() + QStringLiteral(" (") + patterns.join(u' ') + u')';
  }
  return filters;
}

}  // namespace tessaly
