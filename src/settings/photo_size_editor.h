// The photo size editor without its window: five fields in the display unit (photo
// width and height including the margins, the margins, and the image width and
// height inside them) kept consistent as the user types, the typing filter, the
// contact-sheet rules (square sizes, a margin of at least 3.5 mm) and the Ok
// button's checks, which give the size in millimetres with its width never below
// its height. Numbers are written and read with a point whatever the locale.
#pragma once

#include <QString>
#include <array>

#include "settings/photo_sizes.h"

namespace tessaly {

// The editor's fields; a failed check names the one to correct.
enum class PhotoSizeField { kPhotoWidth, kPhotoHeight, kMargins, kImageWidth, kImageHeight };

// The five texts as the editor's window shows them.
struct PhotoSizeFields {
  std::array<QString, 5> texts;
  const QString& operator[](PhotoSizeField field) const { return texts[Index(field)]; }
  QString& operator[](PhotoSizeField field) { return texts[Index(field)]; }
  static std::size_t Index(PhotoSizeField field) { return static_cast<std::size_t>(field); }
};

class PhotoSizeEditor {
 public:
  using Field = PhotoSizeField;

  // "Add Photo Size": empty fields, but the contact-sheet minimum in the margins field.
  static PhotoSizeEditor ForAdd(SizeUnit unit, bool thumb_mode);
  // "Edit Photo Size": the entry's values ("0.00" in inches, plain decimals in
  // centimetres) and the image size worked out from them.
  static PhotoSizeEditor ForEdit(const PhotoSize& size, SizeUnit unit, bool thumb_mode);

  const QString& Caption() const { return caption_; }
  // "cm" or "inches", beside the fields.
  QString UnitsText() const;
  // The contact-sheet note, shown only in that mode.
  static QString ThumbNote();
  bool ThumbMode() const { return thumb_mode_; }
  // In contact-sheet mode the photo width follows the height and cannot be typed in.
  bool PhotoWidthLocked() const { return thumb_mode_; }

  const PhotoSizeFields& Fields() const { return fields_; }
  const QString& Text(Field field) const { return fields_[field]; }
  // The user changed `field` to `text`: the photo size and the margins give the image
  // size, an image side gives its photo side; a contact sheet's height is copied into
  // its width.
  void SetText(Field field, const QString& text);

  // A typed character as the fields take it: digits and the point pass, a comma
  // becomes a point; false for anything else (dropped).
  static bool FilterKey(QChar& key);

  // Leaving the margins field: in contact-sheet mode a margin below the minimum shows
  // "In thumbnail mode, margins must be at least …" (information icon), puts the
  // minimum in the field and returns false (the focus stays there).
  bool LeaveMargins();

  // The Ok button on the fields as `shown`, which the editor takes: every photo field
  // a number ("Invalid number"), both sides above 0 ("Invalid size!"), twice the
  // margins below each side ("Margins too large!"), then the sides exchanged so that
  // the width is the longer, and the size checked as a printable size. False after the
  // failing check's message (exclamation icon), with `focus` (when given) naming the
  // field to correct; true with `size` in millimetres.
  bool Confirm(const PhotoSizeFields& shown, PhotoSize& size, Field* focus = nullptr);

 private:
  PhotoSizeEditor(SizeUnit unit, bool thumb_mode, QString caption);
  double Value(Field field) const;
  void Put(Field field, double value);
  // The contact-sheet minimum margin in the display unit, as shown.
  QString MinimumMarginText() const;

  SizeUnit unit_;
  bool thumb_mode_;
  QString caption_;
  PhotoSizeFields fields_;
};

}  // namespace tessaly
