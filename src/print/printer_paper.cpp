// Paper lookups, the names of papers a printer does not name itself, and what a
// device with one sheet of its own answers about media.
#include "print/printer_paper.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

#include "print/printer_device.h"

namespace tessaly {
namespace {

// "8.50" → "8.5", "210.00" → "210".
QString Dimension(const QString& text) {
  QString shown = text;
  if (shown.contains(u'.')) {
    while (shown.endsWith(u'0')) shown.chop(1);
    if (shown.endsWith(u'.')) shown.chop(1);
  }
  return shown;
}

// The common name of a size class: "a4" → "A4", "letter" → "Letter"; "" for others.
QString CommonName(const QString& name) {
  static const QRegularExpression kSeries(QStringLiteral("^[abc][0-9]{1,2}$"));
  if (kSeries.match(name).hasMatch()) return name.toUpper();
  for (const char* common : {"letter", "legal", "ledger", "executive", "tabloid"}) {
    if (name == QLatin1String(common)) return name.left(1).toUpper() + name.mid(1);
  }
  return QString();
}

}  // namespace

bool PrinterPaper::Borderless() const {
  return left_mm == 0 && right_mm == 0 && top_mm == 0 && bottom_mm == 0;
}

double PrinterPaper::Margin() const {
  return std::max({left_mm, right_mm, top_mm, bottom_mm});
}

int FindPaper(const std::vector<PrinterPaper>& papers, const QString& name) {
  for (std::size_t i = 0; i < papers.size(); ++i) {
    const PrinterPaper& p = papers[i];
    for (const QString& known : {p.name, PaperNameFromKey(p.key, p.Borderless()), PaperKey(p)}) {
      if (known.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    }
  }
  return -1;
}

QString PaperKey(const PrinterPaper& paper) {
  return paper.Borderless() ? paper.key + QStringLiteral("_borderless") : paper.key;
}

int FindChoice(const std::vector<MediaChoice>& choices, const QString& name) {
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].name.compare(name, Qt::CaseInsensitive) == 0 ||
        choices[i].key.compare(name, Qt::CaseInsensitive) == 0)
      return static_cast<int>(i);
  }
  return -1;
}

QString PaperNameFromKey(const QString& key, bool borderless) {
  // class_name_WxHunit, the size part last.
  static const QRegularExpression kSize(QStringLiteral("^([0-9.]+)x([0-9.]+)(mm|in)$"));
  const QStringList parts = key.split(u'_');
  QString name = key;
  if (parts.size() >= 3) {
    const QRegularExpressionMatch size = kSize.match(parts[2]);
    if (size.hasMatch()) {
      const QString dims = Dimension(size.captured(1)) + QStringLiteral(" x ") +
                           Dimension(size.captured(2)) + u' ' + size.captured(3);
      const QString common = CommonName(parts[1]);
      name = common.isEmpty() ? dims : common + QStringLiteral(" (") + dims + u')';
    }
  }
  return borderless ? name + QStringLiteral(" borderless") : name;
}

const PrinterMedia& PrinterDevice::Media() const {
  static const PrinterMedia kNone;
  return kNone;
}

bool PrinterDevice::ChooseMedia(const MediaChosen& chosen) {
  return chosen.paper == -1 && chosen.type == -1 && chosen.quality == -1 && chosen.source == -1;
}

std::vector<DocumentFate> PrinterDevice::FollowDocuments(const std::function<bool()>&) {
  return {};
}

}  // namespace tessaly
