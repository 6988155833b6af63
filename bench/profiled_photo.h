// The whole-save benchmark's input: the synthetic 6000 × 4000 photo encoded at
// quality 92 with an Adobe RGB–compatible ICC profile embedded as APP2
// "ICC_PROFILE" segments (chunked at 65,519 profile bytes per segment, the most one
// JPEG segment holds), so the save has a real profile conversion to do.
// Made once into the temporary folder beside the plain synthetic photo.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>

namespace tessaly::bench {

// The profile embedded in the input (Debian's icc-profiles-free).
QString AdobeCompatibleProfilePath();
// The sRGB profile the peers convert to (same package).
QString SrgbProfilePath();

// `jpeg` with `profile` spliced in as APP2 "ICC_PROFILE" segments after the start of
// image and the JFIF header segment, if there is one. Empty when `jpeg` does not
// start with a start-of-image marker or the profile needs more than 255 segments.
QByteArray EmbedIccProfile(const QByteArray& jpeg, const QByteArray& profile);

// Path of the profiled JPEG, writing it on first use; empty when it could not be
// made (the profile file is missing or a write failed).
const std::string& ProfiledJpegPath();

}  // namespace tessaly::bench
