// Profile handles over Little CMS 2. The description comes from the profile's
// description tag in plain ASCII (the English text when the tag has several).
#include "colour/colour_profiles.h"

#include <lcms2.h>

#include <QDir>
#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>

#include "controls/native_path.h"

namespace tessaly {
namespace {

// The description is cut to this many characters so that it fits on one line of
// the information text.
constexpr int kMaxDescriptionLength = 200;
// Room for the description tag text; anything past kMaxDescriptionLength is cut.
constexpr cmsUInt32Number kDescriptionBufferSize = 500;

constexpr char kSystemColourDirectory[] = "/usr/share/color/icc";
constexpr char kUserColourDirectory[] = "/.local/share/icc";  // below the home folder

void DropColourError(cmsContext, cmsUInt32Number, const char*) {}

}  // namespace

void IgnoreColourErrors() {
  static std::once_flag installed;
  std::call_once(installed, [] { cmsSetLogErrorHandler(DropColourError); });
}

ProfileHandle OpenProfileFromMemory(const QByteArray& bytes) {
  IgnoreColourErrors();
  if (bytes.isEmpty()) return nullptr;
  return cmsOpenProfileFromMem(bytes.constData(), static_cast<cmsUInt32Number>(bytes.size()));
}

ProfileHandle OpenProfileFile(const QString& path) {
  IgnoreColourErrors();
  if (path.isEmpty()) return nullptr;
  return cmsOpenProfileFromFile(NativePath(path).constData(), "r");
}

ProfileHandle CreateSrgbProfile() {
  IgnoreColourErrors();
  return cmsCreate_sRGBProfile();
}

QByteArray SrgbProfileBytes() {
  ProfileHandle srgb = CreateSrgbProfile();
  const QByteArray bytes = SavedProfileBytes(srgb);
  CloseProfile(srgb);
  return bytes;
}

QByteArray SavedProfileBytes(ProfileHandle profile) {
  cmsUInt32Number size = 0;
  QByteArray bytes;
  if (profile != nullptr && cmsSaveProfileToMem(profile, nullptr, &size) && size > 0) {
    bytes.resize(static_cast<qsizetype>(size));
    if (!cmsSaveProfileToMem(profile, bytes.data(), &size)) bytes.clear();
  }
  // The header's creation time would make every saved file differ: a fixed date
  // (2000-01-01 00:00:00) keeps the bytes the same from run to run.
  constexpr qsizetype kDateAt = 24;
  constexpr unsigned char kFixedDate[12] = {0x07, 0xD0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0};
  if (bytes.size() >= kDateAt + 12)
    std::memcpy(bytes.data() + kDateAt, kFixedDate, sizeof kFixedDate);
  return bytes;
}

void CloseProfile(ProfileHandle profile) {
  if (profile != nullptr) cmsCloseProfile(profile);
}

QString ProfileDescription(ProfileHandle profile) {
  if (profile == nullptr) return QString();
  IgnoreColourErrors();
  std::array<char, kDescriptionBufferSize> text{};
  const cmsUInt32Number written = cmsGetProfileInfoASCII(profile, cmsInfoDescription, "en", "US",
                                                         text.data(), kDescriptionBufferSize);
  if (written == 0) return QString();
  const auto limit = text.begin() + std::min<int>(kMaxDescriptionLength, written);
  const auto end =
      std::find_if(text.begin(), limit, [](char c) { return c == '\0' || c == '\n' || c == '\r'; });
  return QString::fromLatin1(text.data(), end - text.begin());
}

QString ColourDirectory() {
  return QString::fromLatin1(kSystemColourDirectory);
}

QStringList ColourDirectories() {
  QStringList folders{ColourDirectory()};
  const QString user = QDir::homePath() + QLatin1String(kUserColourDirectory);
  if (QDir(user).exists()) folders.append(user);
  return folders;
}

}  // namespace tessaly
