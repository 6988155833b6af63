// Small shell utilities shared by the dialogs: opening a help page, path and
// number texts and the locale's measurement system.
// Paths use '/' as the folder separator. Number texts always use a point as the
// decimal separator.
#pragma once

#include <QLocale>
#include <QString>
#include <QUrl>
#include <functional>

namespace tessaly {

// Opens a URL with the desktop's default action; true when it was handed over.
using UrlOpener = std::function<bool(const QUrl&)>;
// Installs the opener used by ShowHelpPage (the GUI installs
// QDesktopServices::openUrl) and returns the previous one. With none installed
// nothing is opened.
UrlOpener SetUrlOpener(UrlOpener opener);
// Hands `url` to the installed opener; false when none is installed or it refused.
bool OpenWithDesktop(const QUrl& url);

// Folder of the help pages: the one set with SetHelpFolder, else the installed
// share/tessaly/Tesly_Help/ beside the program's bin folder when it exists, else
// the source tree's help/ folder (running from the build folder).
QString HelpFolder();
// Points the help folder elsewhere; an empty text restores the search above.
void SetHelpFolder(const QString& folder);
// Where the rewritten start page goes: $XDG_CACHE_HOME/tessaly/~Help.htm
// (~/.cache when XDG_CACHE_HOME is unset).
QString HelpCopyPath();

// Copies Help.htm of the help folder to HelpCopyPath() with every "Overview.htm"
// replaced by `page` (and a base reference to the help folder so that its links
// still resolve), then opens the copy. Silent: false when Help.htm is missing,
// cannot be read or written, or no opener took the URL; no copy is left when
// Help.htm is missing.
bool ShowHelpPage(const QString& page);

// Replaces the file at `path` with `bytes`, creating its folder: the bytes go to a
// hidden temporary file beside it that takes the name only when every byte, the flush
// to the disk and the close succeeded, so a failure leaves the old file as it was and
// no temporary file behind. A symlink at `path` stays a link: the file it leads to is
// replaced, as writing through the link would, so a settings file kept elsewhere
// through a link is still found there. The new file keeps the old file's mode. False
// on failure, with `reason` (when given) set to the system's text of what went wrong
// ("No space left on device").
bool ReplaceFileContent(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

// The system's text of an error number ("No space left on device").
QString SystemErrorText(int error);

// The text after the last '/'; the whole text when there is none.
QString FileNameOfPath(const QString& path);
// The text after the last point when that point is not the first character and
// no '/' follows it; otherwise "".
QString FileExtension(const QString& path);

// `value` with the pattern "#0." followed by `decimals` zeros, right-aligned in
// a field of integer_digits + decimals + 1 blanks-filled characters; a longer
// text keeps only its first integer_digits + decimals + 1 characters.
QString FormatFixedWidth(double value, int integer_digits, int decimals);

// True when the locale measures in U.S. units (inches); the first form asks the
// user's system locale.
bool IsUSMeasure();
bool IsUSMeasure(const QLocale& locale);

// The value's text (15 significant digits, ASCII digits, no group separators)
// with a point as its decimal separator whatever the locale.
QString PointDecimal(double value);

}  // namespace tessaly
