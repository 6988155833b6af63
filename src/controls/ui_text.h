// The program's own texts kept in core tables (commands, captions, tips, fixed
// messages) are marked for the translation template with
// QT_TRANSLATE_NOOP("Tessaly", ...) where they are defined, and shown through
// UiText, which gives the installed translation or, without one, the text itself.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace tessaly {

inline constexpr char kTextContext[] = "Tessaly";

inline QString UiText(const char* text) {
  return QCoreApplication::translate(kTextContext, text);
}

}  // namespace tessaly
