// Papers from cupsGetDestMediaByIndex over the queue's whole media list, each with the
// name cupsLocalizeDestMedia gives it; types and qualities from the "-supported"
// attributes, each named by cupsLocalizeDestValue when the queue has a name for it.
#include "print/cups/queue_media.h"

#include <memory>

namespace tessaly {
namespace {

// Bounds on what a queue's answer may make us keep.
constexpr int kMaxPapers = 500;
constexpr int kMaxChoices = 50;
constexpr double kHundredthsPerMm = 100.0;

// "photographic-glossy" → "Photographic glossy".
QString NameFromKeyword(const QString& keyword) {
  QString name = keyword;
  name.replace(u'-', u' ');
  if (!name.isEmpty()) name[0] = name[0].toUpper();
  return name;
}

QString QualityName(int quality) {
  switch (quality) {
    case IPP_QUALITY_DRAFT:
      return QStringLiteral("Draft");
    case IPP_QUALITY_NORMAL:
      return QStringLiteral("Normal");
    case IPP_QUALITY_HIGH:
      return QStringLiteral("High");
    default:
      return QString::number(quality);
  }
}

struct Destination {
  cups_dest_t* dest = nullptr;
  cups_dinfo_t* info = nullptr;
  ~Destination() {
    if (info != nullptr) cupsFreeDestInfo(info);
    if (dest != nullptr) cupsFreeDests(1, dest);
  }
};

PrinterPaper PaperOf(const cups_size_t& size, const char* localized) {
  PrinterPaper paper;
  QString key = QString::fromUtf8(size.media);
  // The queue marks its zero-margin variant of a size in the key; the margins say it.
  if (key.endsWith(QLatin1String("_borderless"))) key.chop(11);
  paper.key = key;
  paper.width_mm = size.width / kHundredthsPerMm;
  paper.height_mm = size.length / kHundredthsPerMm;
  paper.left_mm = size.left / kHundredthsPerMm;
  paper.right_mm = size.right / kHundredthsPerMm;
  paper.top_mm = size.top / kHundredthsPerMm;
  paper.bottom_mm = size.bottom / kHundredthsPerMm;
  paper.name = localized != nullptr && *localized != '\0' && QLatin1String(localized) != key
                   ? QString::fromUtf8(localized)
                   : PaperNameFromKey(key, false);
  if (paper.Borderless() && !paper.name.contains(QLatin1String("borderless"), Qt::CaseInsensitive))
    paper.name += QStringLiteral(" borderless");
  return paper;
}

bool SamePaper(const PrinterPaper& a, const PrinterPaper& b) {
  return a.key == b.key && a.width_mm == b.width_mm && a.height_mm == b.height_mm &&
         a.Borderless() == b.Borderless();
}

// The queue's default paper: the size its "media" option or media-default names (the
// user's or the administrator's choice), on its bordered or borderless entry as
// media-col-default's margins say; -1 when none is listed.
int DefaultPaper(http_t* http, Destination& d, const std::vector<PrinterPaper>& papers) {
  QString key = QString::fromUtf8(cupsGetOption("media", d.dest->num_options, d.dest->options));
  if (key.isEmpty()) {
    if (ipp_attribute_t* standard = cupsFindDestDefault(http, d.dest, d.info, "media"))
      key = QString::fromUtf8(ippGetString(standard, 0, nullptr));
  }
  if (key.endsWith(QLatin1String("_borderless"))) key.chop(11);
  bool borderless = false;
  if (ipp_attribute_t* col = cupsFindDestDefault(http, d.dest, d.info, "media-col")) {
    ipp_t* values = ippGetCollection(col, 0);
    int margins = 0;
    for (const char* side :
         {"media-bottom-margin", "media-left-margin", "media-right-margin", "media-top-margin"}) {
      if (ipp_attribute_t* margin = ippFindAttribute(values, side, IPP_TAG_INTEGER))
        margins += ippGetInteger(margin, 0);
    }
    borderless =
        ippFindAttribute(values, "media-bottom-margin", IPP_TAG_INTEGER) != nullptr && margins == 0;
  }
  int found = -1;
  for (std::size_t i = 0; i < papers.size(); ++i) {
    if (papers[i].key != key) continue;
    if (found < 0 || papers[i].Borderless() == borderless) found = static_cast<int>(i);
  }
  return found;
}

void ReadPapers(http_t* http, Destination& d, PrinterMedia& media) {
  const int count = std::min(cupsGetDestMediaCount(http, d.dest, d.info, 0), kMaxPapers);
  for (int i = 0; i < count; ++i) {
    cups_size_t size{};
    if (!cupsGetDestMediaByIndex(http, d.dest, d.info, i, 0, &size)) continue;
    if (size.width <= 0 || size.length <= 0) continue;
    const PrinterPaper paper = PaperOf(size, cupsLocalizeDestMedia(http, d.dest, d.info, 0, &size));
    bool listed = false;
    for (const PrinterPaper& known : media.papers) listed = listed || SamePaper(known, paper);
    if (!listed) media.papers.push_back(paper);
  }
  media.default_paper = DefaultPaper(http, d, media.papers);
  if (media.default_paper < 0 && !media.papers.empty()) media.default_paper = 0;
}

// The keywords of `option` ("media-type", "media-source") with their names, and the
// position of the default.
void ReadKeywords(http_t* http, Destination& d, const char* option,
                  std::vector<MediaChoice>& choices, int& standard_position) {
  ipp_attribute_t* supported = cupsFindDestSupported(http, d.dest, d.info, option);
  const int count = supported != nullptr ? std::min(ippGetCount(supported), kMaxChoices) : 0;
  for (int i = 0; i < count; ++i) {
    const char* keyword = ippGetString(supported, i, nullptr);
    if (keyword == nullptr) continue;
    const char* localized = cupsLocalizeDestValue(http, d.dest, d.info, option, keyword);
    const QString key = QString::fromUtf8(keyword);
    choices.push_back({key, localized != nullptr && QLatin1String(localized) != key
                                ? QString::fromUtf8(localized)
                                : NameFromKeyword(key)});
  }
  if (ipp_attribute_t* standard = cupsFindDestDefault(http, d.dest, d.info, option)) {
    if (const char* keyword = ippGetString(standard, 0, nullptr))
      standard_position = FindChoice(choices, QString::fromUtf8(keyword));
  }
}

void ReadQualities(http_t* http, Destination& d, PrinterMedia& media) {
  ipp_attribute_t* supported = cupsFindDestSupported(http, d.dest, d.info, "print-quality");
  const int count = supported != nullptr ? std::min(ippGetCount(supported), kMaxChoices) : 0;
  for (int i = 0; i < count; ++i) {
    const int quality = ippGetInteger(supported, i);
    media.qualities.push_back({QString::number(quality), QualityName(quality)});
  }
  if (ipp_attribute_t* standard = cupsFindDestDefault(http, d.dest, d.info, "print-quality"))
    media.default_quality =
        FindChoice(media.qualities, QString::number(ippGetInteger(standard, 0)));
}

void ReadResolutions(http_t* http, Destination& d, PrinterMedia& media) {
  ipp_attribute_t* supported = cupsFindDestSupported(http, d.dest, d.info, "printer-resolution");
  const int count = supported != nullptr ? std::min(ippGetCount(supported), kMaxChoices) : 0;
  for (int i = 0; i < count; ++i) {
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int x = ippGetResolution(supported, i, &y, &units);
    const QString unit =
        units == IPP_RES_PER_INCH ? QStringLiteral(" dpi") : QStringLiteral(" dpcm");
    media.resolutions << (x == y ? QString::number(x) : QStringLiteral("%1 x %2").arg(x).arg(y)) +
                             unit;
  }
}

}  // namespace

PrinterMedia ReadQueueMedia(http_t* http, const QString& queue) {
  PrinterMedia media;
  if (http == nullptr) return media;
  Destination d;
  d.dest = cupsGetNamedDest(http, queue.toUtf8().constData(), nullptr);
  if (d.dest == nullptr) return media;
  d.info = cupsCopyDestInfo(http, d.dest);
  if (d.info == nullptr) return media;
  ReadPapers(http, d, media);
  ReadKeywords(http, d, "media-type", media.types, media.default_type);
  ReadKeywords(http, d, "media-source", media.sources, media.default_source);
  ReadQualities(http, d, media);
  ReadResolutions(http, d, media);
  return media;
}

void AddMediaAttributes(ipp_t* request, const PrinterMedia& media, const MediaChosen& chosen) {
  const int paper = chosen.paper >= 0 ? chosen.paper : media.default_paper;
  if (paper >= 0 && paper < static_cast<int>(media.papers.size())) {
    const PrinterPaper& p = media.papers[paper];
    const auto hundredths = [](double mm) { return static_cast<int>(mm * kHundredthsPerMm + 0.5); };
    ipp_t* col = ippNew();
    ipp_t* size = ippNew();
    ippAddInteger(size, IPP_TAG_ZERO, IPP_TAG_INTEGER, "x-dimension", hundredths(p.width_mm));
    ippAddInteger(size, IPP_TAG_ZERO, IPP_TAG_INTEGER, "y-dimension", hundredths(p.height_mm));
    ippAddCollection(col, IPP_TAG_ZERO, "media-size", size);
    ippDelete(size);
    ippAddInteger(col, IPP_TAG_ZERO, IPP_TAG_INTEGER, "media-bottom-margin",
                  hundredths(p.bottom_mm));
    ippAddInteger(col, IPP_TAG_ZERO, IPP_TAG_INTEGER, "media-left-margin", hundredths(p.left_mm));
    ippAddInteger(col, IPP_TAG_ZERO, IPP_TAG_INTEGER, "media-right-margin", hundredths(p.right_mm));
    ippAddInteger(col, IPP_TAG_ZERO, IPP_TAG_INTEGER, "media-top-margin", hundredths(p.top_mm));
    if (chosen.type >= 0 && chosen.type < static_cast<int>(media.types.size())) {
      ippAddString(col, IPP_TAG_ZERO, IPP_TAG_KEYWORD, "media-type", nullptr,
                   media.types[chosen.type].key.toUtf8().constData());
    }
    if (chosen.source >= 0 && chosen.source < static_cast<int>(media.sources.size())) {
      ippAddString(col, IPP_TAG_ZERO, IPP_TAG_KEYWORD, "media-source", nullptr,
                   media.sources[chosen.source].key.toUtf8().constData());
    }
    ippAddCollection(request, IPP_TAG_JOB, "media-col", col);
    ippDelete(col);
  }
  if (chosen.quality >= 0 && chosen.quality < static_cast<int>(media.qualities.size())) {
    ippAddInteger(request, IPP_TAG_JOB, IPP_TAG_ENUM, "print-quality",
                  media.qualities[chosen.quality].key.toInt());
  }
}

}  // namespace tessaly
