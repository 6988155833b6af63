// The process-wide image codec session. Starting it checks that the codecs the
// program relies on are there: a TurboJPEG decoder and encoder can be made, and
// Qt's image plugins read and write JPEG, PNG, TIFF and BMP. A failed start shows
// the critical message "Error loading GDI+!" and leaves the session closed.
#pragma once

#include <QByteArray>
#include <QList>

namespace tessaly {

// Starts the session with the program's formats (jpeg, png, tiff, bmp). True at
// once when a session is already open.
bool StartCodecSession();
// Starts the session requiring each of `formats` (Qt format names, lower case) to
// be both readable and writable by Qt's image plugins.
bool StartCodecSession(const QList<QByteArray>& formats);
// Ends the session when one is open.
void ShutdownCodecSession();
bool CodecSessionOpen();

}  // namespace tessaly
