// The common-dialogs seam: choosing files to open, a file to save, a folder, and a font with its
// colour. The window program installs dialogs built on Qt; tests install the
// scripted twin. Every call returns whether the user confirmed; a cancelled call
// leaves its in/out arguments as they were and gives back no file and no folder.
// With nothing installed every call is cancelled, as nobody can be asked.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace tessaly {

// What the open-file dialog shows and where it starts.
struct OpenFileRequest {
  QString title;
  // Classic filter text: description and pattern list pairs joined by '|', the
  // patterns of one pair by ';' ("JPEG (*.JPG)|*.JPG;*.JPEG|PNG (*.PNG)|*.PNG").
  QString filter;
  int filter_index = 1;  // 1-based; on confirmation the pair the user had chosen
  QString initial_folder;
  bool multi_select = false;
  bool must_exist = true;
};

// A font as the font dialog offers it.
struct FontChoice {
  QString name;
  double size = 10.0;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
};

class CommonDialogs {
 public:
  virtual ~CommonDialogs() = default;

  // The chosen files (one unless multi_select) in `files`; empty on cancel.
  virtual bool OpenFiles(OpenFileRequest& request, QStringList& files) = 0;
  // The name to save under in `file`, "" on cancel (`multi_select` and `must_exist`
  // unused). A name already taken has been confirmed by the user.
  virtual bool SaveFile(OpenFileRequest& request, QString& file) = 0;
  // The chosen folder's path, or "" when cancelled.
  virtual QString BrowseFolders(const QString& title) = 0;
  // Offers `font` and `colour` (0x00BBGGRR) with sizes from min_size to max_size
  // points (both 0: any size); on confirmation both take the chosen values.
  virtual bool ChooseFont(FontChoice& font, std::uint32_t& colour, double min_size,
                          double max_size) = 0;
};

// The installed service. Never null.
CommonDialogs& CurrentCommonDialogs();
// Installs `dialogs` (not owned) for the whole program; nullptr restores the default.
void InstallCommonDialogs(CommonDialogs* dialogs);

// Installs dialogs for the lifetime of this object and restores the previous ones after.
class ScopedCommonDialogs {
 public:
  explicit ScopedCommonDialogs(CommonDialogs& dialogs);
  ~ScopedCommonDialogs();
  ScopedCommonDialogs(const ScopedCommonDialogs&) = delete;
  ScopedCommonDialogs& operator=(const ScopedCommonDialogs&) = delete;

 private:
  CommonDialogs* previous_;
};

}  // namespace tessaly
