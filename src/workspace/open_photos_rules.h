// The open-photos dialog's rules: its caption and filter text, the order in which
// several chosen files are added (ascending by their upper-case text; names equal
// in that text keep their order), and the status line shown while each is loaded
// ("Loading Image..." for one file, "Loading Image i of n..." for several, i 1-based).
#pragma once

#include <QString>
#include <QStringList>

namespace tessaly {

inline constexpr char kOpenPhotosTitle[] = QT_TRANSLATE_NOOP("Tessaly", "Tessaly - Select Photos");
// The preview panel's text for a file that cannot be loaded as a picture.
inline constexpr char kInvalidPictureFormat[] =
    QT_TRANSLATE_NOOP("Tessaly", "Invalid Picture Format");
// Description and pattern-list pairs joined by '|'.
QString OpenPhotosFilter();

// The chosen files in the order they are added.
QStringList OpenPhotosOrder(QStringList files);

QString LoadingText(int i, int n);

}  // namespace tessaly
