// Feeds arbitrary text to the size-code parser and checks what it gives back: every
// kept entry is a valid size, the written code is 19 characters per entry, and
// reading and writing that code again changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "settings/photo_sizes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using tessaly::PhotoSizeCatalogue;
  const QString text =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const PhotoSizeCatalogue catalogue = PhotoSizeCatalogue::Parse(text);
  if (catalogue.SlotCount() != (text.size() + 1) / tessaly::kSizeCodeEntryLength) std::abort();
  const std::vector<int> numbers = catalogue.Numbers();
  QString problem;
  for (int number : numbers) {
    const tessaly::PhotoSize* entry = catalogue.Entry(number);
    if (!entry || !tessaly::CheckPhotoSize(*entry, false, problem)) std::abort();
  }
  const QString code = catalogue.SizeCode();
  if (code.size() != static_cast<qsizetype>(numbers.size()) * tessaly::kSizeCodeEntryLength) {
    std::abort();
  }
  // A written entry can still be rejected on reading (a height that rounds to 0.00),
  // so the second writing is compared with the first read back once more.
  const PhotoSizeCatalogue again = PhotoSizeCatalogue::Parse(code);
  const QString code2 = again.SizeCode();
  if (PhotoSizeCatalogue::Parse(code2).SizeCode() != code2) std::abort();
  return 0;
}
