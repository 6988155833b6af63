// ICC profile handles of Little CMS and the small operations on them: open from
// memory, from a file or the built-in sRGB, close, and the one-line description
// shown to the user. A handle is null (0) when a profile could not be opened;
// every function here accepts a null handle and does nothing with it. Little CMS
// errors are swallowed, never shown: a bad profile is simply a null handle.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tessaly {

// A Little CMS profile handle (cmsHPROFILE); nullptr is "no profile".
using ProfileHandle = void*;

// Installs the Little CMS error handler that drops every message. Called by the
// functions below before they reach the library; safe to call repeatedly.
void IgnoreColourErrors();

// Opens the profile held in `bytes` (for example an embedded profile).
ProfileHandle OpenProfileFromMemory(const QByteArray& bytes);
// Opens a profile file for reading.
ProfileHandle OpenProfileFile(const QString& path);
// A new built-in sRGB profile.
ProfileHandle CreateSrgbProfile();
// The bytes of the sRGB profile CreateSrgbProfile makes, to embed in a file, the same
// on every call; empty when they could not be made.
QByteArray SrgbProfileBytes();
// The bytes of `profile` to embed or hand on, with a fixed creation date so that
// they are the same on every call; empty for a null handle or a failed save.
QByteArray SavedProfileBytes(ProfileHandle profile);
// Closes a profile opened by one of the functions above (not the display profile).
void CloseProfile(ProfileHandle profile);

// The input and output profiles of one colour conversion, both closed when this
// goes; either may be null (no conversion).
struct ProfilePair {
  ProfilePair() = default;
  ~ProfilePair() {
    CloseProfile(input);
    CloseProfile(output);
  }
  ProfilePair(const ProfilePair&) = delete;
  ProfilePair& operator=(const ProfilePair&) = delete;
  ProfileHandle input = nullptr;
  ProfileHandle output = nullptr;
};

// The first line of the profile's description: the bytes up to the first NUL,
// line feed or carriage return, at most 200, taken as single-byte (Latin-1)
// characters. Empty for a null handle or a profile without a description.
QString ProfileDescription(ProfileHandle profile);

// The colour-profile folder where profile choosers open: the system folder.
QString ColourDirectory();
// Every colour-profile folder: the system folder, then the user's own folder
// when it exists.
QStringList ColourDirectories();

}  // namespace tessaly
