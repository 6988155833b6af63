// File names as the file system holds them: bytes, almost always UTF-8. A name that is
// not valid UTF-8 keeps each stray byte as the lone surrogate U+DC00 + byte in its
// QString (Qt's own conversion would replace it with U+FFFD for good), so that
// NativePath(PathFromNative(b)) == b for every byte string b, and a valid UTF-8 name
// is the same QString Qt makes of it. Every open, stat or rename of a user's file
// converts its name with NativePath.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QUrl>

struct stat;

namespace tessaly {

QString PathFromNative(QByteArrayView bytes);
QByteArray NativePath(const QString& path);

// The program's arguments, the names among them kept byte for byte.
QStringList NativeArguments(int argc, const char* const* argv);

// An absolute, clean form of path, relative to the current folder.
QString AbsolutePath(const QString& path);

// A name that reached the program through Qt (a drop, the file dialog) has each
// stray byte replaced with U+FFFD. When such a name does not exist, each of its
// parts with a replacement is looked up in its folder; a part that exactly one entry
// decodes to becomes that entry's name. Any other name is returned as it is.
QString ExistingNativePath(const QString& path);

// stat(2) of the file at path; false when there is none.
bool NativeStat(const QString& path, struct stat& info);
bool IsRegularFile(const QString& path);

// The file a file: URL names (a drop), its stray bytes kept.
QString LocalFileOf(const QUrl& url);

}  // namespace tessaly
