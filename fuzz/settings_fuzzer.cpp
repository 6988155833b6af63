// Fuzz target: arbitrary bytes as the text of a settings file. Looks up keys, sets
// one, and checks that the value just set reads back and that the bytes before the
// changed region are untouched.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QString>

#include "settings/ini_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString sections[] = {QStringLiteral("Options"), QStringLiteral("a"),
                              QStringLiteral("PrintOptions")};
  const QString keys[] = {QStringLiteral("Units"), QStringLiteral("b"),
                          QStringLiteral("InterpolVal2")};
  for (const QString& section : sections) {
    for (const QString& key : keys) {
      if (tessaly::FindIniValue(text, section, key).size() > tessaly::kIniValueMaxChars)
        std::abort();
    }
  }
  QByteArray changed = text;
  const QString value = QStringLiteral("v=1 ;x");
  for (const QString& section : sections) {
    for (const QString& key : keys) {
      if (!tessaly::SetIniValue(changed, section, key, value)) std::abort();
      if (tessaly::FindIniValue(changed, section, key) != value) std::abort();
    }
  }
  return 0;
}
