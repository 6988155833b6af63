// The catalogue of photo sizes: numbered PhotoSize entries (millimetres, numbered
// from 1), kept in the settings file as a size code of 19 characters per entry
// ("HHHHHHxWWWWWWxMMMM-", hundredths of a millimetre, height first). An entry the
// parser rejects leaves an empty slot so every later entry keeps its number; saving
// closes the gaps and renumbers the selected entry with them. Also the list texts of
// the job settings dialog and the photo margin actually used (EffectiveMargin).
#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

#include "settings/settings_file.h"

namespace tessaly {

// One catalogue size, all millimetres. Width and Height include the margins.
struct PhotoSize {
  double Width = 0.0;
  double Height = 0.0;
  double Margins = 0.0;
};

// The unit sizes are shown and entered in (`Units`); storage is always millimetres.
enum class SizeUnit { Centimetres, Inches };

// Characters of one size-code entry; the last entry may lack its final "-".
inline constexpr int kSizeCodeEntryLength = 19;
// Contact sheets need room for the file name under each thumbnail: their margin is
// never drawn narrower than this (mm).
inline constexpr double kThumbMinMargin = 3.5;
// The smallest photo side, and the smallest picture side inside the margins (mm):
// anything smaller is no print, and would lay out more cells than a page can hold.
inline constexpr double kMinPhotoSide = 1.0;

// True when `size` can be printed: both sides from kMinPhotoSide to 9999.99, a
// margin from 0 to 99.99 (what a size code holds), and the picture inside the
// margins (EffectiveMargin of the mode) at least kMinPhotoSide on each side.
// Otherwise false, with the reason in `message`, its lengths in millimetres or, for
// the size editor, in the unit the user types in.
bool CheckPhotoSize(const PhotoSize& size, bool thumb_mode, QString& message);
bool CheckPhotoSize(const PhotoSize& size, bool thumb_mode, QString& message, SizeUnit unit);

class PhotoSizeCatalogue {
 public:
  // Reads a size code. Never fails: text that holds no valid entry gives no entries.
  // An entry that CheckPhotoSize refuses for the mode leaves an empty slot.
  static PhotoSizeCatalogue Parse(QStringView code, bool thumb_mode = false);

  // The size code of every entry in number order, empty slots left out. Each value is
  // rounded half to even to whole hundredths of a millimetre and held within its
  // field (0..999999, margins 0..9999) so an entry is always 19 characters.
  QString SizeCode() const;

  // Number of slots, empty ones included: the number the next Append gets, less one.
  int SlotCount() const { return static_cast<int>(slots_.size()); }
  // The entry with this number, or nullptr for an empty slot or a number out of range.
  const PhotoSize* Entry(int number) const;
  // Numbers of the entries that hold a size, ascending.
  std::vector<int> Numbers() const;
  // The number the entry `number` gets once SizeCode() closes the gaps; 0 when
  // `number` holds no entry.
  int CompactNumber(int number) const;

  // Appends after the last slot and returns the new entry's number.
  int Append(const PhotoSize& size);
  // Replaces entry `number` in place; false when it holds no entry.
  bool Replace(int number, const PhotoSize& size);
  // Removes slot `number`; every later slot moves one number down. False when out
  // of range.
  bool Remove(int number);

 private:
  std::vector<std::optional<PhotoSize>> slots_;
};

// The built-in catalogue for a mode and unit: twelve sizes for the photo layout, one
// square for contact sheets.
QString DefaultSizeCode(bool thumb_mode, SizeUnit unit);
// Settings section of a mode: "ThumbOptions" for contact sheets, else "Options".
QString SizesSection(bool thumb_mode);
// Caption above the sizes list: "Photo Sizes (cm)" or "Photo Sizes (inches)".
QString SizesCaption(SizeUnit unit);
// Text of one list item in fixed-pitch columns, values in the display unit:
// height " x" width, and "  " margins " margins" when there is a margin.
QString SizeListText(const PhotoSize& size, SizeUnit unit);

// One item of the sizes list: its text and, as item data, its catalogue number.
struct SizeListItem {
  QString text;
  int number = 0;
};

// The sizes list of the job settings dialog without the widget: items in catalogue
// order, the selection, and add, edit and delete with the selection each leaves.
class PhotoSizesList {
 public:
  PhotoSizesList(PhotoSizeCatalogue catalogue, SizeUnit unit);

  const PhotoSizeCatalogue& Catalogue() const { return catalogue_; }
  const std::vector<SizeListItem>& Items() const { return items_; }
  // True once an entry was added, edited or deleted.
  bool Modified() const { return modified_; }

  // Index of the selected item, −1 when none.
  int SelectedIndex() const { return selected_; }
  // Catalogue number of the selected item, 0 when none.
  int SelectedNumber() const;
  // The selected entry, or nullptr when none.
  const PhotoSize* SelectedSize() const;
  // Selects the item at `index` (−1 or out of range clears the selection).
  void SelectIndex(int index);
  // Selects the item whose number is `number`; the first item when the number is 0
  // or no item carries it; nothing when the list is empty.
  void SelectByNumber(int number);

  // Appends a size and selects it; returns its number.
  int Add(const PhotoSize& size);
  // Replaces the selected entry and keeps it selected; false when none is selected.
  bool EditSelected(const PhotoSize& size);
  // Asks "Delete current photo size from the list?" and on Yes removes the selected
  // entry; the first item is then selected when at least two remain. The last entry
  // is never deleted (the job always has a size), nor is anything without a selection.
  bool DeleteSelected();

 private:
  void Refill();

  PhotoSizeCatalogue catalogue_;
  SizeUnit unit_;
  std::vector<SizeListItem> items_;
  int selected_ = -1;
  bool modified_ = false;
};

// Catalogue of a mode from key UserSizes; a missing or blank key gives the default.
PhotoSizeCatalogue LoadCatalogue(bool thumb_mode, SizeUnit unit,
                                 const QString& file = SettingsFilePath());
// Number stored in key UserSize of a mode (0 when missing).
int LoadSelectedSize(bool thumb_mode, const QString& file = SettingsFilePath());
// Writes UserSizes and UserSize of a mode; `selected` is renumbered as SizeCode()
// closes the gaps. False when the file could not be written.
bool SaveCatalogue(const PhotoSizeCatalogue& catalogue, int selected, bool thumb_mode,
                   const QString& file = SettingsFilePath());

// Margin the photos are drawn with: the size's margin, raised to kThumbMinMargin in
// contact-sheet mode.
double EffectiveMargin(double margins, bool thumb_mode);
// True when EffectiveMargin is at least kThumbMinMargin: the label and the frame sit
// in the white margin rather than on the picture.
bool IsWideMargin(double margins, bool thumb_mode);

}  // namespace tessaly
