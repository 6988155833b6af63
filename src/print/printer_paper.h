// The papers, media types and print qualities a printer offers, as the printer lists
// them, and which of them a job uses. Sizes and margins are millimetres with the
// paper upright. A borderless entry has all four margins 0. The printable area the
// layout sees is the sheet less the largest of the four margins on every side, so
// that it sits as far from the left edge as from the top on any paper.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tessaly {

struct PrinterPaper {
  QString key;   // the printer's own name of the size ("na_index-4x6_4x6in")
  QString name;  // as the user sees it; a borderless entry says "borderless"
  double width_mm = 0;
  double height_mm = 0;
  double left_mm = 0;
  double right_mm = 0;
  double top_mm = 0;
  double bottom_mm = 0;

  bool Borderless() const;
  // The margin kept on every side: the largest of the four.
  double Margin() const;
};

// A media type, paper source or print quality: the printer's keyword (or enum value)
// and the name the user sees.
struct MediaChoice {
  QString key;
  QString name;
};

struct PrinterMedia {
  std::vector<PrinterPaper> papers;
  std::vector<MediaChoice> types;
  std::vector<MediaChoice> qualities;
  std::vector<MediaChoice> sources;  // trays
  // The resolutions the printer prints at ("300 dpi", "1200 x 600 dpi"), for the user's
  // information: the page's photos are resampled by the job's own limits.
  QStringList resolutions;
  // Positions of the printer's defaults; -1 when it names none.
  int default_paper = -1;
  int default_type = -1;
  int default_quality = -1;
  int default_source = -1;
};

// What a job uses: positions in the printer's lists, -1 for the printer's default
// (the paper) or for sending nothing (type, quality and source).
struct MediaChosen {
  int paper = -1;
  int type = -1;
  int quality = -1;
  int source = -1;
};

// The position of the entry `name` names, letter case aside; -1 when none does. A
// paper is named as the user sees it, by the name made from its key
// (PaperNameFromKey), or by its key (with "_borderless" for a borderless entry); a
// type, quality or source by its name or keyword.
int FindPaper(const std::vector<PrinterPaper>& papers, const QString& name);
// The key that names `paper` alone: its key, with "_borderless" on a borderless entry.
QString PaperKey(const PrinterPaper& paper);
int FindChoice(const std::vector<MediaChoice>& choices, const QString& name);

// A name for a paper the printer does not name itself, from its key and size:
// "A4 (210 x 297 mm)", "Letter (8.5 x 11 in)", "4 x 6 in", with " borderless" for a
// borderless entry.
QString PaperNameFromKey(const QString& key, bool borderless);

// What became of a document a printer was given, once the printer had its say.
struct DocumentFate {
  enum class Outcome { kPrinted, kStillHeld, kFailed };
  Outcome outcome = Outcome::kPrinted;
  QString reason;  // the printer's own words for a failed document
};

}  // namespace tessaly
