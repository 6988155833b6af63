// Codec session: a flag guarded by a start-up check of the codecs.
#include "surface/codec_session.h"

#include <turbojpeg.h>

#include <QImageReader>
#include <QImageWriter>

#include "controls/ui_service.h"

namespace tessaly {
namespace {

bool session_open = false;

bool TurboJpegAvailable() {
  tjhandle decoder = tjInitDecompress();
  tjhandle encoder = tjInitCompress();
  const bool ok = decoder != nullptr && encoder != nullptr;
  if (decoder) tjDestroy(decoder);
  if (encoder) tjDestroy(encoder);
  return ok;
}

bool QtFormatsAvailable(const QList<QByteArray>& formats) {
  const QList<QByteArray> readable = QImageReader::supportedImageFormats();
  const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
  for (const QByteArray& format : formats)
    if (!readable.contains(format) || !writable.contains(format)) return false;
  return true;
}

}  // namespace

bool StartCodecSession() {
  return StartCodecSession({"jpeg", "png", "tiff", "bmp"});
}

bool StartCodecSession(const QList<QByteArray>& formats) {
  if (session_open) return true;
  if (!TurboJpegAvailable() || !QtFormatsAvailable(formats)) {
    CurrentUi().MessageBox(QStringLiteral("Error loading GDI+!"), MsgButtons::Ok,
                           MsgIcon::Critical);
    return false;
  }
  session_open = true;
  return true;
}

void ShutdownCodecSession() {
  session_open = false;
}

bool CodecSessionOpen() {
  return session_open;
}

}  // namespace tessaly
