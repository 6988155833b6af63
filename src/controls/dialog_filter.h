// Turns the classic filter text of the open-file dialog into Qt name filters.
// "Image files |*.JPG;*.PNG|PNG (*.PNG)|*.PNG|" gives one entry per description
// and pattern-list pair, "Image files (p1 p2)", with every letter of a pattern
// matched in either case ("*.JPG" becomes "*.[jJ][pP][gG]"), because photo files
// carry their extensions in any case and Linux file names are case-sensitive.
// A description that names its patterns keeps them ("PNG (*.PNG) (*.[pP][nN][gG])"):
// Qt reads the patterns from the last parentheses and, with the details hidden,
// shows the description as written. A trailing '|' and a description without
// patterns are ignored.
#pragma once

#include <QString>
#include <QStringList>

namespace tessaly {

QStringList QtNameFilters(const QString& classic_filter);

}  // namespace tessaly
