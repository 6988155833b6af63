// Fuzz target for the embedded-profile readers: every input is given to both the
// JPEG segment walker and the TIFF directory reader. Beyond memory safety it
// checks the readers' contract: only a found profile leaves bytes behind, and
// those bytes can never outnumber the file's.
#include <cstddef>
#include <cstdint>

#include "colour/embedded_profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView file(data, static_cast<qsizetype>(size));
  for (auto* reader : {&tessaly::ExtractJpegProfile, &tessaly::ExtractTiffProfile}) {
    QByteArray profile;
    const int code = reader(file, profile);
    if (code < tessaly::kBrokenChunkSequence || code > tessaly::kProfileFound) __builtin_trap();
    if (code != tessaly::kProfileFound && !profile.isEmpty()) __builtin_trap();
    if (profile.size() > file.size()) __builtin_trap();
  }
  return 0;
}
